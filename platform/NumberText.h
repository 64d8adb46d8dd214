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

// The integer text rule. Leading spaces (' ' only: a tab is not skipped and
// makes the text fail) are skipped; then an optional sign and decimal digits
// within the 32-bit range, or one of "$", "x", "X", "0x", "0X" and hexadecimal
// digits within 32 bits, 80000000..FFFFFFFF standing for negative numbers.
// Nothing may follow the digits. nullopt when the text does not fit the rule.
std::optional<std::int32_t> parseIntegerText(std::string_view text);

// The 32-bit pattern in uppercase hexadecimal, at least minDigits digits.
std::string hexPatternText(std::int32_t value, int minDigits = 1);

}  // namespace vk
