#include "params/FlagsWord.h"

#include <algorithm>
#include <array>

namespace vk {

namespace {

// A group of two buttons for one bit: clear checks the first, set the second.
constexpr std::array<RadioChoice, 2> bitChoices(std::uint32_t bit, int radioClear, int radioSet)
{
    return {RadioChoice{radioClear, 0, bit, 0}, RadioChoice{radioSet, bit, 0, 0}};
}

// Bits 0-1 are tested as: both clear is x1, else bit 0 is x2, else x4; so 3 shows as x2.
constexpr RadioChoice kMultiplication[] = {{1, 0, 0x3, 0}, {2, 1, 0x1, 0x1}, {3, 2, 0, 0}};
constexpr auto kPoleSensing = bitChoices(0x04, 4, 5);
constexpr auto kSensorLogic = bitChoices(0x10, 6, 7);
constexpr auto kEncoderPhase = bitChoices(0x20, 8, 9);
constexpr auto kLinearEncoderMake = bitChoices(0x40, 10, 11);
constexpr auto kMotorType = bitChoices(0x1, 12, 13);
constexpr auto kCommandMultiplication = bitChoices(0x2, 14, 15);
constexpr auto kCommandPulseFormat = bitChoices(0x4, 16, 17);

constexpr RadioGroup kGroups[] = {
    {"GroupBox1", kMultiplication},        {"GroupBox2", kPoleSensing},        {"GroupBox3", kSensorLogic},
    {"GroupBox4", kEncoderPhase},          {"GroupBox5", kLinearEncoderMake},  {"GroupBox6", kMotorType},
    {"GroupBox7", kCommandMultiplication}, {"GroupBox8", kCommandPulseFormat},
};
constexpr std::span<const RadioGroup> kAllGroups{kGroups};

constexpr FlagsWord kEncoderFlags{4, kAllGroups.first(5)};
constexpr FlagsWord kMotorFlags{5, kAllGroups.subspan(5)};

const RadioChoice& matchingChoice(const RadioGroup& group, std::uint32_t word)
{
    return *std::find_if(group.choices.begin(), group.choices.end(),
                         [word](const RadioChoice& c) { return (word & c.testMask) == c.testValue; });
}

}  // namespace

const FlagsWord& encoderFlags()
{
    return kEncoderFlags;
}
const FlagsWord& motorFlags()
{
    return kMotorFlags;
}
std::span<const RadioGroup> allRadioGroups()
{
    return kAllGroups;
}

void decodeFlags(const FlagsWord& word, std::int32_t value, ParameterControls& controls)
{
    for (const RadioGroup& group : word.groups)
        controls.checkRadio(matchingChoice(group, static_cast<std::uint32_t>(value)).radio);
}

std::int32_t shownFlags(const FlagsWord& word, std::int32_t value)
{
    std::uint32_t shown = 0;
    for (const RadioGroup& group : word.groups)
        shown |= matchingChoice(group, static_cast<std::uint32_t>(value)).pattern;
    return static_cast<std::int32_t>(shown);
}

std::int32_t encodeFlags(const FlagsWord& word, const ParameterControls& controls)
{
    std::uint32_t value = 0;
    for (const RadioGroup& group : word.groups) {
        for (const RadioChoice& choice : group.choices) {
            if (controls.radioChecked(choice.radio))
                value |= choice.pattern;
        }
    }
    return static_cast<std::int32_t>(value);
}

}  // namespace vk
