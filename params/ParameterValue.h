#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vk {

// A parameter's value given as text, the way the drive answers it: decimal by
// the integer text rule, the flags words 4 and 5 as a hexadecimal pattern.
// Either the exact value it stands for, or why it stands for none.
struct ValueFromText {
    std::optional<std::int32_t> value;
    std::string problem;  // empty when there is a value
};

// Checks a text for a number the bulk read or the bulk write handles. A flags
// word may hold any 32-bit pattern: the drive's own answer is kept as it is,
// whether or not the window's buttons can show it.
ValueFromText parameterValue(int number, std::string_view text);

// Empty when the window shows a reply of the drive and writes it back as the
// value parameterValue gives; otherwise a short note of what the window does
// with it instead ("the window shows and writes 075").
std::string windowDifference(int number, std::string_view reply);

}  // namespace vk
