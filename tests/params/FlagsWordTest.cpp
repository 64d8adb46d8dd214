#include "params/FlagsWord.h"
#include "tests/params/CheckedRadios.h"
#include "tests/support/MemoryControls.h"

#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <vector>

namespace vk {
namespace {

using test::checkedRadios;
using test::MemoryControls;

// Controls with the last button of every group checked, so a decode must move each one.
MemoryControls lastButtonsChecked()
{
    MemoryControls controls;
    for (const RadioGroup& group : allRadioGroups())
        controls.checkRadio(group.choices.back().radio);
    return controls;
}

struct DecodeCase {
    std::int32_t value;
    std::set<int> encoderRadios;  // RadioButton1..11
    std::set<int> motorRadios;    // RadioButton12..17
};

void PrintTo(const DecodeCase& c, std::ostream* out)
{
    *out << "0x" << std::hex << static_cast<std::uint32_t>(c.value);
}

class FlagsDecode : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(FlagsDecode, ChecksOneButtonPerGroup)
{
    const DecodeCase& c = GetParam();
    for (MemoryControls controls : {MemoryControls{}, lastButtonsChecked()}) {
        decodeFlags(encoderFlags(), c.value, controls);
        decodeFlags(motorFlags(), c.value, controls);
        std::set<int> expected = c.encoderRadios;
        expected.insert(c.motorRadios.begin(), c.motorRadios.end());
        EXPECT_EQ(checkedRadios(controls), expected) << std::hex << c.value;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Words, FlagsDecode,
    ::testing::Values(
        DecodeCase{0x00, {1, 4, 6, 8, 10}, {12, 14, 16}}, DecodeCase{0x01, {2, 4, 6, 8, 10}, {13, 14, 16}},
        DecodeCase{0x02, {3, 4, 6, 8, 10}, {12, 15, 16}},
        DecodeCase{0x03, {2, 4, 6, 8, 10}, {13, 15, 16}},  // both multiplication bits show as x2
        DecodeCase{0x04, {1, 5, 6, 8, 10}, {12, 14, 17}},
        DecodeCase{0x08, {1, 4, 6, 8, 10}, {12, 14, 16}},  // bit 3 has no control
        DecodeCase{0x10, {1, 4, 7, 8, 10}, {12, 14, 16}}, DecodeCase{0x20, {1, 4, 6, 9, 10}, {12, 14, 16}},
        DecodeCase{0x40, {1, 4, 6, 8, 11}, {12, 14, 16}}, DecodeCase{0x46, {3, 5, 6, 8, 11}, {12, 15, 17}},
        DecodeCase{0x77, {2, 5, 7, 9, 11}, {13, 15, 17}},
        DecodeCase{static_cast<std::int32_t>(0xFFFFFF88), {1, 4, 6, 8, 10}, {12, 14, 16}},
        DecodeCase{-1, {2, 5, 7, 9, 11}, {13, 15, 17}}));

// Every choice of one button per group, as the window can show them.
std::vector<std::vector<int>> everyCombination(const FlagsWord& word)
{
    std::vector<std::vector<int>> combinations{{}};
    for (const RadioGroup& group : word.groups) {
        std::vector<std::vector<int>> longer;
        for (const auto& partial : combinations) {
            for (const RadioChoice& choice : group.choices) {
                longer.push_back(partial);
                longer.back().push_back(choice.radio);
            }
        }
        combinations = std::move(longer);
    }
    return combinations;
}

TEST(FlagsRoundTrip, EncodeThenDecodeRestoresEveryCombination)
{
    for (const FlagsWord* word : {&encoderFlags(), &motorFlags()}) {
        const auto combinations = everyCombination(*word);
        EXPECT_EQ(combinations.size(), word == &encoderFlags() ? 48u : 8u);
        for (const auto& radios : combinations) {
            MemoryControls shown;
            for (int radio : radios)
                shown.checkRadio(radio);
            const std::int32_t value = encodeFlags(*word, shown);
            EXPECT_GE(value, 0);
            EXPECT_LE(value, 0x76);
            MemoryControls decoded = lastButtonsChecked();
            decodeFlags(*word, value, decoded);
            for (int radio : radios)
                EXPECT_TRUE(decoded.radioChecked(radio)) << "word " << word->number << " value " << value;
        }
    }
}

TEST(FlagsRoundTrip, DecodeThenEncodeDropsUncontrolledBits)
{
    for (std::int32_t value = 0; value < 0x200; ++value) {
        MemoryControls controls;
        decodeFlags(encoderFlags(), value, controls);
        decodeFlags(motorFlags(), value, controls);
        const std::int32_t multiplication = (value & 3) == 3 ? 1 : value & 3;
        EXPECT_EQ(encodeFlags(encoderFlags(), controls), (value & 0x74) | multiplication) << value;
        EXPECT_EQ(encodeFlags(motorFlags(), controls), value & 7) << value;
    }
}

}  // namespace
}  // namespace vk
