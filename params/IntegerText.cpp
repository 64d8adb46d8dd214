#include "params/IntegerText.h"

#include "platform/NumberText.h"

#include <algorithm>

namespace vk {

namespace {

constexpr std::string_view kHexPrefixes[] = {"0x", "0X", "$", "x", "X"};

}  // namespace

ConversionError::ConversionError(const std::string& text)
    : std::runtime_error("'" + text + "' は数値ではありません"), text_(text)
{
}

std::optional<std::int32_t> parseIntegerText(std::string_view text)
{
    text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
    for (const std::string_view prefix : kHexPrefixes) {
        if (text.starts_with(prefix))
            return parseHexPattern(text.substr(prefix.size()));
    }
    return parseDecimal(text);
}

std::int32_t convertIntegerText(const std::string& text)
{
    const auto value = parseIntegerText(text);
    if (!value)
        throw ConversionError(text);
    return *value;
}

std::int32_t StrToHex(std::string_view text)
{
    std::uint32_t value = 0;
    for (const char c : text) {
        const bool decimalDigit = c >= '0' && c <= '9';
        value = value * 16 + (decimalDigit ? static_cast<std::uint32_t>(c - '0') : 0);
    }
    return static_cast<std::int32_t>(value);
}

}  // namespace vk
