#include "sim/ValueText.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <system_error>

namespace vk::sim {

namespace {

constexpr int kMaxHexDigits = 8;
constexpr int kFlagsWordDigits = 3;

template <typename Integer>
std::optional<Integer> parseWhole(std::string_view text, int base)
{
    Integer value{};
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, base);
    if (text.empty() || error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

}  // namespace

bool isHexNumber(int number)
{
    return number == 4 || number == 5;
}

std::string hexText(std::int32_t value, int minDigits)
{
    char digits[kMaxHexDigits];
    const auto result = std::to_chars(std::begin(digits), std::end(digits), static_cast<std::uint32_t>(value), 16);
    std::string text(std::begin(digits), result.ptr);
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    if (static_cast<int>(text.size()) < minDigits)
        text.insert(0, static_cast<std::size_t>(minDigits) - text.size(), '0');
    return text;
}

std::optional<std::int32_t> parseHexText(std::string_view text)
{
    // from_chars would take a sign for a signed type; parse the pattern unsigned.
    const auto pattern = parseWhole<std::uint32_t>(text, 16);
    if (!pattern)
        return std::nullopt;
    return static_cast<std::int32_t>(*pattern);
}

std::string valueText(int number, std::int32_t value)
{
    return isHexNumber(number) ? hexText(value, kFlagsWordDigits) : std::to_string(value);
}

std::optional<std::int32_t> parseValueText(int number, std::string_view text)
{
    return isHexNumber(number) ? parseHexText(text) : parseWhole<std::int32_t>(text, 10);
}

}  // namespace vk::sim
