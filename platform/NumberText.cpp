#include "platform/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <limits>

namespace vk {

std::optional<std::uint32_t> parseDigits(std::string_view digits, int base)
{
    // Unsigned and wider than the result: from_chars then takes no sign, and
    // a value past 32 bits is seen rather than wrapped.
    std::uint64_t value = 0;
    const char* end = digits.data() + digits.size();
    const auto [stop, error] = std::from_chars(digits.data(), end, value, base);
    if (digits.empty() || stop != end || error != std::errc{} || value > std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

std::optional<std::int32_t> parseDecimal(std::string_view text)
{
    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+'))
        text.remove_prefix(1);
    const auto magnitude = parseDigits(text, 10);
    if (!magnitude)
        return std::nullopt;
    const std::int64_t value = negative ? -std::int64_t{*magnitude} : std::int64_t{*magnitude};
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::optional<std::int32_t> parseHexPattern(std::string_view digits)
{
    const auto pattern = parseDigits(digits, 16);
    if (!pattern)
        return std::nullopt;
    return static_cast<std::int32_t>(*pattern);
}

std::optional<std::int32_t> parseIntegerText(std::string_view text)
{
    constexpr std::string_view kHexPrefixes[] = {"0x", "0X", "$", "x", "X"};
    text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
    for (const std::string_view prefix : kHexPrefixes) {
        if (text.starts_with(prefix))
            return parseHexPattern(text.substr(prefix.size()));
    }
    return parseDecimal(text);
}

std::string hexPatternText(std::int32_t value, int minDigits)
{
    constexpr int kMaxDigits = 8;
    char digits[kMaxDigits + 1];
    std::snprintf(digits, sizeof digits, "%0*X", std::min(minDigits, kMaxDigits),
                  static_cast<unsigned>(static_cast<std::uint32_t>(value)));
    return digits;
}

}  // namespace vk
