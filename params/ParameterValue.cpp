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

std::string windowDifference(int number, std::string_view reply)
{
    const ValueFromText value = parameterValue(number, reply);
    if (!value.value)
        return "not a number: restore refuses this line";
    const auto shown = shownValue(number, reply);
    return shown == value.value ? "" : "the window shows and writes " + std::to_string(shown.value_or(0));
}

std::optional<std::int32_t> shownValue(int number, std::string_view reply)
{
    const ParameterEntry* entry = parameterEntry(number);
    if (entry && entry->flags)
        return shownFlags(*entry->flags, StrToHex(reply));
    return parseIntegerText(reply);
}

}  // namespace vk
