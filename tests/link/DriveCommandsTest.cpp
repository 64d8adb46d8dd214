#include "link/DriveCommands.h"
#include "tests/link/FakeLinkTest.h"
#include "tests/support/NamedCase.h"

#include <climits>
#include <functional>

namespace vk::test {
namespace {

using test::PrintTo;

using Exchange = std::function<bool(DriveLink&)>;

struct WireCase {
    const char* name;
    Exchange exchange;
    std::string bytes;
};

class CommandBytesTest : public FakeLinkTest, public ::testing::WithParamInterface<WireCase> {};

TEST_P(CommandBytesTest, SendsTheCommandInOneWrite)
{
    GetParam().exchange(link);
    ASSERT_EQ(port->writes().size(), 1u);
    EXPECT_EQ(port->writes()[0].bytes, GetParam().bytes);
}

Exchange writing(int number, std::int32_t value)
{
    return [=](DriveLink& link) { return writeParameter(link, number, value); };
}

Exchange reading(int number)
{
    return [=](DriveLink& link) { return readParameter(link, number).has_value(); };
}

INSTANTIATE_TEST_SUITE_P(
    , CommandBytesTest,
    ::testing::Values(WireCase{"Status", [](DriveLink& link) { return queryStatus(link).status >= 0; }, "31\r"},
                      WireCase{"Read0", reading(0), "00\r"}, WireCase{"Read7", reading(7), "07\r"},
                      WireCase{"Save", SaveParam, "$S\r"}, WireCase{"WriteDecimal", writing(22, 1280), "22=1280\r\r"},
                      WireCase{"WriteZero", writing(3, 0), "03=0\r\r"},
                      WireCase{"WriteNegative", writing(2, -5), "02=-5\r\r"},
                      WireCase{"WriteHex4", writing(4, 70), "04=046\r\r"},
                      WireCase{"WriteHex5", writing(5, 7), "05=007\r\r"},
                      WireCase{"WriteHexWide", writing(4, 0xABCD), "04=ABCD\r\r"},
                      WireCase{"WriteHexNegative", writing(5, -1), "05=FFFFFFFF\r\r"}),
    caseName<WireCase>);

TEST(StatusWordTest, ReadsOneTo32BitsOfHexadecimalAndNothingElse)
{
    const std::pair<const char*, std::optional<std::int32_t>> cases[] = {
        {"0", 0},
        {"8001", 0x8001},
        {"0080", 0x80},
        {"ff", 255},
        {"7FFFFFFF", INT_MAX},
        {"FFFFFFFF", -1},
        {"000000001", 1},
        {"", std::nullopt},
        {" 1", std::nullopt},
        {"1 ", std::nullopt},
        {"-1", std::nullopt},
        {"+1", std::nullopt},
        {"0x1", std::nullopt},
        {"1\r2", std::nullopt},
        {"g", std::nullopt},
        {"123456789", std::nullopt},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(parseStatusWord(text), value) << '"' << text << '"';
}

struct StatusCase {
    const char* name;
    std::vector<Arrival> arrivals;
    std::int32_t status;
    std::optional<std::string> text;
    Tick endsAfter;
};

class QueryStatusTest : public FakeLinkTest, public ::testing::WithParamInterface<StatusCase> {};

TEST_P(QueryStatusTest, ReadsTheReplyAsHexadecimal)
{
    const StatusCase& c = GetParam();
    script(c.arrivals);
    const StatusReply reply = queryStatus(link);
    EXPECT_EQ(reply.status, c.status);
    EXPECT_EQ(reply.text, c.text);
    EXPECT_EQ(link.state().TimedOut, !c.text.has_value());
    EXPECT_EQ(elapsed(), c.endsAfter);
}

INSTANTIATE_TEST_SUITE_P(, QueryStatusTest,
                         ::testing::Values(StatusCase{"ServoOnAndAlarm", {{3, "8001\r"}}, 0x8001, "8001", 3},
                                           StatusCase{"EmptyReply", {{3, "\r"}}, 0, "", 3},
                                           StatusCase{"NotANumber", {{3, "ZZ?\r"}}, 0, "ZZ?", 3},
                                           StatusCase{"AllBitsSet", {{3, "FFFFFFFF\r"}}, -1, "FFFFFFFF", 3},
                                           StatusCase{"CrLf", {{3, "1\r\n"}}, -1, std::nullopt, 10001},
                                           StatusCase{"Silence", {}, -1, std::nullopt, 10001}),
                         caseName<StatusCase>);

using DriveCommandsTest = FakeLinkTest;

TEST_F(DriveCommandsTest, StatusQueryFailsAtOnceOnAReadFailureAndWithoutRoomSendsNothing)
{
    port->arrive(start, "1\r");
    port->failReads(true);
    EXPECT_EQ(queryStatus(link).status, -1);
    EXPECT_EQ(elapsed(), 0u);

    port->holdOutput(1024, start + 5000);
    EXPECT_EQ(queryStatus(link).status, -1);
    EXPECT_EQ(elapsed(), 1001u);
    EXPECT_EQ(port->writes().size(), 1u);
}

TEST_F(DriveCommandsTest, ParameterReadGivesTheTextOrNothingAfter10000Ms)
{
    port->arrive(start + 4, "2048\r");
    EXPECT_EQ(readParameter(link, 0), "2048");

    port->arrive(start, "9\r");
    port->failReads(true);
    EXPECT_EQ(readParameter(link, 0), std::nullopt);
    EXPECT_TRUE(link.state().TimedOut);
    EXPECT_EQ(elapsed(), 4u + 10001u);
}

struct AckCase {
    const char* name;
    Exchange exchange;
    std::vector<Arrival> arrivals;
    bool done;
    bool timedOut;
    Tick endsAfter;
    std::uint32_t leftQueued = 0;
};

class AcknowledgementTest : public FakeLinkTest, public ::testing::WithParamInterface<AckCase> {};

TEST_P(AcknowledgementTest, CountsADotAsTheFirstByteAndNothingElse)
{
    const AckCase& c = GetParam();
    script(c.arrivals);
    EXPECT_EQ(c.exchange(link), c.done);
    EXPECT_EQ(link.state().TimedOut, c.timedOut);
    EXPECT_EQ(elapsed(), c.endsAfter);
    EXPECT_EQ(queuedInTheEnd(), c.leftQueued);
}

INSTANTIATE_TEST_SUITE_P(
    , AcknowledgementTest,
    ::testing::Values(AckCase{"WriteDotAndCr", writing(2, 6), {{4, ".\r"}}, true, false, 4},
                      AckCase{"WriteDotThenLateByte", writing(2, 6), {{4, "."}, {9000, "\r"}}, true, false, 9000},
                      AckCase{"WriteDotAlone", writing(2, 6), {{4, "."}}, true, true, 4 + 10001},
                      AckCase{"WriteOtherByte", writing(2, 6), {{4, "x\r"}}, false, false, 4, 1},
                      AckCase{"WriteSilence", writing(2, 6), {}, false, true, 2001},
                      AckCase{"WriteDotTooLate", writing(2, 6), {{2001, ".\r"}}, false, true, 2001, 2},
                      AckCase{"SaveDotAndCr", SaveParam, {{4, ".\r"}}, true, false, 4},
                      AckCase{"SaveDotAloneLateByteStays", SaveParam, {{4, "."}, {10, "\r"}}, true, false, 4, 1},
                      AckCase{"SaveOtherByte", SaveParam, {{4, "x\r"}}, false, false, 4, 1},
                      AckCase{"SaveSilence", SaveParam, {}, false, true, 10001}),
    caseName<AckCase>);

// The byte behind a wrong acknowledgement (or after a save) must not become the
// start of the next reply: every later reply would land on the wrong number.
TEST_F(DriveCommandsTest, BytesLeftFromAnEarlierExchangeNeverStartTheNextReply)
{
    script({{1, "x"}, {2, "\r"}});
    EXPECT_FALSE(writeParameter(link, 2, 6));
    clock.advanceTo(start + 10);
    port->setResponder([](FakeSerialPort& p, const std::string&) { p.arriveIn(3, "1\r"); });
    const StatusReply reply = queryStatus(link);
    EXPECT_EQ(reply.text, std::optional<std::string>("1"));
    EXPECT_EQ(reply.status, 1);
}

TEST_F(DriveCommandsTest, LeftoversLongerThanOneReadAreDroppedWhole)
{
    script({{1, std::string(LinkState::kQueueSize - 1, '7')}});
    clock.advanceTo(start + 10);
    port->setResponder([](FakeSerialPort& p, const std::string&) { p.arriveIn(3, "80\r"); });
    EXPECT_EQ(queryStatus(link).status, 0x80);
}

TEST_F(DriveCommandsTest, LeftoversThatCannotBeReadDoNotHoldUpTheCommand)
{
    script({{1, "7\r"}});
    clock.advanceTo(start + 10);
    port->failReads(true);
    EXPECT_EQ(queryStatus(link).status, -1) << "the failed read ends the query";
    EXPECT_EQ(port->written(), "31\r") << "the command still went out";
}

// Reads that fail while the leftovers are dropped, then work again, must not
// make the leftovers the reply: "7" would be read as parameter 0's value.
TEST_F(DriveCommandsTest, LeftoversNotDroppedForAFailedReadAreNeverTheReply)
{
    script({{1, "7\r"}});
    clock.advanceTo(start + 10);
    port->failReads(true);
    port->setResponder([](FakeSerialPort& p, const std::string&) {
        p.failReads(false);
        p.arriveIn(3, "2048\r");
    });
    EXPECT_EQ(readParameter(link, 0), "2048");
}

// Every exchange on a device that went away fails at once: each tick of the
// window counts one failure, with no wait and nothing written.
TEST_F(FakeLinkTest, ExchangesOnAnUnpluggedDeviceFailAtOnce)
{
    port->unplug();
    EXPECT_EQ(queryStatus(link).status, -1);
    EXPECT_FALSE(readParameter(link, 0));
    EXPECT_FALSE(writeParameter(link, 6, 1));
    EXPECT_FALSE(SaveParam(link));
    EXPECT_EQ(clock.tickMs(), start);
    EXPECT_TRUE(port->writes().empty());
}

}  // namespace
}  // namespace vk::test
