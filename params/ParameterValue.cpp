#include "params/ParameterValue.h"

#include "link/DriveCommands.h"
#include "params/IntegerText.h"
#include "params/ParameterTable.h"
#include "platform/EscapedBytes.h"
#include "platform/NumberText.h"

namespace vk {
namespace {

constexpr std::string_view kNoNumber = "not a number: the window cannot write it, restore refuses this line";

ValueFromText refused(std::string problem)
{
    return {std::nullopt, std::move(problem)};
}

// A drive's text in a message: its control bytes must not reach the terminal.
std::string quoted(std::string_view text)
{
    return "'" + escapedBytes(text) + "'";
}

bool isParameter(const ParameterEntry* entry)
{
    return entry && (entry->read || entry->written);
}

// The window decodes a flags word by StrToHex, shows it on its buttons and
// writes back what they show.
std::string flagsDifference(int number, const FlagsWord& word, std::string_view reply)
{
    const std::int32_t shown = shownFlags(word, StrToHex(reply));
    const std::string written = "the window shows and writes " + wireValue(number, shown);
    const auto exact = parseHexPattern(reply);
    if (!exact)
        return "not hexadecimal: " + written + ", restore refuses this line";
    return shown == *exact ? std::string() : written;
}

// The numbers a file may hold, as ranges from the table: "0 to 11, 18, 22 to 25".
std::string parameterNumbers()
{
    std::string text;
    const auto table = parameterTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (!isParameter(&table[i]))
            continue;
        std::size_t last = i;
        while (last + 1 < table.size() && isParameter(&table[last + 1]))
            ++last;
        text += (text.empty() ? "" : ", ") + std::to_string(i) + (last > i ? " to " + std::to_string(last) : "");
        i = last;
    }
    return text;
}

}  // namespace

ValueFromText parameterValue(int number, std::string_view text)
{
    const ParameterEntry* entry = parameterEntry(number);
    if (!isParameter(entry))
        return refused("no parameter number " + std::to_string(number) + " (the numbers are " + parameterNumbers()
                       + ")");
    const bool hex = travelsInHex(number);
    const auto value = hex ? parseHexPattern(text) : parseIntegerText(text);
    if (!value)
        return refused(quoted(text) + (hex ? " is no hexadecimal value" : " is no integer"));
    return {value, {}};
}

std::string windowDifference(int number, std::string_view reply)
{
    const ParameterEntry* entry = parameterEntry(number);
    if (entry && entry->flags)
        return flagsDifference(number, *entry->flags, reply);
    // An edit shows the reply as it is and writes it by the integer text rule, as parameterValue reads it.
    const ValueFromText value = parameterValue(number, reply);
    if (value.value)
        return {};
    return isParameter(entry) ? std::string(kNoNumber) : value.problem;
}

}  // namespace vk
