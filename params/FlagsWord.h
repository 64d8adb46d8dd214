#pragma once

#include "params/ParameterControls.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace vk {

// One radio button and the bits it stands for. Decoding checks the first
// button of a group whose test holds, (word & testMask) == testValue; the
// last button of every group has an empty test, so each group gets one.
struct RadioChoice {
    int radio = 0;
    std::uint32_t pattern = 0;
    std::uint32_t testMask = 0;
    std::uint32_t testValue = 0;
};

// An exclusive group of radio buttons, in the window's order (first = default).
struct RadioGroup {
    std::string_view box;
    std::span<const RadioChoice> choices;
};

// A parameter whose value is a bit field per radio group. Bits that no group
// covers are ignored on decoding and 0 on encoding.
struct FlagsWord {
    int number = 0;
    std::span<const RadioGroup> groups;
};

// Parameter 4: multiplication, pole sensing, sensor logic, encoder phase, linear encoder make.
const FlagsWord& encoderFlags();
// Parameter 5: motor type, command multiplication, command pulse format.
const FlagsWord& motorFlags();
// Every radio group of the window, GroupBox1 first.
std::span<const RadioGroup> allRadioGroups();

void decodeFlags(const FlagsWord& word, std::int32_t value, ParameterControls& controls);
std::int32_t encodeFlags(const FlagsWord& word, const ParameterControls& controls);
// What the window writes back after showing `value` on its buttons: bits no
// group covers are gone, and a pattern a group cannot show becomes the one it does.
std::int32_t shownFlags(const FlagsWord& word, std::int32_t value);

}  // namespace vk
