#include "tests/console/FormFixture.h"
#include "tests/support/EventProbe.h"
#include "tests/support/NamedCase.h"
#include "widgets/ColorBtn.h"

#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <functional>
#include <sys/stat.h>

namespace vk::test {
namespace {

using test::PrintTo;

// The window after its first tick against the driver, the lamps showing
// SERVO OFF and the cache holding the driver's replies.
class OperatorActions : public FormFixture {
protected:
    void SetUp() override
    {
        driver.setParameter(0, 4096);
        driver.setParameter(1, 3);
        driver.setParameter(2, 6);
        tick();
        ASSERT_FALSE(form.firstRead());
    }

    void click(QPushButton* button) { button->click(); }
    std::vector<std::string> commandsSince(std::size_t first) const
    {
        const auto all = commandNumbers();
        return {all.begin() + static_cast<std::ptrdiff_t>(first), all.end()};
    }
};

TEST_F(OperatorActions, SendWritesTheEditedValuesInOrder)
{
    const std::size_t before = driver.commands().size();
    form.setEditText(1, "$800");
    form.setEditText(5, "300");
    click(ui.Button1);
    const auto sent = commandsSince(before);
    EXPECT_TRUE(std::is_sorted(sent.begin(), sent.end())) << "parameter 0 first, each one once";
    EXPECT_EQ(std::adjacent_find(sent.begin(), sent.end()), sent.end());
    EXPECT_EQ(driver.parameter(0), 2048);
    EXPECT_EQ(driver.parameter(22), 300);
    EXPECT_EQ(helpLine(), ">>>>>>>>") << "a good Send shows nothing";
    EXPECT_TRUE(errors.empty());
}

TEST_F(OperatorActions, SendStopsAtAWrongAcknowledgement)
{
    const std::size_t before = driver.commands().size();
    driver.faults().ackChar = '!';
    click(ui.Button1);
    EXPECT_EQ(commandsSince(before), (std::vector<std::string>{"00"}));
    EXPECT_EQ(helpLine(), "通信エラー");
}

TEST_F(OperatorActions, SendStopsAtAnEditThatHoldsNoInteger)
{
    const std::size_t before = driver.commands().size();
    form.setEditText(4, "abc");
    click(ui.Button1);
    EXPECT_EQ(commandsSince(before), (std::vector<std::string>{"00", "01", "02", "03", "04", "05"}));
    EXPECT_EQ(errors, (std::vector<QString>{"'abc' は数値ではありません."}));
    EXPECT_EQ(helpLine(), ">>>>>>>>") << "no communication error for a conversion error";
}

struct SaveCase {
    const char* name;
    std::int32_t statusWord;
    bool silent;
    char ackChar;
    const char* shown;
    bool sent;
};

class Save : public OperatorActions, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(Save, ShowsItsOutcome)
{
    const SaveCase& c = GetParam();
    // The status word the save looks at is the last query's; -1 stands for a query that failed.
    driver.setStatusWord(std::max(c.statusWord, 0));
    driver.faults().silent = c.statusWord < 0;
    tick();
    driver.faults().silent = c.silent;
    driver.faults().ackChar = c.ackChar;
    const std::int32_t errorsBefore = form.commErrorCount();
    click(ui.Button2);
    EXPECT_EQ(helpLine().toStdString(), c.shown);
    EXPECT_EQ(driver.commands().back() == "$S", c.sent);
    EXPECT_EQ(form.commErrorCount(), errorsBefore) << "a save is never counted";
}

INSTANTIATE_TEST_SUITE_P(Outcomes, Save,
                         ::testing::Values(SaveCase{"Acknowledged", 0, false, '.', "セーブ完了", true},
                                           SaveCase{"AnsweredByAnotherByte", 0, false, 'E', "ＳＡＶＥエラー", true},
                                           SaveCase{"NoDriver", 0, true, '.', "ＳＡＶＥエラー", true},
                                           SaveCase{"ServoOn", 1, false, '.', "サーボＯＮ中はセーブできません", false},
                                           SaveCase{"AfterAFailedQuery", -1, false, '.',
                                                    "サーボＯＮ中はセーブできません", false}),
                         caseName<SaveCase>);

TEST_F(OperatorActions, SaveShowsSavingOnScreenBeforeItWaits)
{
    driver.faults().silent = true;
    std::vector<std::pair<QString, Tick>> painted;
    const EventProbe probe(*ui.Mssgbox, QEvent::Paint, [&] { painted.emplace_back(helpLine(), clock.tickMs()); });
    const Tick before = clock.tickMs();
    click(ui.Button2);
    ASSERT_FALSE(painted.empty());
    EXPECT_EQ(painted.front(), std::make_pair(QString("セーブ中"), before));
    EXPECT_GE(clock.tickMs() - before, 10000) << "the whole answer budget was waited for";
}

TEST_F(OperatorActions, TheServoLampTogglesWhenClickedAndShowsTheDriverAgainOnTheNextTick)
{
    ui.ColorBtn1->click();
    EXPECT_EQ(ui.ColorBtn1->text(), "SERVO ON");
    EXPECT_EQ(ui.ColorBtn1->Color(), clLime);
    ui.ColorBtn1->click();
    EXPECT_EQ(ui.ColorBtn1->text(), "SERVO OFF");
    ui.ColorBtn1->click();
    tick();
    EXPECT_EQ(ui.ColorBtn1->text(), "SERVO OFF");
    EXPECT_EQ(ui.ColorBtn1->Color(), clNavy);
}

struct PageChangeCase {
    const char* name;
    int failedQueries;  // status queries that failed before the change
    bool silent;        // the driver answers nothing during the change
    const char* edit9;  // Edit9 after the change, where "77" was typed
};

class PageChange : public OperatorActions, public ::testing::WithParamInterface<PageChangeCase> {};

TEST_P(PageChange, ReadsTheParametersBeforeThePageShowsAndReportsNothing)
{
    const PageChangeCase& c = GetParam();
    for (int n = 0; n < c.failedQueries; ++n) {
        driver.faults().silent = true;
        tick();
    }
    driver.faults().silent = c.silent;
    driver.setParameter(8, 5);
    form.setEditText(9, "77");
    form.setEditText(12, "12");
    const QString shown = helpLine();
    const std::size_t before = driver.commands().size();
    std::size_t commandsWhenShown = 0;
    const EventProbe probe(*ui.Page3, QEvent::Show, [&] { commandsWhenShown = driver.commands().size(); });

    showPage(2);
    EXPECT_EQ(commandsSince(before).size(), c.silent ? 1U : 16U);
    EXPECT_EQ(commandsWhenShown, driver.commands().size()) << "the page shows after the read";
    EXPECT_EQ(form.editText(9), c.edit9);
    EXPECT_EQ(form.editText(12), "12") << "parameter 18 is never read";
    EXPECT_EQ(helpLine(), shown) << "a page change reports nothing";
    EXPECT_EQ(form.commErrorCount(), c.failedQueries) << "and counts nothing";
}

INSTANTIATE_TEST_SUITE_P(States, PageChange,
                         ::testing::Values(PageChangeCase{"Polling", 0, false, "5"},
                                           PageChangeCase{"AfterSixFailedQueries", 6, false, "5"},
                                           PageChangeCase{"FailingRead", 0, true, "77"}),
                         caseName<PageChangeCase>);

TEST_F(OperatorActions, ExitWritesTheSettingsAndEndsWithoutClosingThePort)
{
    click(ui.Button3);
    EXPECT_EQ(exitCodes, (std::vector<int>{0}));
    EXPECT_EQ(readFile(settings.profileFile()), "[PortSetting]\nPortID=1\nBaudRate=0\n");
    EXPECT_EQ(link.state().phase, LinkPhase::Open) << "the close handler did not run";
    EXPECT_EQ(port->discards(), 1) << "unsent bytes would hold the system's release of the port";
}

TEST_F(OperatorActions, ExitWithAnUnwritableSettingsFileGoesOn)
{
    writeFile(settings.profileFile(), "");
    std::filesystem::permissions(settings.profileFile(), std::filesystem::perms(0444));
    click(ui.Button3);
    EXPECT_TRUE(exitCodes.empty());
    EXPECT_EQ(errors, (std::vector<QString>{"DudAved.ini に書き込めません."}));
}

struct CheckCase {
    const char* name;
    QLineEdit* Ui::TForm1::*edit;
    const char* typed;
    const char* after;
};

class InputCheck : public OperatorActions, public ::testing::WithParamInterface<CheckCase> {};

// Types into the edit and moves the focus on to the send button.
TEST_P(InputCheck, PutsBackTheLastReplyForATextThatIsNoInteger)
{
    QLineEdit& edit = *(ui.*GetParam().edit);
    edit.setFocus();
    edit.setText(GetParam().typed);
    ui.Button1->setFocus();
    EXPECT_EQ(edit.text().toStdString(), GetParam().after);
    EXPECT_EQ(helpLine(), ">>>>>>>>") << "a rejected text is replaced silently";
}

INSTANTIATE_TEST_SUITE_P(Texts, InputCheck,
                         ::testing::Values(CheckCase{"Letters", &Ui::TForm1::Edit1, "abc", "4096"},
                                           CheckCase{"Fraction", &Ui::TForm1::Edit2, "1.5", "3"},
                                           CheckCase{"LettersInEdit3", &Ui::TForm1::Edit3, "abc", "6"},
                                           CheckCase{"LeadingSpace", &Ui::TForm1::Edit1, " 42", " 42"},
                                           CheckCase{"TrailingSpace", &Ui::TForm1::Edit1, "42 ", "4096"},
                                           CheckCase{"DollarHex", &Ui::TForm1::Edit2, "$800", "$800"},
                                           CheckCase{"ZeroXHex", &Ui::TForm1::Edit3, "0x800", "0x800"},
                                           CheckCase{"NegativeHex", &Ui::TForm1::Edit1, "-$800", "4096"}),
                         caseName<CheckCase>);

class PortlessActions : public PortlessFormFixture {};

TEST_F(PortlessActions, ACheckPutsBackAnEmptyTextWhenThePortNeverOpened)
{
    auto& edit = *ui.Edit1;
    edit.setFocus();
    edit.setText("abc");
    ui.Edit2->setFocus();
    EXPECT_EQ(edit.text(), "");
}

TEST_F(PortlessActions, APageChangeAfterAFailedFirstReadSendsNothing)
{
    tick();
    ASSERT_TRUE(form.pollHalted());
    form.setEditText(9, "77");
    const Tick before = clock.tickMs();
    showPage(2);
    EXPECT_EQ(form.editText(9), "77");
    EXPECT_EQ(clock.tickMs(), before) << "nothing was waited for";
    EXPECT_TRUE(ui.Page3->isVisible());
}

}  // namespace
}  // namespace vk::test
