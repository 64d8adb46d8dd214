#include "params/ParameterValue.h"

#include "params/IntegerText.h"
#include "params/ParameterTable.h"
#include "platform/NumberText.h"

namespace vk {
namespace {

ValueFromText refused(std::string problem)
{
    return {std::nullopt, std::move(problem)};
}

ValueFromText flagsValue(const FlagsWord& word, std::string_view text)
{
    const auto value = parseHexPattern(text);
    if (!value)
        return refused("'" + std::string(text) + "' is no hexadecimal value");
    if (shownFlags(word, *value) != *value)
        return refused("'" + std::string(text) + "' is out of range for flags word " + std::to_string(word.number)
                       + ": the window's buttons cannot show it");
    return {value, {}};
}

}  // namespace

ValueFromText parameterValue(int number, std::string_view text)
{
    const ParameterEntry* entry = parameterEntry(number);
    if (!entry || (!entry->read && !entry->written))
        return refused("no parameter number " + std::to_string(number));
    if (entry->flags)
        return flagsValue(*entry->flags, text);
    const auto value = parseIntegerText(text);
    if (!value)
        return refused("'" + std::string(text) + "' is no integer");
    return {value, {}};
}

std::optional<std::int32_t> shownValue(int number, std::string_view reply)
{
    const ParameterEntry* entry = parameterEntry(number);
    if (entry && entry->flags)
        return shownFlags(*entry->flags, StrToHex(reply));
    return parseIntegerText(reply);
}

}  // namespace vk
