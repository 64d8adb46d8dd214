#include "params/IntegerText.h"

namespace vk {

ConversionError::ConversionError(const std::string& text)
    : OperatorError("'" + text + "' は数値ではありません"), text_(text)
{
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
