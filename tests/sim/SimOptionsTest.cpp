#include "sim/SimOptions.h"
#include "sim/SimLog.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace vk::sim {
namespace {

TEST(SimOptions, NothingGivenMeansAWellBehavedDriver)
{
    const SimOptions options = parseSimOptions({});
    EXPECT_FALSE(options.help);
    EXPECT_FALSE(options.status);
    EXPECT_TRUE(options.parameters.empty());
    EXPECT_TRUE(options.stale.empty());
    EXPECT_FALSE(options.verbose);
    EXPECT_FALSE(options.faults.silent);
    EXPECT_EQ(options.faults.silentFrom, -1);
    EXPECT_EQ(options.faults.ackChar, '.');
    EXPECT_EQ(options.faults.batches, 1);
}

TEST(SimOptions, SetsEverySwitch)
{
    const SimOptions options = parseSimOptions(
        {"--status",      "8001",      "--param",   "4=046", "--param",    "22=-3",   "--silent",
         "--silent-from", "18",        "--ack",     "\\x15", "--ack-from", "6",       "--ack-only",
         "--crlf",        "--garbage", "--batches", "4",     "--paced",    "--stale", "12\\r",
         "--store-wrong", "6",         "--echo",    "--help"});
    EXPECT_EQ(options.status, 0x8001);
    EXPECT_EQ(options.parameters, (std::vector<std::pair<int, std::int32_t>>{{4, 0x46}, {22, -3}}));
    EXPECT_TRUE(options.faults.silent);
    EXPECT_EQ(options.faults.silentFrom, 18);
    EXPECT_EQ(options.faults.ackChar, '\x15');
    EXPECT_EQ(options.faults.ackCharFrom, 6);
    EXPECT_TRUE(options.faults.ackOnly);
    EXPECT_TRUE(options.faults.crlf);
    EXPECT_TRUE(options.faults.garbage);
    EXPECT_EQ(options.faults.batches, 4);
    EXPECT_TRUE(options.faults.paced);
    EXPECT_EQ(options.faults.storesWrong, 6);
    EXPECT_TRUE(options.faults.echo);
    EXPECT_EQ(options.stale, "12\r");
    EXPECT_TRUE(options.help);

    DriverCore core;
    applyMemory(options, core);
    EXPECT_EQ(core.statusWord(), 0x8001);
    EXPECT_EQ(core.parameter(4), 0x46);
    EXPECT_EQ(core.parameter(22), -3);
}

// --verbose takes no value: whatever follows it is an option of its own.
TEST(SimOptions, VerboseAsksForTheTrafficLogWherever)
{
    struct Case {
        std::vector<std::string> args;
        bool verbose;
        std::optional<std::int32_t> status;
    };
    const std::vector<Case> cases = {
        {{"--verbose"}, true, std::nullopt},
        {{"--verbose", "--status", "1"}, true, 1},
        {{"--status", "1", "--verbose"}, true, 1},
        {{"--status", "1"}, false, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        const SimOptions options = parseSimOptions(c.args);
        EXPECT_EQ(options.verbose, c.verbose);
        EXPECT_EQ(options.status, c.status);
    }
    EXPECT_THROW(parseSimOptions({"--verbose", "yes"}), SimOptionError);
}

TEST(SimOptions, RefusesBadOptionsWithTheReason)
{
    struct Case {
        std::vector<std::string> args;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {{"--bogus"}, "unknown option '--bogus'"},
        {{"--status"}, "--status: needs a value"},
        {{"--status", "xyz"}, "--status: expected one to eight hexadecimal digits"},
        {{"--param", "22"}, "--param: expected N=VALUE"},
        {{"--param", "31=1"}, "--param: expected a whole number from 0 to 30"},
        {{"--param", "2=x"}, "--param: expected a decimal value for number 2"},
        {{"--param", "5=-1"}, "--param: expected a hexadecimal value for number 5"},
        {{"--silent-from", "32"}, "--silent-from: expected a whole number from 0 to 31"},
        {{"--batches", "0"}, "--batches: expected a whole number from 1 to 100"},
        {{"--batches", "2x"}, "--batches: expected a whole number"},
        {{"--ack", "ab"}, "--ack: expected exactly one byte"},
        {{"--ack", "\\x13"}, "--ack: XON and XOFF"},
        {{"--stale", "a\\q"}, "--stale: bad escape"},
        {{"--stale", "\\x1"}, "--stale: bad escape"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        try {
            parseSimOptions(c.args);
            ADD_FAILURE() << "accepted";
        } catch (const SimOptionError& error) {
            EXPECT_NE(std::string(error.what()).find(c.reason), std::string::npos) << error.what();
        }
    }
}

TEST(SimLog, EscapesBytesIntoOneReadableLine)
{
    EXPECT_EQ(unescapeBytes("a\\r\\n\\x41\\\\"), "a\r\nA\\");
    EXPECT_EQ(escapedBytes(std::string("8001\r\n\x01\\\xff", 9)), "8001\\r\\n\\x01\\\\\\xFF");
    EXPECT_EQ(timeOfDay(std::chrono::system_clock::now()).size(), std::string("12:34:56.789").size());
}

}  // namespace
}  // namespace vk::sim
