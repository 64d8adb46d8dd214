#include "cli/ParameterFile.h"
#include "params/FlagsWord.h"
#include "platform/NumberText.h"

#include <gtest/gtest.h>

#include <climits>
#include <sstream>

namespace vk::cli {
namespace {

ParameterFile read(const std::string& text)
{
    std::istringstream in(text);
    return readParameterFile(in, "drive.txt");
}

// Every value the drive can answer comes back from a file as it went in.
TEST(ParameterFile, WhatIsWrittenReadsBackValueForValue)
{
    std::vector<FileValue> values;
    for (const std::int32_t v : {0, 1, -1, INT_MAX, INT_MIN, 2048})
        values.push_back({0, std::to_string(v), v, 0});
    for (const FlagsWord* word : {&encoderFlags(), &motorFlags()})
        for (std::int32_t v = 0; v < 0x100; ++v)
            values.push_back({word->number, hexPatternText(v, 3), v, 0});
    for (const FileValue& v : values) {
        std::ostringstream out;
        writeParameterFile(out, FileHeader{"vk785n 1.0.0", "2026-12-09T00:00:00Z", "COM1 (/dev/ttyS0)", "0 (servo off)"}, {v});
        const ParameterFile back = read(out.str());
        ASSERT_TRUE(back.errors.empty()) << back.errors.front();
        ASSERT_EQ(back.values.size(), 1u) << out.str();
        EXPECT_EQ(back.values[0].value, v.value) << v.text;
        EXPECT_EQ(back.values[0].text, v.text);
    }
    EXPECT_EQ(values.size(), 6u + 2u * 256u);
}

TEST(ParameterFile, AFileEditedByHandReads)
{
    const ParameterFile file = read("\xEF\xBB\xBF# my drive\r\n\r\n  6 = 15   # offset\r\n04=046\r\n\t22 = $500\r\n18 = 7");
    ASSERT_TRUE(file.errors.empty()) << file.errors.front();
    ASSERT_EQ(file.values.size(), 4u);
    EXPECT_EQ(file.values[0].number, 6);
    EXPECT_EQ(file.values[0].line, 3);
    EXPECT_EQ(file.values[1].value, 0x46);
    EXPECT_EQ(file.values[2].value, 1280);
    EXPECT_EQ(file.values[3].number, 18);
}

struct Refusal {
    const char* line;
    const char* error;
};

TEST(ParameterFile, NamesTheLineOfEveryRefusal)
{
    const Refusal refusals[] = {
        {"06 15", "drive.txt:2: expected NUMBER = VALUE, found '06 15'"},
        {"= 15", "drive.txt:2: expected NUMBER = VALUE, found '= 15'"},
        {"006 = 1", "drive.txt:2: expected NUMBER = VALUE, found '006 = 1'"},
        {"06 =", "drive.txt:2: expected NUMBER = VALUE, found '06 ='"},
        {"06 = 1 5", "drive.txt:2: expected one value after '=', found '1 5'"},
        {"13 = 0", "drive.txt:2: number 13: no parameter number 13"},
        {"31 = 0", "drive.txt:2: number 31: no parameter number 31"},
        {"00 = 12a", "drive.txt:2: number 0: '12a' is no integer"},
        {"00 = 2147483648", "drive.txt:2: number 0: '2147483648' is no integer"},
        {"04 = 0G1", "drive.txt:2: number 4: '0G1' is no hexadecimal value"},
        {"1 = 4", "drive.txt:2: number 1 given twice (first on line 1)"},
    };
    for (const Refusal& r : refusals) {
        const ParameterFile file = read("01 = 2\n" + std::string(r.line) + "\n");
        ASSERT_EQ(file.errors.size(), 1u) << r.line;
        EXPECT_EQ(file.errors[0], r.error);
    }
    EXPECT_EQ(read("x\ny\n").errors.size(), 2u) << "every line is checked";
}

}  // namespace
}  // namespace vk::cli
