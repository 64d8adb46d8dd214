#include "params/IntegerText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <ostream>
#include <string>

namespace vk {
namespace {

constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
constexpr auto kMax = std::numeric_limits<std::int32_t>::max();

struct IntegerCase {
    std::string text;
    std::optional<std::int32_t> expected;
};

// Names the row in test lists; a tab shows as \t.
void PrintTo(const IntegerCase& c, std::ostream* out)
{
    *out << '[';
    for (const char ch : c.text)
        *out << (ch == '\t' ? std::string("\\t") : std::string(1, ch));
    *out << ']';
}

class IntegerTextRule : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(IntegerTextRule, ParsesOrRejects)
{
    const IntegerCase& c = GetParam();
    EXPECT_EQ(parseIntegerText(c.text), c.expected) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(Decimal, IntegerTextRule,
                         ::testing::Values(IntegerCase{"0", 0}, IntegerCase{"123", 123}, IntegerCase{"007", 7},
                                           IntegerCase{"+5", 5}, IntegerCase{"-5", -5}, IntegerCase{"-0", 0},
                                           IntegerCase{"2147483647", kMax}, IntegerCase{"-2147483648", kMin},
                                           IntegerCase{"2147483648", std::nullopt},
                                           IntegerCase{"-2147483649", std::nullopt},
                                           IntegerCase{"99999999999999999999999", std::nullopt},
                                           IntegerCase{"--5", std::nullopt}, IntegerCase{"+-5", std::nullopt},
                                           IntegerCase{"- 5", std::nullopt}, IntegerCase{"+", std::nullopt},
                                           IntegerCase{"12a", std::nullopt}, IntegerCase{"1 2", std::nullopt},
                                           IntegerCase{"1.5", std::nullopt}, IntegerCase{"１２", std::nullopt}));

INSTANTIATE_TEST_SUITE_P(Hexadecimal, IntegerTextRule,
                         ::testing::Values(IntegerCase{"$1F", 31}, IntegerCase{"$ff", 255}, IntegerCase{"x10", 16},
                                           IntegerCase{"X1a", 26}, IntegerCase{"0x7fffffff", kMax},
                                           IntegerCase{"0X80000000", kMin}, IntegerCase{"$FFFFFFFF", -1},
                                           IntegerCase{"$000000001", 1}, IntegerCase{"$100000000", std::nullopt},
                                           IntegerCase{"$", std::nullopt}, IntegerCase{"x", std::nullopt},
                                           IntegerCase{"0x", std::nullopt}, IntegerCase{"$g", std::nullopt},
                                           IntegerCase{"0x 5", std::nullopt}, IntegerCase{"$-5", std::nullopt},
                                           IntegerCase{"$+5", std::nullopt}, IntegerCase{"0xx5", std::nullopt},
                                           IntegerCase{"$$5", std::nullopt}));

INSTANTIATE_TEST_SUITE_P(SignBeforePrefix, IntegerTextRule,
                         ::testing::Values(IntegerCase{"-$5", std::nullopt}, IntegerCase{"+0x5", std::nullopt},
                                           IntegerCase{"-x5", std::nullopt}, IntegerCase{"+X5", std::nullopt}));

INSTANTIATE_TEST_SUITE_P(Blanks, IntegerTextRule,
                         ::testing::Values(IntegerCase{"   42", 42}, IntegerCase{"  -42", -42}, IntegerCase{" $2A", 42},
                                           IntegerCase{" 0x2A", 42}, IntegerCase{"42 ", std::nullopt},
                                           IntegerCase{"$2A ", std::nullopt}, IntegerCase{"\t42", std::nullopt},
                                           IntegerCase{"", std::nullopt}, IntegerCase{"   ", std::nullopt},
                                           IntegerCase{"4 ", std::nullopt}));

TEST(ConversionErrorTest, CarriesTheTextInItsMessage)
{
    for (const std::string text : {"12a", " x", "", "abc"}) {
        try {
            convertIntegerText(text);
            ADD_FAILURE() << "no error for '" << text << "'";
        } catch (const ConversionError& error) {
            EXPECT_EQ(std::string(error.what()), "'" + text + "' は数値ではありません");
            EXPECT_EQ(error.text(), text);
        }
    }
    EXPECT_EQ(convertIntegerText(" -17"), -17);
}

TEST(StrToHexTest, ShiftsInDecimalDigitsAndCountsOtherCharactersAsZero)
{
    const std::pair<std::string, std::int32_t> cases[] = {
        {"", 0},
        {"0", 0},
        {"3", 3},
        {"077", 0x77},
        {"123", 0x123},
        {"0A4", 0x004},
        {"ff", 0},
        {"12345678", 0x12345678},
        {"80000000", kMin},
        {"-1", 1},
        {" 1", 1},
        {"100000001", 1},  // the ninth digit pushes the first out of 32 bits
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(StrToHex(text), expected) << '"' << text << '"';
}

}  // namespace
}  // namespace vk
