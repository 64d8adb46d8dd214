#include "params/BulkTransfer.h"
#include "params/ParameterTable.h"
#include "tests/link/FakeLinkTest.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace vk {
namespace {

// Which edit shows which number and the bulk lists themselves are held by the
// window's read and write tests, frame by frame; here only the table's edges.
TEST(ParameterTableFacts, EditsAndNumbersOutsideTheTable)
{
    for (const int edit : {0, 13, -1})
        EXPECT_THROW(numberShownBy(edit), std::out_of_range) << "Edit" << edit;
    for (const auto& [number, read] :
         std::map<int, bool>{{0, true}, {18, false}, {25, true}, {31, false}, {-1, false}, {32, false}})
        EXPECT_EQ(readable(number), read) << number;
    EXPECT_EQ(writtenOnlyNumber(), 18);
}

class BulkWalk : public test::FakeLinkTest {
protected:
    // A write that records its number and fails at `failAt`.
    bool write(int number, std::int32_t value)
    {
        writes.push_back({number, value});
        return number != failAt;
    }
    std::optional<WriteStop> walk(const std::vector<int>& numbers, const std::set<int>& withoutValue = {})
    {
        return writeEach(
            link, numbers,
            [&](int number) { return withoutValue.count(number) ? std::nullopt : std::optional(number * 10); },
            [this](int number, std::int32_t value) { return write(number, value); });
    }

    int failAt = -1;
    std::vector<std::pair<int, std::int32_t>> writes;
};

TEST_F(BulkWalk, WritesTheValuesGivenAndSkipsTheNumbersWithout)
{
    EXPECT_FALSE(walk({0, 6, 18, 22}, {6}));
    EXPECT_EQ(writes, (std::vector<std::pair<int, std::int32_t>>{{0, 0}, {18, 180}, {22, 220}}));
}

TEST_F(BulkWalk, StopsAtTheFirstFailedWrite)
{
    failAt = 18;
    const std::optional<WriteStop> stop = walk({0, 18, 22});
    ASSERT_TRUE(stop);
    EXPECT_EQ(stop->number, 18);
    EXPECT_FALSE(stop->noRoom);
    EXPECT_EQ(writes.size(), 2U) << "nothing after the failure";
}

struct RoomCase {
    std::vector<int> visits;
    std::set<int> withoutValue;
    std::optional<int> noRoomAt;
    std::size_t writesBefore;
};

class WalkWithoutRoom : public BulkWalk, public ::testing::WithParamInterface<RoomCase> {};

// The queue fills after the first write: a visit after it fails for want of
// room, one without a value too; a walk that visits no more numbers ends well.
TEST_P(WalkWithoutRoom, StopsAtTheNumberItHasNoRoomFor)
{
    const RoomCase& c = GetParam();
    bool first = true;
    const auto valueOf = [&](int number) {
        return c.withoutValue.count(number) ? std::nullopt : std::optional(number);
    };
    const auto write = [&](int number, std::int32_t value) {
        if (std::exchange(first, false))
            port->holdOutput(LinkState::kQueueSize, clock.tickMs() + kLongAfter);
        return BulkWalk::write(number, value);
    };
    const std::optional<WriteStop> stop = writeEach(link, c.visits, valueOf, write);
    EXPECT_EQ(writes.size(), c.writesBefore);
    ASSERT_EQ(stop.has_value(), c.noRoomAt.has_value());
    if (stop) {
        EXPECT_EQ(stop->number, *c.noRoomAt);
        EXPECT_TRUE(stop->noRoom);
        EXPECT_GE(elapsed(), kWriteRoomBudget.count()) << "the room is waited for";
    }
}

INSTANTIATE_TEST_SUITE_P(Queues, WalkWithoutRoom,
                         ::testing::Values(RoomCase{{0, 1}, {}, 1, 1}, RoomCase{{0, 1, 2}, {1}, 1, 1},
                                           RoomCase{{23}, {}, std::nullopt, 1}));

TEST(BulkRead, HandsOnEachReplyAndStopsAtTheFirstUnanswered)
{
    std::vector<std::pair<int, std::string>> taken;
    const auto take = [&](int number, const std::string& reply) { taken.emplace_back(number, reply); };
    const auto ask = [](int number) { return number == 22 ? std::nullopt : std::optional(std::to_string(number + 1)); };

    EXPECT_EQ(readEach(std::vector<int>{0, 11, 22, 23}, ask, take), 22);
    EXPECT_EQ(taken, (std::vector<std::pair<int, std::string>>{{0, "1"}, {11, "12"}}));

    taken.clear();
    EXPECT_EQ(readEach(std::vector<int>{23, 24}, ask, take), std::nullopt);
    EXPECT_EQ(taken.size(), 2U);
}

}  // namespace
}  // namespace vk
