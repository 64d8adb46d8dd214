#include "sim/DriverCore.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace vk::sim {
namespace {

std::string joined(const std::vector<ReplyBatch>& batches)
{
    std::string bytes;
    for (const auto& batch : batches)
        bytes += batch.bytes;
    return bytes;
}

SimFaults withAck(char ack, int from)
{
    SimFaults faults;
    faults.ackChar = ack;
    faults.ackCharFrom = from;
    return faults;
}

TEST(DriverCore, AnswersEachCommandWithItsBytes)
{
    const SimFaults plain;
    const SimFaults silent{.silent = true};
    const SimFaults stopAt8{.silentFrom = 8};
    const SimFaults ackOnly{.ackOnly = true};
    const SimFaults crlf{.crlf = true};
    const SimFaults garbage{.garbage = true};
    struct Case {
        const char* name;
        SimFaults faults;
        std::string sent;
        std::string answer;
    };
    const std::vector<Case> cases = {
        {"status", plain, "31\r", "0\r"},
        {"read decimal", plain, "00\r", "2048\r"},
        {"read gain", plain, "22\r", "1280\r"},
        {"read flags word as 3 hex digits", plain, "04\r", "000\r"},
        {"write, second CR unanswered", plain, "02=6\r\r", ".\r"},
        {"save", plain, "$S\r", ".\r"},
        {"XON/XOFF are no data", plain,
         "\x11"
         "31\x13\r",
         "0\r"},
        {"two commands in a row", plain, "02=6\r\r02\r", ".\r6\r"},
        {"number out of range", plain, "32\r", ""},
        {"one digit", plain, "7\r", ""},
        {"three digits", plain, "002\r", ""},
        {"letters", plain, "ab\r", ""},
        {"lowercase save", plain, "$s\r", ""},
        {"status is not writable", plain, "31=5\r\r", ""},
        {"decimal value with letters", plain, "02=6a\r\r", ""},
        {"decimal value with plus", plain, "02=+6\r\r", ""},
        {"empty value", plain, "02=\r\r", ""},
        {"flags value not hex", plain, "04=0G\r\r", ""},
        {"value beyond 32 bits", plain, "00=2147483648\r\r", ""},
        {"silent status", silent, "31\r", ""},
        {"silent save", silent, "$S\r", ""},
        {"stop at 8: 7 answered", stopAt8, "07\r", "100\r"},
        {"stop at 8: 8 silent", stopAt8, "08\r", ""},
        {"stop at 8: write silent", stopAt8, "08=1\r\r", ""},
        {"stop at 8: status silent", stopAt8, "31\r", ""},
        {"stop at 8: save answered", stopAt8, "$S\r", ".\r"},
        {"ack from 10: 9 gets dot", withAck('N', 10), "09=1\r\r", ".\r"},
        {"ack from 10: 10 gets N", withAck('N', 10), "10=1\r\r", "N\r"},
        {"ack from 10: save gets N", withAck('N', 10), "$S\r", "N\r"},
        {"ack only write", ackOnly, "02=6\r\r", "."},
        {"ack only save", ackOnly, "$S\r", "."},
        {"crlf status", crlf, "31\r", "0\r\n"},
        {"crlf read", crlf, "00\r", "2048\r\n"},
        {"crlf leaves acks", crlf, "02=6\r\r", ".\r"},
        {"garbage status", garbage, "31\r", "ZZ?\r"},
        {"garbage flags word", garbage, "04\r", "ZZ?\r"},
        {"garbage leaves acks", garbage, "02=6\r\r", ".\r"},
        {"echo sends the command back", {.echo = true}, "31\r00\r", "31\r00\r"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DriverCore core(c.faults);
        EXPECT_EQ(joined(core.receive(c.sent)), c.answer);
    }
}

TEST(DriverCore, ShowsValuesAsTheTerminalWritesThem)
{
    struct Case {
        int number;
        std::int32_t value;
        std::string shown;
    };
    const std::vector<Case> cases = {
        {31, 0x8001, "8001"}, {31, 0x0080, "80"},  {31, -1, "FFFFFFFF"}, {4, 0x46, "046"},
        {5, 7, "007"},        {4, 0x1234, "1234"}, {0, -5, "-5"},        {22, 2560, "2560"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        DriverCore core;
        core.setParameter(c.number, c.value);
        const std::string read = c.number < 10 ? "0" + std::to_string(c.number) : std::to_string(c.number);
        EXPECT_EQ(joined(core.receive(read + "\r")), c.shown + "\r");
    }
}

TEST(DriverCore, WriteChangesMemoryOnlyWhenAcknowledged)
{
    DriverCore core;
    core.receive("04=046\r\r05=a\r\r22=-5\r\r");
    EXPECT_EQ(core.parameter(4), 0x46);
    EXPECT_EQ(core.parameter(5), 10);
    EXPECT_EQ(core.parameter(22), -5);
    EXPECT_EQ(joined(core.receive("05\r")), "00A\r");

    core.receive("22=abc\r\r");
    EXPECT_EQ(core.parameter(22), -5);

    core.faults().silentFrom = 22;
    core.receive("22=7\r\r");
    EXPECT_EQ(core.parameter(22), -5);

    core.faults().storesWrong = 6;
    EXPECT_EQ(joined(core.receive("06=7\r\r")), ".\r");
    EXPECT_EQ(core.parameter(6), 8);
}

TEST(DriverCore, RecordsCommandLinesAndSaves)
{
    DriverCore core;
    EXPECT_TRUE(core.receive("02=6\r").size() == 1);
    EXPECT_TRUE(core.receive("\r3").empty());
    EXPECT_EQ(joined(core.receive("1\r$S\rxx\r")), "0\r.\r");
    EXPECT_EQ(core.commands(), (std::vector<std::string>{"02=6", "31", "$S", "xx"}));
    EXPECT_EQ(core.saveCount(), 1);

    core.faults().silent = true;
    core.receive("$S\r");
    EXPECT_EQ(core.saveCount(), 1);
}

// A flood without a CR must not grow the driver without bound.
TEST(DriverCore, DropsALineLongerThanItsBufferWhole)
{
    DriverCore core;
    const std::string longWrite = "02=" + std::string(DriverCore::kLineLimit, '0') + "6\r\r";
    EXPECT_TRUE(core.receive(longWrite).empty());
    EXPECT_EQ(core.parameter(2), DriverCore().parameter(2));
    for (int i = 0; i < 1000; ++i)
        core.receive(std::string(1000, '1'));
    EXPECT_EQ(joined(core.receive("\r02\r")), "8\r");
    EXPECT_EQ(
        core.commands(),
        (std::vector<std::string>{std::string(DriverCore::kDroppedLine), std::string(DriverCore::kDroppedLine), "02"}));
}

TEST(DriverCore, HasPlausibleFactorySettings)
{
    const DriverCore core;
    EXPECT_EQ(core.parameter(0), 2048);
    EXPECT_EQ(core.parameter(2), 8);
    EXPECT_EQ(core.parameter(7), 100);
    EXPECT_EQ(core.parameter(22), 1280);
    EXPECT_EQ(core.parameter(23), 256);
    EXPECT_EQ(core.statusWord(), 0);
    EXPECT_THROW(core.parameter(32), std::out_of_range);
    EXPECT_THROW(core.parameter(-1), std::out_of_range);
}

TEST(DriverCore, PacesAndSplitsAnswers)
{
    struct Case {
        const char* name;
        SimFaults faults;
        std::string sent;
        std::vector<ReplyBatch> batches;
    };
    const std::vector<Case> cases = {
        {"at once", {}, "00\r", {{0, "2048\r"}}},
        {"paced: when the last byte is in", {.paced = true}, "00\r", {{std::uint64_t{5} * 1042, "2048\r"}}},
        {"split, 1 ms apart", {.batches = 3}, "00\r", {{0, "20"}, {1000, "48"}, {2000, "\r"}}},
        {"split and paced", {.batches = 3, .paced = true}, "00\r", {{2084, "20"}, {4168, "48"}, {5210, "\r"}}},
        {"more pieces than bytes", {.batches = 10}, "$S\r", {{0, "."}, {1000, "\r"}}},
        {"second answer after the first", {.paced = true}, "31\r00\r", {{2084, "0\r"}, {2084 + 5210, "2048\r"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DriverCore core(c.faults);
        const auto batches = core.receive(c.sent);
        ASSERT_EQ(batches.size(), c.batches.size());
        for (std::size_t i = 0; i < batches.size(); ++i) {
            EXPECT_EQ(batches[i].delayUs, c.batches[i].delayUs) << "piece " << i;
            EXPECT_EQ(batches[i].bytes, c.batches[i].bytes) << "piece " << i;
        }
    }
}

}  // namespace
}  // namespace vk::sim
