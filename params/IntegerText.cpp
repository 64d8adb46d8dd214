#include "params/IntegerText.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace vk {

namespace {

using Limits = std::numeric_limits<std::int32_t>;

constexpr std::string_view kHexPrefixes[] = {"0x", "0X", "$", "x", "X"};

// The value of `digits` in `base` when every character is a digit and it fits
// in 32 bits unsigned. from_chars into an unsigned type takes no sign and no
// prefix, so those stay errors.
std::optional<std::uint32_t> wholeNumber(std::string_view digits, int base)
{
    std::uint64_t value = 0;
    const char* end = digits.data() + digits.size();
    const auto [stop, error] = std::from_chars(digits.data(), end, value, base);
    if (digits.empty() || stop != end || error != std::errc{} || value > std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

std::optional<std::int32_t> parseHex(std::string_view digits)
{
    const auto pattern = wholeNumber(digits, 16);
    if (!pattern)
        return std::nullopt;
    return static_cast<std::int32_t>(*pattern);
}

std::optional<std::int32_t> parseDecimal(std::string_view text)
{
    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+'))
        text.remove_prefix(1);
    const auto magnitude = wholeNumber(text, 10);
    if (!magnitude)
        return std::nullopt;
    const std::int64_t value = negative ? -std::int64_t{*magnitude} : std::int64_t{*magnitude};
    if (value < Limits::min() || value > Limits::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

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
            return parseHex(text.substr(prefix.size()));
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
