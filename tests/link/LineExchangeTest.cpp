#include "tests/link/FakeLinkTest.h"
#include "tests/support/NamedCase.h"

namespace vk::test {
namespace {

using test::PrintTo;

constexpr Tick kReplyBudget = 10000;
constexpr Tick kCharBudget = 2000;
constexpr Tick kWrap32 = Tick{1} << 32;

using LineExchangeTest = FakeLinkTest;

// "0123456789012..." of the given length.
std::string countingText(std::size_t length)
{
    std::string text;
    for (std::size_t i = 0; i < length; ++i)
        text += static_cast<char>('0' + i % 10);
    return text;
}

TEST_F(LineExchangeTest, SendLineWritesTheTextAndOneCrInOneWrite)
{
    EXPECT_TRUE(link.SendLine("31"));
    ASSERT_EQ(port->writes().size(), 1u);
    EXPECT_EQ(port->writes()[0].bytes, "31\r");
    EXPECT_EQ(link.state().OutgoingLine, "31\r");
}

struct RoomCase {
    const char* name;
    std::uint32_t heldBytes;
    Tick heldFor;
    bool sent;
    Tick returnsAfter;
};

class SendLineRoomTest : public FakeLinkTest, public ::testing::WithParamInterface<RoomCase> {};

TEST_P(SendLineRoomTest, WaitsUpTo1000MsForRoomInTheOutputQueue)
{
    const RoomCase& c = GetParam();
    port->holdOutput(c.heldBytes, start + c.heldFor);
    EXPECT_EQ(link.SendLine("31"), c.sent);
    EXPECT_EQ(elapsed(), c.returnsAfter);
    ASSERT_EQ(port->writes().size(), c.sent ? 1u : 0u);
    if (c.sent) {
        EXPECT_EQ(port->writes()[0].at, clock.tickMs());
    }
}

INSTANTIATE_TEST_SUITE_P(, SendLineRoomTest,
                         ::testing::Values(RoomCase{"RoomForExactlyTheLine", 1021, 5000, true, 0},
                                           RoomCase{"RoomAfter500Ms", 1022, 500, true, 500},
                                           RoomCase{"RoomAtTheDeadline", 1022, 1000, true, 1000},
                                           RoomCase{"NoRoom", 1022, 5000, false, 1001},
                                           RoomCase{"QueueCountAboveItsSize", 2000, 5000, true, 0}),
                         caseName<RoomCase>);

TEST_F(LineExchangeTest, AwaitOutputRoomSetsTheDeadlineAndWaitsForIt)
{
    port->holdOutput(1015, start + 3000);
    EXPECT_TRUE(link.awaitOutputRoom(10, Budget(5000)));
    EXPECT_EQ(elapsed(), 3000u);
    EXPECT_EQ(link.state().ReplyDeadline, start + 5000);

    port->holdOutput(1015, start + 20000);
    EXPECT_FALSE(link.awaitOutputRoom(10, Budget(5000)));
    EXPECT_EQ(elapsed(), 3000u + 5001u);
}

TEST_F(LineExchangeTest, ReceiveCharTakesOneWaitingByteOrYieldsNul)
{
    link.state().ReplyDeadline = start + kReplyBudget;
    char c = 'x';
    EXPECT_FALSE(link.ReceiveChar(c));
    EXPECT_EQ(c, '\0');
    EXPECT_FALSE(link.state().TimedOut);

    port->arrive(start, ".7");
    EXPECT_TRUE(link.ReceiveChar(c));
    EXPECT_EQ(c, '.');
    EXPECT_EQ(port->bytesWaitingIn(), 1u);
}

TEST_F(LineExchangeTest, ReceiveCharPastTheDeadlineYieldsQuestionMarkAndLeavesTheQueue)
{
    port->arrive(start, ".7");
    char c = '\0';
    link.state().ReplyDeadline = start;  // equal to the tick: not passed
    EXPECT_TRUE(link.ReceiveChar(c));
    EXPECT_EQ(c, '.');
    EXPECT_FALSE(link.state().TimedOut);

    link.state().ReplyDeadline = start - 1;
    EXPECT_TRUE(link.ReceiveChar(c));
    EXPECT_EQ(c, '?');
    EXPECT_TRUE(link.state().TimedOut);
    EXPECT_EQ(port->bytesWaitingIn(), 1u);
}

struct ReplyCase {
    const char* name;
    std::vector<Arrival> arrivals;
    ReplyOutcome outcome;
    std::string text;
    Tick endsAfter;
    std::uint32_t leftQueued = 0;
};

class CollectReplyTest : public FakeLinkTest, public ::testing::WithParamInterface<ReplyCase> {};

TEST_P(CollectReplyTest, GathersBatchesUntilOneEndsInCrOrTheDeadlinePasses)
{
    const ReplyCase& c = GetParam();
    script(c.arrivals);
    const Reply reply = link.CollectReply(Budget(kReplyBudget), true);
    EXPECT_EQ(reply.outcome, c.outcome);
    EXPECT_EQ(reply.text, c.text);
    EXPECT_EQ(link.state().TimedOut, c.outcome == ReplyOutcome::TimedOut);
    EXPECT_EQ(elapsed(), c.endsAfter);
    EXPECT_EQ(queuedInTheEnd(), c.leftQueued);
}

INSTANTIATE_TEST_SUITE_P(
    , CollectReplyTest,
    ::testing::Values(
        ReplyCase{"OneBatch", {{5, "1234\r"}}, ReplyOutcome::Complete, "1234", 5},
        ReplyCase{"BatchesJoined", {{1, "12"}, {3, "34\r"}}, ReplyOutcome::Complete, "1234", 3},
        ReplyCase{"CrInsideABatchIsData", {{1, "1\r2"}, {2, "3\r"}}, ReplyOutcome::Complete, "1\r23", 2},
        ReplyCase{"LeftoverCrAhead", {{0, "\r"}, {0, "1234\r"}}, ReplyOutcome::Complete, "\r1234", 0},
        ReplyCase{"LoneCr", {{4, "\r"}}, ReplyOutcome::Complete, "", 4},
        ReplyCase{"NulInTheBatchLosesNoDigit", {{2, std::string("12\0\r", 4)}}, ReplyOutcome::Complete, "12", 2},
        ReplyCase{"CrLfNeverCompletes", {{5, "12\r\n"}}, ReplyOutcome::TimedOut, "12\r\n", 10001},
        ReplyCase{"ReplyOnTheDeadline", {{10000, "5\r"}}, ReplyOutcome::Complete, "5", 10000},
        ReplyCase{"ReplyAfterTheDeadlineStaysQueued", {{10001, "5\r"}}, ReplyOutcome::TimedOut, "", 10001, 2},
        ReplyCase{"Silence", {}, ReplyOutcome::TimedOut, "", 10001},
        ReplyCase{"LongReplyKeepsItsHead", {{1, countingText(300) + "\r"}}, ReplyOutcome::Complete, countingText(64), 1},
        ReplyCase{"NextReplyStaysQueued", {{1, "7\r"}, {2, "8\r"}}, ReplyOutcome::Complete, "7", 1, 2}),
    caseName<ReplyCase>);

TEST_F(LineExchangeTest, ReceiveLineCutAtThePieceLimitKeepsItsLastDataCharacter)
{
    link.state().ReplyDeadline = start + kReplyBudget;
    std::string piece(62, 'x');
    port->arrive(start, "ab\r");
    EXPECT_EQ(link.ReceiveLine(piece), 1);
    EXPECT_EQ(piece, std::string(62, 'x') + "a");
    EXPECT_EQ(port->bytesWaitingIn(), 0u);
}

TEST_F(LineExchangeTest, ReadFailureEndsCollectReplyOnlyWhenAskedTo)
{
    port->arrive(start, "12\r");
    port->failReads(true);
    EXPECT_EQ(link.CollectReply(Budget(kReplyBudget), true).outcome, ReplyOutcome::ReadFailed);
    EXPECT_FALSE(link.state().TimedOut);
    EXPECT_EQ(elapsed(), 0u);

    EXPECT_EQ(link.CollectReply(Budget(kReplyBudget), false).outcome, ReplyOutcome::TimedOut);
    EXPECT_EQ(elapsed(), kReplyBudget + 1);
}

struct CharCase {
    const char* name;
    std::vector<Arrival> arrivals;
    char ack;
    Tick endsAfter;
    std::uint32_t leftQueued = 0;
};

class AwaitCharTest : public FakeLinkTest, public ::testing::WithParamInterface<CharCase> {};

TEST_P(AwaitCharTest, TakesTheFirstByteOrQuestionMarkAfterTheBudget)
{
    const CharCase& c = GetParam();
    script(c.arrivals);
    link.AwaitChar(Budget(kCharBudget));
    EXPECT_EQ(link.state().AckChar, c.ack);
    EXPECT_EQ(link.state().TimedOut, c.ack == '?');
    EXPECT_EQ(elapsed(), c.endsAfter);
    EXPECT_EQ(queuedInTheEnd(), c.leftQueued);
}

INSTANTIATE_TEST_SUITE_P(, AwaitCharTest,
                         ::testing::Values(CharCase{"ByteArrives", {{7, "."}}, '.', 7},
                                           CharCase{"OnlyTheFirstByte", {{3, ".x"}}, '.', 3, 1},
                                           CharCase{"ByteOnTheDeadline", {{2000, "x"}}, 'x', 2000},
                                           CharCase{"ByteTooLate", {{2001, "."}}, '?', 2001, 1},
                                           CharCase{"Silence", {}, '?', 2001}),
                         caseName<CharCase>);

TEST_F(LineExchangeTest, FailedReadYieldsNoByteNotTheLastOneReceived)
{
    port->arrive(start, ".");
    link.AwaitChar(Budget(kCharBudget));
    ASSERT_EQ(link.state().AckChar, '.');

    port->arrive(start, "x");
    port->failReads(true);
    char c = 'y';
    EXPECT_FALSE(link.ReceiveChar(c));
    EXPECT_EQ(c, '\0');
    link.AwaitChar(Budget(kCharBudget));
    EXPECT_EQ(link.state().AckChar, '?');
    EXPECT_TRUE(link.state().TimedOut);
    EXPECT_EQ(elapsed(), kCharBudget + 1);
}

// Starts just below the 32-bit limit of the old tick, and far from it.
class TickRangeTest : public FakeLinkTest, public ::testing::WithParamInterface<Tick> {
protected:
    TickRangeTest() : FakeLinkTest(GetParam()) {}
};

TEST_P(TickRangeTest, WaitsKeepTheirBudgetAcrossThe32BitLimit)
{
    port->arrive(start + 1500, ".");
    link.AwaitChar(Budget(kCharBudget));
    EXPECT_EQ(link.state().AckChar, '.');
    EXPECT_EQ(elapsed(), 1500u);

    link.AwaitChar(Budget(kCharBudget));
    EXPECT_TRUE(link.state().TimedOut);
    EXPECT_EQ(elapsed(), 1500u + kCharBudget + 1);
}

TEST_P(TickRangeTest, SendLineKeepsItsRoomBudgetAcrossThe32BitLimit)
{
    port->holdOutput(1022, start + 600);
    EXPECT_TRUE(link.SendLine("31"));
    EXPECT_EQ(elapsed(), 600u);
}

INSTANTIATE_TEST_SUITE_P(, TickRangeTest, ::testing::Values(FakeLinkTest::kStart, kWrap32 - 500, kWrap32 - 1));

TEST(DriveLinkOpenTest, OpensTheDeviceOfItsPortNumberOnceAndClosesIt)
{
    FakeClock clock;
    std::vector<std::string> opened;
    DeviceMap devices;
    devices.assign("COM3", "/dev/ttyUSB1");
    DriveLink link(
        clock,
        [&](const std::string& path) {
            opened.push_back(path);
            return std::make_unique<FakeSerialPort>(clock);
        },
        devices);
    link.state().PortNumber = 3;
    EXPECT_TRUE(link.OpenPort());
    EXPECT_TRUE(link.OpenPort());
    EXPECT_EQ(opened, std::vector<std::string>{"/dev/ttyUSB1"});
    EXPECT_EQ(link.state().phase, LinkPhase::Open);

    link.ClosePort();
    EXPECT_EQ(link.state().phase, LinkPhase::Closed);
    EXPECT_EQ(link.state().port, nullptr);
}

// With no port, opened in vain or never, nothing is written and every wait ends at its deadline.
class UnopenedLinkTest : public ::testing::TestWithParam<bool> {};

TEST_P(UnopenedLinkTest, SendsNothingAndWaitsOutEveryDeadline)
{
    const bool openTried = GetParam();
    FakeClock clock;
    DriveLink link(
        clock, [](const std::string&) { return std::unique_ptr<SerialPort>(); }, DeviceMap{});
    if (openTried) {
        EXPECT_FALSE(link.OpenPort());
    }
    EXPECT_EQ(link.state().phase, openTried ? LinkPhase::Failed : LinkPhase::Closed);

    const Tick start = clock.tickMs();
    EXPECT_TRUE(link.SendLine("31"));
    EXPECT_EQ(clock.tickMs(), start);
    EXPECT_EQ(link.CollectReply(Budget(kReplyBudget), true).outcome, ReplyOutcome::TimedOut);
    EXPECT_EQ(clock.tickMs(), start + kReplyBudget + 1);
    link.AwaitChar(Budget(kCharBudget));
    EXPECT_EQ(link.state().AckChar, '?');
    EXPECT_EQ(clock.tickMs(), start + kReplyBudget + kCharBudget + 2);

    link.ClosePort();
    EXPECT_EQ(link.state().phase, openTried ? LinkPhase::Failed : LinkPhase::Closed);
}

INSTANTIATE_TEST_SUITE_P(, UnopenedLinkTest, ::testing::Bool());

}  // namespace
}  // namespace vk::test
