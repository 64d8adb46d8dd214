#include "tests/console/FormFixture.h"
#include "widgets/BlinkBtn.h"

#include "tests/support/NamedCase.h"

#include <QScrollBar>

namespace vk::test {
namespace {

using test::PrintTo;

const std::vector<std::string> kBulkRead = {"00", "01", "02", "03", "04", "05", "06", "07",
                                            "08", "09", "10", "11", "22", "23", "24", "25"};

class Supervision : public FormFixture {
protected:
    std::vector<std::string> afterBulkRead(std::vector<std::string> rest)
    {
        std::vector<std::string> all = kBulkRead;
        all.insert(all.end(), rest.begin(), rest.end());
        return all;
    }
    TColorBtn& servoLamp() { return *ui.ColorBtn1; }
    TBlinkBtn& alarmLamp() { return *ui.BlinkBtn1; }
};

TEST_F(Supervision, FirstTickReadsEveryParameterThenEachTickQueriesTheStatus)
{
    driver.setParameter(0, 4096);
    driver.setParameter(22, 1234);
    tick();
    EXPECT_EQ(commandNumbers(), afterBulkRead({"31"}));
    EXPECT_EQ(form.editText(1), "4096");
    EXPECT_EQ(ui.ScrollBar1->value(), 1234) << "the bar follows parameter 22";
    EXPECT_FALSE(form.firstRead());
    tick();
    tick();
    EXPECT_EQ(commandNumbers(), afterBulkRead({"31", "31", "31"}));
    EXPECT_EQ(helpLine(), ">>>>>>>>") << "a good tick leaves the help line";
    EXPECT_TRUE(errors.empty());
}

TEST_F(Supervision, TheScrollBarClampsParameter22ToItsRange)
{
    driver.setParameter(22, 3000);
    tick();
    EXPECT_EQ(ui.ScrollBar1->value(), 2560);
}

struct StatusCase {
    const char* name;
    std::int32_t before;  // what the lamps showed: the opposite of what is expected
    std::int32_t status;
    bool garbage;  // the reply is no hexadecimal number
    TColor servoColor;
    const char* servoCaption;
    bool blinking;
};

class StatusLamps : public Supervision, public ::testing::WithParamInterface<StatusCase> {};

TEST_P(StatusLamps, ShowTheStatusWord)
{
    driver.setStatusWord(GetParam().before);
    tick();
    driver.setStatusWord(GetParam().status);
    driver.faults().garbage = GetParam().garbage;
    tick();
    EXPECT_EQ(servoLamp().Color(), GetParam().servoColor);
    EXPECT_EQ(servoLamp().text().toStdString(), GetParam().servoCaption);
    EXPECT_EQ(alarmLamp().BlinkEnabled(), GetParam().blinking);
    if (!GetParam().blinking) {
        EXPECT_EQ(alarmLamp().Color(), clNavy) << "a lamp at rest is navy";
    }
    EXPECT_EQ(form.commErrorCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Status, StatusLamps,
    ::testing::Values(StatusCase{"ServoOn", 0x80, 0x1, false, clLime, "SERVO ON", false},
                      StatusCase{"AlarmBit7", 0x1, 0x80, false, clNavy, "SERVO OFF", true},
                      StatusCase{"AlarmBit13", 0x1, 0x2000, false, clNavy, "SERVO OFF", true},
                      StatusCase{"AlarmBit15WithServoOn", 0, 0x8001, false, clLime, "SERVO ON", true},
                      StatusCase{"Bit8IsNoAlarm", 0x8001, 0x100, false, clNavy, "SERVO OFF", false},
                      StatusCase{"NotHexadecimalIsZero", 0x8001, 0x1, true, clNavy, "SERVO OFF", false}),
    caseName<StatusCase>);

TEST_F(Supervision, AnAlarmThatClearsStopsTheBlinking)
{
    tick();
    driver.setStatusWord(0x80);
    tick();
    EXPECT_TRUE(alarmLamp().BlinkEnabled());
    driver.setStatusWord(0);
    tick();
    EXPECT_FALSE(alarmLamp().BlinkEnabled());
    EXPECT_EQ(alarmLamp().Color(), clNavy);
}

TEST_F(Supervision, WithoutADriverTheFirstReadFailsAndNothingIsSentAgain)
{
    driver.faults().silent = true;
    const Tick before = clock.tickMs();
    tick();
    EXPECT_EQ(helpLine(), "通信エラー");
    EXPECT_NEAR(double(clock.tickMs() - before), 10000, 2) << "the first read waits out its 10 s";
    EXPECT_TRUE(form.pollHalted());
    const std::size_t sent = port->writes().size();
    for (int n = 0; n < 3; ++n) {
        tick();
        EXPECT_EQ(helpLine(), "ドライバに接続できません");
    }
    EXPECT_EQ(port->writes().size(), sent) << "a halted cycle sends nothing";
    EXPECT_TRUE(alarmLamp().BlinkEnabled()) << "the alarm lamp blinks for the rest of the run";
    EXPECT_EQ(form.commErrorCount(), 1);
}

TEST_F(Supervision, SixFailedQueriesAmongGoodOnesEndThePolling)
{
    tick();
    driver.setStatusWord(1);
    for (int failure = 1; failure <= 6; ++failure) {
        driver.faults().silent = false;
        tick();
        EXPECT_EQ(servoLamp().text(), "SERVO ON");
        driver.faults().silent = true;
        tick();
        EXPECT_EQ(form.commErrorCount(), failure);
        EXPECT_EQ(servoLamp().text(), "SERVO ON") << "a failed query keeps the lamps";
        EXPECT_EQ(helpLine(), failure < 6 ? "通信エラー" : "ドライバに接続できません");
        EXPECT_EQ(form.parameters().StatusWord(), -1);
    }
    driver.faults().silent = false;
    const std::size_t queries = driver.commands().size();
    tick();
    EXPECT_EQ(driver.commands().size(), queries) << "no query after the sixth failure";
    EXPECT_EQ(helpLine(), "ドライバに接続できません");
}

TEST_F(Supervision, AParameter22ThatIsNoIntegerSkipsOneStatusQuery)
{
    driver.faults().garbage = true;
    tick();
    EXPECT_EQ(errors, (std::vector<QString>{"'ZZ?' は数値ではありません."}));
    EXPECT_EQ(commandNumbers(), kBulkRead) << "that tick's status query is skipped";
    tick();
    EXPECT_EQ(commandNumbers(), afterBulkRead({"31"}));
    EXPECT_EQ(errors.size(), 1U);
}

struct GapCase {
    const char* name;
    Tick sinceLastTickMs;
    bool runs;
};

class HeldBackTick : public Supervision, public ::testing::WithParamInterface<GapCase> {};

// The gap is measured on the link's clock from the start of the tick before.
TEST_P(HeldBackTick, IsLetGoAndTheNextOneRuns)
{
    tick();
    const std::size_t sent = driver.commands().size();
    clock.advanceTo(*lastTickAt_ + GetParam().sinceLastTickMs);
    ASSERT_EQ(clock.tickMs() - *lastTickAt_, GetParam().sinceLastTickMs) << "the first tick took too long";

    fireTimer();
    EXPECT_EQ(driver.commands().size(), sent + (GetParam().runs ? 1 : 0));
    fireTimer();
    EXPECT_EQ(driver.commands().size(), sent + (GetParam().runs ? 2 : 1)) << "the tick right behind runs";
    EXPECT_EQ(form.commErrorCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Gaps, HeldBackTick,
                         ::testing::Values(GapCase{"OnTime", 1000, true}, GapCase{"LateWithinTheGap", 1500, true},
                                           GapCase{"JustPastTheGap", 1501, false},
                                           GapCase{"BehindAReplyWait", 10000, false}),
                         caseName<GapCase>);

TEST_F(Supervision, ATickAfterAFailedQueryIsHeldBackByItsWait)
{
    tick();
    driver.faults().silent = true;
    fireTimer();
    EXPECT_EQ(form.commErrorCount(), 1);
    driver.faults().silent = false;
    const std::size_t sent = driver.commands().size();
    fireTimer();
    EXPECT_EQ(driver.commands().size(), sent) << "the query waited 10 s: the tick behind it is let go";
    fireTimer();
    EXPECT_EQ(commandNumbers().back(), "31");
    EXPECT_EQ(driver.commands().size(), sent + 1);
}

}  // namespace
}  // namespace vk::test
