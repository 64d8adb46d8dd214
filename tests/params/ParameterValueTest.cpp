#include "params/ParameterValue.h"

#include "tests/support/NamedCase.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

namespace vk {
namespace {

using test::PrintTo;

constexpr const char* kNoNumber = "not a number: the window cannot write it, restore refuses this line";

// A reply of the drive: the exact value it stands for (or why none) and what
// the window would make of it.
struct ReplyCase {
    const char* name;
    int number;
    std::string reply;
    std::optional<std::int32_t> value;
    std::string problem;
    std::string difference;
};

class Replies : public ::testing::TestWithParam<ReplyCase> {};

TEST_P(Replies, KeepTheExactValueAndSayWhatTheWindowMakesOfIt)
{
    const ReplyCase& c = GetParam();
    const ValueFromText value = parameterValue(c.number, c.reply);
    EXPECT_EQ(value.value, c.value);
    EXPECT_EQ(value.problem, c.problem);
    EXPECT_EQ(windowDifference(c.number, c.reply), c.difference);
}

INSTANTIATE_TEST_SUITE_P(
    Edits, Replies,
    ::testing::Values(
        ReplyCase{"Decimal", 0, "2048", 2048, "", ""}, ReplyCase{"LeadingSpaces", 6, "  15", 15, "", ""},
        ReplyCase{"Garbage", 0, "ZZ?", std::nullopt, "'ZZ?' is no integer", kNoNumber},
        ReplyCase{"Empty", 7, "", std::nullopt, "'' is no integer", kNoNumber},
        ReplyCase{"ControlBytesEscaped", 9, "\x1b[2J\xff", std::nullopt, "'\\x1B[2J\\xFF' is no integer", kNoNumber},
        ReplyCase{"Unused", 13, "0", std::nullopt, "no parameter number 13 (the numbers are 0 to 11, 18, 22 to 25)",
                  "no parameter number 13 (the numbers are 0 to 11, 18, 22 to 25)"}),
    test::caseName<ReplyCase>);

INSTANTIATE_TEST_SUITE_P(
    FlagsWords, Replies,
    ::testing::Values(ReplyCase{"Shown", 4, "046", 0x46, "", ""},
                      ReplyCase{"ShownWithoutLeadingZero", 4, "46", 0x46, "", ""},
                      ReplyCase{"BothMultiplicationBitsShowAsTwo", 4, "077", 0x77, "",
                                "the window shows and writes 075"},
                      ReplyCase{"LettersCountAsZero", 4, "0A4", 0xA4, "", "the window shows and writes 004"},
                      ReplyCase{"BitsNoButtonHolds", 4, "100", 0x100, "", "the window shows and writes 000"},
                      ReplyCase{"MotorWordShown", 5, "007", 7, "", ""},
                      ReplyCase{"MotorWordAboveSeven", 5, "017", 0x17, "", "the window shows and writes 007"},
                      ReplyCase{"NotHex", 4, "0G1", std::nullopt, "'0G1' is no hexadecimal value",
                                "not hexadecimal: the window shows and writes 001, restore refuses this line"}),
    test::caseName<ReplyCase>);

}  // namespace
}  // namespace vk
