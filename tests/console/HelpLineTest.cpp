#include "console/AutoSizeLabel.h"
#include "console/HelpTexts.h"
#include "console/QtText.h"
#include "tests/console/FormFixture.h"

#include <QGroupBox>

namespace vk::test {
namespace {

enum class Pointer { Move, Press };

struct HelpCase {
    int page;
    ControlRef control;
    Pointer pointer;
    const HelpEntry& entry;
};

void PrintTo(const HelpCase& c, std::ostream* os)
{
    *os << c.control.name << (c.pointer == Pointer::Move ? " move" : " press");
}

const HelpCase kHelpCases[] = {
    {0, VK_CONTROL(Label2), Pointer::Move, kHelpEncoderResolution},
    {0, VK_CONTROL(Edit1), Pointer::Move, kHelpEncoderResolution},
    {0, VK_CONTROL(Label3), Pointer::Move, kHelpInterpolator},
    {0, VK_CONTROL(Edit2), Pointer::Move, kHelpInterpolator},
    {0, VK_CONTROL(Label4), Pointer::Move, kHelpPolesOrPitch},
    {0, VK_CONTROL(Edit3), Pointer::Move, kHelpPolesOrPitch},
    {0, VK_CONTROL(GroupBox1), Pointer::Move, kHelpEncoderMultiplication},
    {0, VK_CONTROL(GroupBox2), Pointer::Move, kHelpPoleSensing},
    {0, VK_CONTROL(GroupBox3), Pointer::Move, kHelpSensorLogic},
    {0, VK_CONTROL(GroupBox4), Pointer::Move, kHelpEncoderPhase},
    {0, VK_CONTROL(GroupBox5), Pointer::Move, kHelpLinearEncoderType},
    {1, VK_CONTROL(GroupBox6), Pointer::Move, kHelpMotorType},
    {1, VK_CONTROL(GroupBox7), Pointer::Move, kHelpCommandMultiplication},
    {1, VK_CONTROL(GroupBox8), Pointer::Move, kHelpCommandPulseFormat},
    {1, VK_CONTROL(Label6), Pointer::Move, kHelpCommutationOffset},
    {1, VK_CONTROL(Edit4), Pointer::Move, kHelpCommutationOffset},
    {1, VK_CONTROL(Label9), Pointer::Move, kHelpPulseFrequency},
    {1, VK_CONTROL(Edit6), Pointer::Press, kHelpPulseFrequency},
    {1, VK_CONTROL(Edit7), Pointer::Press, kHelpPulseFrequency},
    {1, VK_CONTROL(Edit8), Pointer::Press, kHelpPulseFrequency},
    {1, VK_CONTROL(Label10), Pointer::Move, kHelpGainSwitchSpeed},
    {1, VK_CONTROL(Edit7), Pointer::Move, kHelpGainSwitchSpeed},
    {1, VK_CONTROL(Label11), Pointer::Move, kHelpGainSwitchBand},
    {1, VK_CONTROL(Edit8), Pointer::Move, kHelpGainSwitchBand},
    {2, VK_CONTROL(Label8), Pointer::Move, kHelpSoftStartGain},
    {2, VK_CONTROL(Edit5), Pointer::Move, kHelpSoftStartGain},
    {2, VK_CONTROL(Label12), Pointer::Move, kHelpFullCount},
    {2, VK_CONTROL(Edit9), Pointer::Move, kHelpFullCount},
    {2, VK_CONTROL(Label13), Pointer::Move, kHelpFullCountTime},
    {2, VK_CONTROL(Edit10), Pointer::Move, kHelpFullCountTime},
    {2, VK_CONTROL(Label14), Pointer::Move, kHelpAcceleration},
    {2, VK_CONTROL(Edit11), Pointer::Move, kHelpAcceleration},
    {2, VK_CONTROL(Label17), Pointer::Move, kHelpCheckSpeed},
    {2, VK_CONTROL(Edit12), Pointer::Move, kHelpCheckSpeed},
    {0, VK_CONTROL(ColorBtn1), Pointer::Move, kHelpServoLamp},
    {0, VK_CONTROL(BlinkBtn1), Pointer::Move, kHelpAlarmLamp},
};

constexpr const char* kUntouched = "untouched";

class HelpLine : public PortlessFormFixture {
protected:
    AutoSizeLabel& firstLine() { return *ui.Mssgbox; }
    AutoSizeLabel& secondLine() { return *ui.Mssgbox1; }
    void markLines()
    {
        firstLine().setCaption(kUntouched);
        secondLine().setCaption(kUntouched);
    }
    // A group box's own area: its caption, clear of its radio buttons.
    static QPoint ownArea(QWidget& control)
    {
        return qobject_cast<QGroupBox*>(&control) ? QPoint(12, 5) : control.rect().center();
    }
};

class HelpEntries : public HelpLine, public ::testing::WithParamInterface<HelpCase> {};

TEST_P(HelpEntries, ShowsTheControlsPairOfTexts)
{
    const HelpCase& c = GetParam();
    showPage(c.page);
    markLines();
    QWidget& control = get(c.control);
    if (c.pointer == Pointer::Move)
        pointAt(control, ownArea(control));
    else
        QTest::mouseClick(&control, Qt::RightButton, {}, control.rect().center());
    EXPECT_EQ(firstLine().caption(), toQString(c.entry.first));
    EXPECT_EQ(secondLine().caption(), toQString(c.entry.second));
}

INSTANTIATE_TEST_SUITE_P(EveryHelpHandler, HelpEntries, ::testing::ValuesIn(kHelpCases));

struct SilentCase {
    int page;
    ControlRef control;
};

void PrintTo(const SilentCase& c, std::ostream* os)
{
    *os << c.control.name;
}

const SilentCase kSilentCases[] = {
    {0, VK_CONTROL(Button1)},
    {0, VK_CONTROL(Button2)},
    {0, VK_CONTROL(Button3)},
    {0, VK_CONTROL(Label1)},
    {0, VK_CONTROL(Label5)},
    {0, VK_CONTROL(Label15)},
    {0, VK_CONTROL(Label16)},
    {0, VK_CONTROL(Mssgbox)},
    {0, VK_CONTROL(Mssgbox1)},
    {0, VK_CONTROL(Bevel1)},
    {0, VK_CONTROL(Page1)},
    {0, VK_CONTROL(RadioButton1)},
    {0, VK_CONTROL(RadioButton7)},
    {0, VK_CONTROL(RadioButton11)},
    {1, VK_CONTROL(Label7)},
    {1, VK_CONTROL(Edit6)},
    {1, VK_CONTROL(RadioButton13)},
    {2, VK_CONTROL(ScrollBar1)},
    {0, {"Form1"}},
};

class NoHelp : public HelpLine, public ::testing::WithParamInterface<SilentCase> {};

TEST_P(NoHelp, PointerOverTheControlLeavesBothLines)
{
    showPage(GetParam().page);
    markLines();
    QWidget& control = get(GetParam().control);
    // A corner of the page or window is background; any other control is pointed at in its middle.
    pointAt(control, &control == &form ? QPoint(300, 440) : control.rect().center());
    pointAt(control, QPoint(2, 2));
    EXPECT_EQ(firstLine().caption(), kUntouched);
    EXPECT_EQ(secondLine().caption(), kUntouched);
}

INSTANTIATE_TEST_SUITE_P(ControlsWithoutHelp, NoHelp, ::testing::ValuesIn(kSilentCases));

TEST_F(HelpLine, BothLinesStartWithArrows)
{
    EXPECT_EQ(firstLine().caption(), ">>>>>>>>");
    EXPECT_EQ(secondLine().caption(), ">>>>>>>>");
}

TEST_F(HelpLine, NotebookTabsShowNoHelp)
{
    markLines();
    QTabBar& tabs = *notebook().tabBar();
    pointAt(tabs, tabs.tabRect(1).center());
    EXPECT_EQ(firstLine().caption(), kUntouched);
}

TEST_F(HelpLine, ACarriageReturnSplitsTheFirstLineIntoTwo)
{
    pointAt(*ui.Label3);
    const int oneLine = firstLine().height();
    pointAt(*ui.Edit1);
    EXPECT_EQ(firstLine().text(), "エンコーダ分解能の設定又は、\nマグネットの長さをｍｍ単位で設定");
    EXPECT_GT(firstLine().height(), oneLine + oneLine / 2);
    // Moving on to the page's background keeps both texts.
    pointAt(*ui.Page1, QPoint(2, 2));
    EXPECT_EQ(firstLine().caption(), "エンコーダ分解能の設定又は、\rマグネットの長さをｍｍ単位で設定");
    EXPECT_EQ(secondLine().caption(), " ");
}

}  // namespace
}  // namespace vk::test
