#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vk {

// The value of a text made only of digits of `base` (letters of either case
// above 9), when it fits in 32 bits unsigned. No sign, prefix or blank is
// taken, and an empty text is no number. The one place every text of digits
// the program reads (replies, settings files, options) is turned into a number.
std::optional<std::uint32_t> parseDigits(std::string_view digits, int base);

// An optional "+" or "-" and decimal digits, within the signed 32-bit range.
std::optional<std::int32_t> parseDecimal(std::string_view text);

// Hexadecimal digits read as a 32-bit pattern: 80000000..FFFFFFFF are negative.
std::optional<std::int32_t> parseHexPattern(std::string_view digits);

// The 32-bit pattern in uppercase hexadecimal, at least minDigits digits.
std::string hexPatternText(std::int32_t value, int minDigits = 1);

}  // namespace vk
