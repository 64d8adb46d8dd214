#include "widgets/BlinkBtn.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace vk {
namespace {

std::unique_ptr<TBlinkBtn> navyLamp(std::uint32_t blinkInterval = TBlinkBtn::kDefaultInterval)
{
    auto button = std::make_unique<TBlinkBtn>();
    button->setColor(clNavy);
    button->setBlinkColor(clRed);
    button->setBlinkInterval(blinkInterval);
    button->setOneShotColor(clYellow);
    return button;
}

// The colour the button shows after each of n ticks.
std::vector<TColor> colorsOverTicks(const TBlinkBtn& button, int n)
{
    std::vector<TColor> colors;
    for (int i = 0; i < n; ++i) {
        TBlinkBtn::BlinkTimerTick();
        colors.push_back(button.Color());
    }
    return colors;
}

TEST(BlinkBtn, StartsWithItsDefaults)
{
    TBlinkBtn button;
    EXPECT_EQ(button.Color(), clBtnFace);
    EXPECT_EQ(button.BlinkColor(), clBtnFace);
    EXPECT_FALSE(button.BlinkEnabled());
    EXPECT_EQ(button.BlinkInterval(), 500u);
    EXPECT_EQ(button.OneShotColor(), clBtnFace);
    EXPECT_FALSE(button.OneShotEnabled());
    EXPECT_EQ(button.OneShotInterval(), 500u);
    EXPECT_TRUE(button.SynchroBlink());
    EXPECT_FALSE(TBlinkBtn::isRegistered(&button));
    EXPECT_FALSE(TBlinkBtn::blinkTimerActive());
    EXPECT_EQ(TBlinkBtn::timerOwner(), &button);
}

struct CadenceCase {
    const char* name;
    std::uint32_t interval;
    std::vector<TColor> colors;  // after each tick
};

void PrintTo(const CadenceCase& c, std::ostream* os)
{
    *os << c.name;
}

class CadenceCases : public ::testing::TestWithParam<CadenceCase> {};

TEST_P(CadenceCases, ColourHoldsForTheIntervalRoundedUpToWholeTicks)
{
    auto lamp = navyLamp(GetParam().interval);
    lamp->setBlinkEnabled(true);
    EXPECT_EQ(lamp->Color(), clNavy) << "starts in the colour it shows";
    EXPECT_TRUE(TBlinkBtn::blinkTimerActive());
    EXPECT_EQ(colorsOverTicks(*lamp, static_cast<int>(GetParam().colors.size())), GetParam().colors);
}

constexpr TColor N = clNavy;
constexpr TColor R = clRed;

INSTANTIATE_TEST_SUITE_P(Intervals, CadenceCases,
                         ::testing::Values(CadenceCase{"Every500", 500, {N, R, R, N, N, R}},
                                           CadenceCase{"Every600RoundsTo750", 600, {N, N, R, R, R, N, N}},
                                           CadenceCase{"Every250", 250, {R, N, R}},
                                           CadenceCase{"ZeroNeverSteps", 0, {N, N, N, N}}),
                         [](const auto& info) { return info.param.name; });

TEST(BlinkBtn, SwitchedOffWhileRedReturnsToNavyAndStopsTheTimer)
{
    auto lamp = navyLamp();
    lamp->setBlinkEnabled(true);
    colorsOverTicks(*lamp, 2);
    ASSERT_EQ(lamp->Color(), clRed);
    lamp->setBlinkEnabled(false);
    EXPECT_EQ(lamp->Color(), clNavy);
    EXPECT_FALSE(TBlinkBtn::isRegistered(lamp.get()));
    EXPECT_FALSE(TBlinkBtn::blinkTimerActive());
}

TEST(BlinkBtn, ApplicationColourWhileBlinkingGivesWayToTheBaseOnSwitchOff)
{
    auto lamp = navyLamp();
    lamp->setBlinkEnabled(true);
    lamp->setColor(clLime);
    EXPECT_EQ(colorsOverTicks(*lamp, 2), (std::vector<TColor>{clLime, clRed}));
    lamp->setColor(clLime);
    lamp->setBlinkEnabled(false);
    EXPECT_EQ(lamp->Color(), clNavy);
}

TEST(BlinkBtn, SwitchingOnTwiceKeepsThePhaseAndResyncsNoOne)
{
    auto lamp = navyLamp();
    auto partner = navyLamp();
    partner->setBlinkEnabled(true);
    lamp->setBlinkEnabled(true);
    colorsOverTicks(*lamp, 3);  // both red, half-way through
    partner->setBlinkEnabled(true);
    EXPECT_EQ(lamp->Color(), clRed);
    EXPECT_EQ(colorsOverTicks(*partner, 2), (std::vector<TColor>{N, N}));
    EXPECT_EQ(lamp->Color(), clNavy);
}

TEST(BlinkBtn, OneShotShowsItsColourUntilTheFourthTickOf1000)
{
    auto lamp = navyLamp();
    lamp->setOneShotInterval(1000);
    lamp->setOneShotEnabled(true);
    EXPECT_EQ(lamp->Color(), clYellow);
    EXPECT_TRUE(TBlinkBtn::blinkTimerActive());
    EXPECT_EQ(colorsOverTicks(*lamp, 3), (std::vector<TColor>{clYellow, clYellow, clYellow}));
    TBlinkBtn::BlinkTimerTick();
    EXPECT_EQ(lamp->Color(), clNavy);
    EXPECT_FALSE(lamp->OneShotEnabled());
    EXPECT_FALSE(TBlinkBtn::isRegistered(lamp.get()));
    EXPECT_FALSE(TBlinkBtn::blinkTimerActive());
}

TEST(BlinkBtn, OneShotWithZeroIntervalLastsUntilSwitchedOff)
{
    auto lamp = navyLamp();
    lamp->setOneShotInterval(0);
    lamp->setOneShotEnabled(true);
    EXPECT_EQ(colorsOverTicks(*lamp, 8), std::vector<TColor>(8, clYellow));
    lamp->setOneShotEnabled(false);
    EXPECT_EQ(lamp->Color(), clNavy);
    EXPECT_FALSE(TBlinkBtn::blinkTimerActive());
}

TEST(BlinkBtn, BlinkStepsRestartARunningOneShot)
{
    auto lamp = navyLamp();
    lamp->setOneShotInterval(1000);
    lamp->setBlinkEnabled(true);
    lamp->setOneShotEnabled(true);
    EXPECT_EQ(colorsOverTicks(*lamp, 6), (std::vector<TColor>{clYellow, R, R, N, N, R}));
    EXPECT_TRUE(lamp->OneShotEnabled());
}

TEST(BlinkBtn, ThirdSynchronisedLampRestartsTheOthersInStep)
{
    auto first = navyLamp();
    auto second = navyLamp();
    auto loner = navyLamp();
    loner->setSynchroBlink(false);
    first->setBlinkEnabled(true);
    second->setBlinkEnabled(true);
    loner->setBlinkEnabled(true);
    colorsOverTicks(*first, 3);  // all red, one tick into the red half
    ASSERT_EQ(second->Color(), clRed);

    auto third = navyLamp();
    third->setColor(clTeal);
    third->setBlinkEnabled(true);
    EXPECT_EQ(first->Color(), clNavy);
    EXPECT_EQ(second->Color(), clNavy);
    EXPECT_EQ(loner->Color(), clRed);
    for (int tick = 1; tick <= 4; ++tick) {
        TBlinkBtn::BlinkTimerTick();
        const bool blinkHalf = tick == 2 || tick == 3;
        EXPECT_EQ(first->Color(), blinkHalf ? clRed : clNavy) << tick;
        EXPECT_EQ(second->Color(), first->Color()) << tick;
        EXPECT_EQ(third->Color(), blinkHalf ? clRed : clTeal) << tick;
        EXPECT_EQ(loner->Color(), tick >= 3 ? clRed : clNavy) << "keeps its own phase, tick " << tick;
    }
}

TEST(BlinkBtn, OneShotEndingOnABlinkingLampRestartsAllSynchronisedLamps)
{
    auto lamp = navyLamp(1000);
    auto partner = navyLamp(1000);
    lamp->setOneShotInterval(500);
    lamp->setBlinkEnabled(true);
    partner->setBlinkEnabled(true);
    lamp->setOneShotEnabled(true);
    TBlinkBtn::BlinkTimerTick();
    EXPECT_EQ(lamp->Color(), clYellow);
    TBlinkBtn::BlinkTimerTick();  // the one-shot ends; both restart their cycles
    EXPECT_EQ(lamp->Color(), clNavy);
    EXPECT_FALSE(lamp->OneShotEnabled());
    EXPECT_TRUE(TBlinkBtn::isRegistered(lamp.get()));
    EXPECT_EQ(colorsOverTicks(*partner, 4), (std::vector<TColor>{N, N, N, R}));
    EXPECT_EQ(lamp->Color(), clRed);
}

TEST(BlinkBtn, TimerRunsExactlyWhileAnyLampIsRegistered)
{
    auto first = navyLamp();
    auto second = navyLamp();
    first->setBlinkEnabled(true);
    second->setOneShotEnabled(true);
    first->setBlinkEnabled(false);
    EXPECT_TRUE(TBlinkBtn::blinkTimerActive());
    EXPECT_TRUE(TBlinkBtn::isRegistered(second.get()));
    second->setOneShotEnabled(false);
    EXPECT_FALSE(TBlinkBtn::blinkTimerActive());
}

TEST(BlinkBtn, DestroyedLampLeavesTheRegistryEvenInAOneShot)
{
    auto owner = navyLamp();
    auto lamp = navyLamp();
    const TBlinkBtn* gone = lamp.get();
    lamp->setOneShotEnabled(true);
    lamp.reset();
    EXPECT_FALSE(TBlinkBtn::isRegistered(gone));
    EXPECT_FALSE(TBlinkBtn::blinkTimerActive());
    TBlinkBtn::BlinkTimerTick();  // must not reach the destroyed lamp
}

TEST(BlinkBtn, LampsOutlivingTheTimerOwnerStaySafeAndBuildANewSet)
{
    auto owner = navyLamp();
    auto survivor = navyLamp();
    owner->setBlinkEnabled(true);
    survivor->setBlinkEnabled(true);
    colorsOverTicks(*survivor, 2);
    ASSERT_EQ(survivor->Color(), clRed);
    owner.reset();
    EXPECT_EQ(TBlinkBtn::timerOwner(), nullptr);
    EXPECT_FALSE(TBlinkBtn::blinkTimerActive());
    EXPECT_FALSE(TBlinkBtn::isRegistered(survivor.get()));
    TBlinkBtn::BlinkTimerTick();

    survivor->setBlinkEnabled(false);
    EXPECT_EQ(survivor->Color(), clNavy);
    survivor->setBlinkEnabled(true);
    EXPECT_EQ(TBlinkBtn::timerOwner(), survivor.get());
    EXPECT_TRUE(TBlinkBtn::blinkTimerActive());
    EXPECT_EQ(colorsOverTicks(*survivor, 2), (std::vector<TColor>{N, R}));

    auto later = navyLamp();
    EXPECT_EQ(TBlinkBtn::timerOwner(), survivor.get()) << "later lamps share the new set";
}

TEST(BlinkBtn, LampBuiltAfterTheOwnerWentOwnsTheNextSet)
{
    auto owner = navyLamp();
    auto survivor = navyLamp();
    owner.reset();
    auto later = navyLamp();
    EXPECT_EQ(TBlinkBtn::timerOwner(), later.get());
    survivor->setBlinkEnabled(true);
    EXPECT_TRUE(TBlinkBtn::isRegistered(survivor.get()));
    later.reset();  // the owner goes again, with the survivor registered
    EXPECT_FALSE(TBlinkBtn::isRegistered(survivor.get()));
    survivor.reset();
    EXPECT_EQ(TBlinkBtn::timerOwner(), nullptr);
}

}  // namespace
}  // namespace vk
