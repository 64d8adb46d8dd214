#include "params/IntegerText.h"
#include "params/ParameterSet.h"
#include "sim/DriverCore.h"
#include "tests/link/FakeLinkTest.h"
#include "tests/params/CheckedRadios.h"
#include "tests/support/MemoryControls.h"

#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace vk {
namespace {

using test::checkedRadios;
using test::FakeSerialPort;
using test::MemoryControls;

std::string joined(const std::vector<std::string>& lines, const std::string& end)
{
    std::string all;
    for (const auto& line : lines)
        all += line + end;
    return all;
}

// The parameter set on a link whose fake port answers like the simulated driver.
class ParameterTransfer : public test::FakeLinkTest {
protected:
    void SetUp() override
    {
        FakeLinkTest::SetUp();
        port->attachDriver(driver);
        params.cache().reset();
    }

    Tick tickOfWrite(const std::string& bytes) const
    {
        for (const auto& w : port->writes()) {
            if (w.bytes == bytes)
                return w.at;
        }
        ADD_FAILURE() << "never written: " << bytes;
        return 0;
    }

    sim::DriverCore driver;
    MemoryControls controls;
    ParameterSet params{link, controls};
};

TEST_F(ParameterTransfer, ReadAsksSixteenNumbersAndShowsTheReplies)
{
    const std::pair<int, std::int32_t> memory[] = {{0, 4096}, {1, 4},    {2, 12},   {3, 7},  {4, 0x77}, {5, 0x5},
                                                   {6, -30},  {7, 150},  {8, 2000}, {9, 50}, {10, 30},  {11, 6},
                                                   {18, 99},  {22, 900}, {23, 512}, {24, 1}, {25, 2}};
    for (const auto& [number, value] : memory)
        driver.setParameter(number, value);

    ASSERT_TRUE(params.ReadParam());

    const std::vector<std::string> asked = {"00", "01", "02", "03", "04", "05", "06", "07",
                                            "08", "09", "10", "11", "22", "23", "24", "25"};
    EXPECT_EQ(port->written(), joined(asked, "\r"));
    const std::vector<std::pair<int, std::string>> slots = {
        {0, "4096"}, {3, "7"}, {4, "077"}, {5, "005"}, {6, "-30"}, {18, "0"}, {22, "900"}, {25, "2"}, {31, "0"}};
    for (const auto& [number, text] : slots)
        EXPECT_EQ(params.cache().fetch(number), text) << number;
    const std::vector<std::pair<int, std::string>> edits = {{1, "4096"}, {2, "4"},   {3, "12"},   {4, "-30"},
                                                            {5, "900"},  {6, "150"}, {7, "30"},   {8, "6"},
                                                            {9, "2000"}, {10, "50"}, {11, "512"}, {12, "0"}};
    for (const auto& [edit, text] : edits)
        EXPECT_EQ(controls.editText(edit), text) << "Edit" << edit;
    EXPECT_EQ(checkedRadios(controls), (std::set<int>{2, 5, 7, 9, 11, 13, 14, 17}));
}

TEST_F(ParameterTransfer, ReadStopsAtTheFirstNumberLeftUnanswered)
{
    driver.setParameter(2, 12);
    driver.setParameter(5, 0x7);
    driver.setParameter(6, 45);
    driver.faults().silentFrom = 6;

    EXPECT_FALSE(params.ReadParam());

    EXPECT_EQ(driver.commands().back(), "06");
    EXPECT_EQ(port->writes().size(), 7u);
    const Tick waited = clock.tickMs() - tickOfWrite("06\r");
    EXPECT_GE(waited, 10000u);
    EXPECT_LE(waited, 10001u);
    EXPECT_FALSE(link.state().TimedOut);
    EXPECT_EQ(params.cache().fetch(5), "007");
    EXPECT_EQ(params.cache().fetch(6), "0");
    EXPECT_EQ(controls.editText(3), "12");
    EXPECT_EQ(controls.editText(4), "0");
    EXPECT_TRUE(controls.radioChecked(17));
}

// Edit12 has no reply to show: number 18 is written on every bulk write, never read.
TEST_F(ParameterTransfer, Edit12IsWrittenButNeverRead)
{
    driver.setParameter(18, 99);
    controls.setEditText(12, "35");

    ASSERT_TRUE(params.ReadParam());
    EXPECT_EQ(controls.editText(12), "35");
    ASSERT_TRUE(params.UpdateParam());
    EXPECT_EQ(driver.parameter(18), 35);
    for (const auto& command : driver.commands())
        EXPECT_NE(command, "18");
}

TEST_F(ParameterTransfer, WriteSendsFifteenFramesInOrder)
{
    const std::vector<std::pair<int, std::string>> edits = {{1, "4096"}, {2, "$10"}, {3, " 6"},   {4, "-30"},
                                                            {5, "1280"}, {6, "150"}, {7, "0x1E"}, {8, "+6"},
                                                            {9, "2000"}, {10, "50"}, {11, "512"}, {12, "35"}};
    for (const auto& [edit, text] : edits)
        controls.setEditText(edit, text);
    for (int radio : {3, 5, 11, 15})
        controls.checkRadio(radio);

    ASSERT_TRUE(params.UpdateParam());

    const std::vector<std::string> frames = {"00=4096", "01=16",  "02=6",   "03=0",    "04=046",
                                             "05=002",  "06=-30", "07=150", "08=2000", "09=50",
                                             "10=30",   "11=6",   "18=35",  "22=1280", "23=512"};
    EXPECT_EQ(port->written(), joined(frames, "\r\r"));
    EXPECT_EQ(driver.parameter(4), 70);
    EXPECT_EQ(driver.parameter(22), 1280);
}

TEST_F(ParameterTransfer, WriteStopsAtAWrongAcknowledgement)
{
    driver.faults().ackChar = 'E';
    driver.faults().ackCharFrom = 6;

    EXPECT_FALSE(params.UpdateParam());

    EXPECT_EQ(driver.commands().back(), "06=0");
    EXPECT_EQ(driver.commands().size(), 7u);
    EXPECT_EQ(link.state().AckChar, 'E');
    EXPECT_FALSE(link.state().TimedOut);
    EXPECT_LT(clock.tickMs() - tickOfWrite("06=0\r\r"), 100u);
}

TEST_F(ParameterTransfer, WriteLeavesTimedOutSetWhenTheDriverFallsSilent)
{
    driver.faults().silentFrom = 6;

    EXPECT_FALSE(params.UpdateParam());

    EXPECT_EQ(port->writes().size(), 7u);
    EXPECT_TRUE(link.state().TimedOut);
    const Tick waited = clock.tickMs() - tickOfWrite("06=0\r\r");
    EXPECT_GE(waited, 2000u);
    EXPECT_LE(waited, 2001u);
}

TEST_F(ParameterTransfer, AnAcknowledgementWithoutASecondByteCostsTenSecondsEach)
{
    driver.faults().ackOnly = true;

    ASSERT_TRUE(params.UpdateParam());

    const auto& writes = port->writes();
    ASSERT_EQ(writes.size(), 15u);
    for (std::size_t i = 1; i < writes.size(); ++i) {
        EXPECT_GE(writes[i].at - writes[i - 1].at, 10000u) << writes[i].bytes;
        EXPECT_LE(writes[i].at - writes[i - 1].at, 10002u) << writes[i].bytes;
    }
}

struct BadTextCase {
    int edit;
    std::string text;
    std::size_t framesBefore;
};

void PrintTo(const BadTextCase& c, std::ostream* out)
{
    *out << "Edit" << c.edit << " [" << c.text << ']';
}

class WriteOfABadText : public ParameterTransfer, public ::testing::WithParamInterface<BadTextCase> {};

TEST_P(WriteOfABadText, SendsTheNumbersBeforeItThenThrows)
{
    const BadTextCase& c = GetParam();
    controls.setEditText(c.edit, c.text);

    try {
        params.UpdateParam();
        ADD_FAILURE() << "no conversion error";
    } catch (const ConversionError& error) {
        EXPECT_EQ(std::string(error.what()), "'" + c.text + "' は数値ではありません");
    }
    EXPECT_EQ(driver.commands().size(), c.framesBefore);
}

INSTANTIATE_TEST_SUITE_P(Edits, WriteOfABadText,
                         ::testing::Values(BadTextCase{1, "", 0}, BadTextCase{4, "12a", 6},  // numbers 0 to 5 went out
                                           BadTextCase{12, "abc", 12},   // stops at 18, after 0 to 11
                                           BadTextCase{11, "1 ", 14}));  // stops at 23, after 22

struct RoomCase {
    std::uint32_t queued;
    Tick heldMs;
    bool written;
    Tick firstWriteAfterMs;
};

void PrintTo(const RoomCase& c, std::ostream* out)
{
    *out << c.queued << " queued for " << c.heldMs << " ms";
}

class WriteWaitsForOutputRoom : public ParameterTransfer, public ::testing::WithParamInterface<RoomCase> {};

TEST_P(WriteWaitsForOutputRoom, BeforeTheFirstNumber)
{
    const RoomCase& c = GetParam();
    const Tick start = clock.tickMs();
    port->holdOutput(c.queued, start + c.heldMs);

    EXPECT_EQ(params.UpdateParam(), c.written);

    if (c.written) {
        ASSERT_FALSE(port->writes().empty());
        EXPECT_EQ(port->writes().front().at - start, c.firstWriteAfterMs);
    } else {
        EXPECT_TRUE(port->writes().empty());
        EXPECT_GE(clock.tickMs() - start, 5000u);
        EXPECT_LE(clock.tickMs() - start, 5001u);
    }
}

INSTANTIATE_TEST_SUITE_P(Queues, WriteWaitsForOutputRoom,
                         ::testing::Values(RoomCase{1014, 60000, true, 0},     // exactly 10 bytes free
                                           RoomCase{1015, 3000, true, 3000},   // room comes within the budget
                                           RoomCase{1015, 60000, false, 0}));  // never

// Numbers with nothing to send still wait for room: a full queue after 23 fails at 24.
TEST_F(ParameterTransfer, WriteWaitsForRoomBeforeNumbersWithoutAValue)
{
    port->setResponder([this](FakeSerialPort& p, const std::string& written) {
        for (const auto& batch : driver.receive(written))
            p.arriveIn((batch.delayUs + 999) / 1000, batch.bytes);
        if (written.starts_with("23="))
            p.holdOutput(1024, clock.tickMs() + 60000);
    });

    EXPECT_FALSE(params.UpdateParam());
    EXPECT_EQ(driver.commands().back(), "23=0");
}

TEST_F(ParameterTransfer, EditWriteShowsRepliesOfReadNumbersOnly)
{
    const std::pair<std::string, std::set<int>> flags4[] = {
        {"3", {2, 4, 6, 8, 10}}, {"077", {2, 5, 7, 9, 11}}, {"0A4", {1, 5, 6, 8, 10}}, {"x", {1, 4, 6, 8, 10}}};
    for (const auto& [text, radios] : flags4) {
        params.EditWrite(4, text);
        std::set<int> expected = radios;
        expected.insert({12, 14, 16});
        EXPECT_EQ(checkedRadios(controls), expected) << text;
    }
    params.EditWrite(5, "005");
    EXPECT_EQ(checkedRadios(controls), (std::set<int>{1, 4, 6, 8, 10, 13, 14, 17}));

    params.EditWrite(0, "abc");
    params.EditWrite(22, "700");
    params.EditWrite(18, "5");
    params.EditWrite(3, "5");
    EXPECT_EQ(controls.editText(1), "abc");
    EXPECT_EQ(controls.editText(5), "700");
    EXPECT_EQ(controls.editText(12), "0");
}

TEST_F(ParameterTransfer, GetEditValueSaysWhichNumbersHaveAValue)
{
    for (int radio : {3, 5, 11, 13, 17})
        controls.checkRadio(radio);
    controls.setEditText(12, "$FF");
    const struct {
        int number;
        std::int32_t value;
        bool present;
    } cases[] = {{0, 2048, true}, {3, 0, true},   {4, 70, true},  {5, 5, true},   {18, 255, true}, {12, 0, false},
                 {21, 0, false},  {24, 0, false}, {31, 0, false}, {40, 0, false}, {-1, 0, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(params.GetEditValue(c.number), c.value) << c.number;
        EXPECT_EQ(params.ValuePresent(), c.present) << c.number;
    }
}

TEST_F(ParameterTransfer, ReadStatKeepsTheLastCompletedReply)
{
    driver.setStatusWord(0x8001);
    EXPECT_EQ(params.ReadStat(), 0x8001);
    EXPECT_EQ(params.StatusWord(), 0x8001);
    EXPECT_EQ(params.cache().fetch(31), "8001");

    driver.faults().garbage = true;
    EXPECT_EQ(params.ReadStat(), 0);
    EXPECT_EQ(params.cache().fetch(31), "ZZ?");

    driver.faults().silent = true;
    EXPECT_EQ(params.ReadStat(), -1);
    EXPECT_EQ(params.StatusWord(), -1);
    EXPECT_EQ(params.cache().fetch(31), "ZZ?");
}

TEST(ParameterCacheTest, StartsEmptyAndResetsToZero)
{
    ParameterCache cache;
    EXPECT_EQ(cache.fetch(0), "");
    EXPECT_EQ(cache.fetch(31), "");
    cache.store(7, "150");
    cache.reset();
    for (int n = 0; n < ParameterCache::kSlots; ++n)
        EXPECT_EQ(cache.fetch(n), "0") << n;
    EXPECT_THROW(cache.store(32, "1"), std::out_of_range);
}

}  // namespace
}  // namespace vk
