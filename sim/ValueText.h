#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vk::sim {

// How parameter values travel on the line: decimal, except the two flags words,
// which the terminal writes as hexadecimal.
bool isHexNumber(int number);

// Uppercase hexadecimal of the 32-bit pattern, at least minDigits digits.
std::string hexText(std::int32_t value, int minDigits = 1);
// One to eight hexadecimal digits of either case, nothing else.
std::optional<std::int32_t> parseHexText(std::string_view text);

// A value as the driver shows it: flags words as at least three hex digits,
// so a read echoes what the terminal wrote.
std::string valueText(int number, std::int32_t value);
// A value as the terminal writes it; nullopt when it is not one.
std::optional<std::int32_t> parseValueText(int number, std::string_view text);

}  // namespace vk::sim
