#include "cli/ParameterFile.h"
#include "params/ParameterValue.h"
#include "tests/support/NamedCase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <sstream>
#include <stdexcept>
#include <streambuf>

namespace vk::cli {
namespace {

using test::PrintTo;

const FileHeader kHeader{"vk785n 1.0.0", "2026-12-09T00:00:00Z", "COM1 (/dev/ttyS0)", "0 (servo off)"};

ParameterFile read(const std::string& text)
{
    std::istringstream in(text);
    return readParameterFile(in, "drive.txt");
}

std::string written(const std::vector<BackedUpValue>& values, const FileHeader& header = kHeader)
{
    std::ostringstream out;
    writeParameterFile(out, header, values);
    return out.str();
}

int lineCount(const std::string& text)
{
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

// A reply as the drive gave it, its line in the file, and what reading that line gives.
struct WrittenCase {
    const char* name;
    BackedUpValue reply;
    std::string line;   // the value line, up to its comment
    std::string error;  // after "drive.txt:LINE: "; empty when the value reads back
};

class WrittenReplies : public ::testing::TestWithParam<WrittenCase> {};

TEST_P(WrittenReplies, ReadBackAsTheirExactValueOrAreRefusedByNumber)
{
    const WrittenCase& c = GetParam();
    const std::string file = written({c.reply});
    const int valueLine = lineCount(written({})) + 1;
    ASSERT_EQ(lineCount(file), valueLine) << "one line a value";
    const std::string last = file.substr(file.rfind('\n', file.size() - 2) + 1);
    EXPECT_EQ(last.substr(0, last.find(" # ")), c.line);

    const ParameterFile back = read(file);
    if (c.error.empty()) {
        ASSERT_TRUE(back.errors.empty()) << back.errors.front();
        ASSERT_EQ(back.values.size(), 1u);
        EXPECT_EQ(back.values[0].text, c.reply.text);
        EXPECT_EQ(back.values[0].value, parameterValue(c.reply.number, c.reply.text).value);
        EXPECT_EQ(back.values[0].line, valueLine);
    } else {
        EXPECT_TRUE(back.values.empty());
        EXPECT_EQ(back.errors, std::vector<std::string>{"drive.txt:" + std::to_string(valueLine) + ": " + c.error});
    }
}

INSTANTIATE_TEST_SUITE_P(
    , WrittenReplies,
    ::testing::Values(
        WrittenCase{"Decimal", {0, "2048", ""}, "00 = 2048      ", ""},
        WrittenCase{"FlagsTheWindowChanges", {4, "077", "the window shows and writes 075"}, "04 = 077       ", ""},
        WrittenCase{"NoNumber", {0, "ZZ?", ""}, "00 = ZZ?       ", "number 0: 'ZZ?' is no integer"},
        WrittenCase{"EqualsSign", {1, "1=2", ""}, "01 = 1=2       ", "number 1: '1=2' is no integer"},
        WrittenCase{"Backslash", {2, "\\x31", ""}, "02 = \\x31      ", "number 2: '\\\\x31' is no integer"},
        WrittenCase{"Empty", {7, "", ""}, "07 =           ", "number 7: no value after '='"},
        WrittenCase{"LeadingBlanks", {6, "  15", ""}, "06 = \\x20\\x2015", "number 6: '\\\\x20\\\\x2015' is no integer"},
        WrittenCase{"CommentSign", {8, "1#2", ""}, "08 = 1\\x232    ", "number 8: '1\\\\x232' is no integer"},
        WrittenCase{"Tab", {9, "\t1", ""}, "09 = \\x091     ", "number 9: '\\\\x091' is no integer"},
        WrittenCase{"LineBreak", {10, "1\n2", ""}, "10 = 1\\n2      ", "number 10: '1\\\\n2' is no integer"},
        WrittenCase{"CarriageReturn", {11, "5\r", ""}, "11 = 5\\r       ", "number 11: '5\\\\r' is no integer"},
        WrittenCase{"ControlAndNotAscii",
                    {24, std::string("\x1b[2J\0\xff", 6), ""},
                    "24 = \\x1B[2J\\x00\\xFF",
                    "number 24: '\\\\x1B[2J\\\\x00\\\\xFF' is no integer"},
        WrittenCase{"NotHex", {4, "0G1", ""}, "04 = 0G1       ", "number 4: '0G1' is no hexadecimal value"},
        WrittenCase{"TooLongToRead",
                    {0, std::string(kLineBytes, '1'), ""},
                    "00 = " + std::string(kLineBytes, '1'),
                    "number 0: the line is longer than 1024 bytes"}),
    test::caseName<WrittenCase>);

TEST(ParameterFile, NotesAndHeaderStayComments)
{
    const FileHeader hostile{"v\nx", "w#", "p\r\x1b" + std::string(5000, 'p'), std::string(2000, '\n')};
    const std::string file = written({{4, "077", "the window\nshows 075"}, {6, "1", ""}}, hostile);
    EXPECT_NE(file.find("04 = 077        # encoder flags word; the window?shows 075\n"), std::string::npos);
    EXPECT_NE(file.find("06 = 1          # commutation offset, electrical degrees\n"), std::string::npos);
    EXPECT_NE(file.find("# VK785N drive parameters, written by v?x\n# when:   w#\n# port:   p??ppp"),
              std::string::npos);
    const ParameterFile back = read(file);
    ASSERT_TRUE(back.errors.empty()) << back.errors.front();
    EXPECT_EQ(back.values.size(), 2u);
    EXPECT_THROW(written({{32, "0", ""}}), std::out_of_range);
}

// Whatever a drive answers, its line reads back as exactly the value of that
// answer, or as an error on that line naming its number: never another value.
TEST(ParameterFile, EveryReplyReadsBackAsItselfOrIsRefusedByNumber)
{
    std::vector<std::string> replies = {"", "077", "$500", " 42", "0x7FFFFFFF", "\\", "\\x41"};
    for (int byte = 0; byte < 256; ++byte) {
        const std::string b(1, static_cast<char>(byte));
        replies.insert(replies.end(), {b, "1" + b, "0" + b + "7"});
    }
    const int valueLine = lineCount(written({})) + 1;
    for (int number = 0; number < 32; ++number) {
        for (const std::string& reply : replies) {
            const ParameterFile back = read(written({{number, reply, windowDifference(number, reply)}}));
            if (back.values.empty()) {
                ASSERT_EQ(back.errors.size(), 1u) << number << " " << reply;
                EXPECT_TRUE(back.errors[0].starts_with("drive.txt:" + std::to_string(valueLine) + ": number "
                                                       + std::to_string(number)))
                    << back.errors[0];
                continue;
            }
            ASSERT_EQ(back.values.size(), 1u);
            EXPECT_TRUE(back.errors.empty());
            EXPECT_EQ(back.values[0].number, number);
            EXPECT_EQ(back.values[0].text, reply);
            EXPECT_EQ(back.values[0].value, parameterValue(number, reply).value) << number << " " << reply;
        }
    }
}

TEST(ParameterFile, AFileEditedByHandReads)
{
    const ParameterFile file = read(
        "\xEF\xBB\xBF# my drive\r\n\r\n  6 = 15   # offset\r\n04=003\r\n\t22 = $500\r\n18 = 7\n"
        + std::string(kLineBytes, '#'));
    ASSERT_TRUE(file.errors.empty()) << file.errors.front();
    ASSERT_EQ(file.values.size(), 4u);
    EXPECT_EQ(file.values[0].number, 6);
    EXPECT_EQ(file.values[0].line, 3);
    EXPECT_EQ(file.values[1].value, 3);
    EXPECT_EQ(file.values[2].value, 1280);
    EXPECT_EQ(file.values[3].number, 18);
}

struct Refusal {
    const char* name;
    std::string line;
    std::string error;
};

class Refusals : public ::testing::TestWithParam<Refusal> {};

TEST_P(Refusals, NameTheirLine)
{
    const ParameterFile file = read("01 = 2\n" + GetParam().line + "\n");
    EXPECT_EQ(file.errors, std::vector<std::string>{"drive.txt:2: " + GetParam().error});
    EXPECT_EQ(file.values.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    , Refusals,
    ::testing::Values(
        Refusal{"NoSign", "06 15", "expected NUMBER = VALUE, found '06 15'"},
        Refusal{"NoNumber", "= 15", "expected NUMBER = VALUE, found '= 15'"},
        Refusal{"ThreeDigits", "006 = 1", "expected NUMBER = VALUE, found '006 = 1'"},
        Refusal{"ControlBytesQuotedEscaped", "\x1b]0;x\x07 = 1", "expected NUMBER = VALUE, found '\\x1B]0;x\\x07 = 1'"},
        Refusal{"NoValue", "06 =", "number 6: no value after '='"},
        Refusal{"TwoValues", "06 = 1 5", "number 6: expected one value after '=', found '1 5'"},
        Refusal{"Unused", "13 = 0", "number 13: no parameter number 13 (the numbers are 0 to 11, 18, 22 to 25)"},
        Refusal{"NoInteger", "00 = 12a", "number 0: '12a' is no integer"},
        Refusal{"NotHex", "04 = 0G1", "number 4: '0G1' is no hexadecimal value"},
        Refusal{"Twice", "1 = 4", "number 1 given twice (first on line 1)"},
        Refusal{"NulInValue", std::string("06 = 1\0", 7), "number 6: the line holds a NUL byte"},
        Refusal{"NulInComment", std::string("# a\0b", 5), "the line holds a NUL byte"},
        Refusal{"LongValue", "06 = " + std::string(kLineBytes, '1'), "number 6: the line is longer than 1024 bytes"},
        Refusal{"LongComment", std::string(kLineBytes + 1, '#'), "the line is longer than 1024 bytes"}),
    test::caseName<Refusal>);

// `count` bytes of one kind, made as they are read; bad past `failAt`.
class GeneratedBytes : public std::streambuf {
public:
    GeneratedBytes(char byte, std::size_t count, std::size_t failAt = SIZE_MAX) : count_(count), failAt_(failAt)
    {
        block_.fill(byte);
    }

    std::size_t taken() const { return taken_ - static_cast<std::size_t>(egptr() - gptr()); }

protected:
    int_type underflow() override
    {
        if (taken_ >= failAt_)
            throw std::runtime_error("unreadable");
        const std::size_t size = std::min(block_.size(), count_ - taken_);
        if (size == 0)
            return traits_type::eof();
        taken_ += size;
        setg(block_.data(), block_.data(), block_.data() + size);
        return traits_type::to_int_type(block_[0]);
    }

private:
    std::array<char, 4096> block_{};
    std::size_t count_;
    std::size_t failAt_;
    std::size_t taken_ = 0;
};

struct HostileCase {
    const char* name;
    char byte;
    std::size_t count;
    std::size_t failAt;
    std::vector<std::string> firstErrors;
    std::size_t moreErrors;
};

class HostileInput : public ::testing::TestWithParam<HostileCase> {};

// Memory and messages stay bounded whatever the stream holds, and the reader
// stops taking bytes once it knows the input is too large.
TEST_P(HostileInput, IsRefusedWithBoundedErrors)
{
    const HostileCase& c = GetParam();
    GeneratedBytes bytes(c.byte, c.count, c.failAt);
    std::istream in(&bytes);
    const ParameterFile file = readParameterFile(in, "drive.txt");
    EXPECT_TRUE(file.values.empty());
    const std::size_t shown = std::min(file.errors.size(), c.firstErrors.size());
    EXPECT_EQ(std::vector<std::string>(file.errors.begin(), file.errors.begin() + shown), c.firstErrors);
    EXPECT_LE(file.errors.size(), kKeptErrors);
    EXPECT_EQ(file.moreErrors, c.moreErrors);
    EXPECT_LE(bytes.taken(), kFileBytes + 1);
}

const std::string kTooLarge = "drive.txt: larger than 1048576 bytes, not read further";

INSTANTIATE_TEST_SUITE_P(
    , HostileInput,
    ::testing::Values(
        HostileCase{"EightMebibytesOfNul", '\0', 8u << 20, SIZE_MAX, {kTooLarge}, 0},
        HostileCase{"OneByteTooMany", '\n', kFileBytes + 1, SIZE_MAX, {kTooLarge}, 0},
        HostileCase{"AtTheLimit", '\n', kFileBytes, SIZE_MAX, {}, 0},
        HostileCase{"OneLongLineOfNul", '\0', 100000, SIZE_MAX, {"drive.txt:1: the line is longer than 1024 bytes"}, 0},
        HostileCase{"Unreadable", '\n', 100000, 8192, {"drive.txt: cannot be read"}, 0}),
    test::caseName<HostileCase>);

TEST(ParameterFile, KeepsTheFirstErrorsAndCountsTheRest)
{
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "x\n";
    const ParameterFile file = read(text);
    ASSERT_EQ(file.errors.size(), kKeptErrors);
    EXPECT_EQ(file.errors.back(), "drive.txt:20: expected NUMBER = VALUE, found 'x'");
    EXPECT_EQ(file.moreErrors, 100u - kKeptErrors);
}

}  // namespace
}  // namespace vk::cli
