#include "console/AutoSizeLabel.h"
#include "tests/console/FormFixture.h"

#include <QGroupBox>

namespace vk::test {
namespace {

enum class Pointer { Move, Press };

struct HelpCase {
    int page;
    ControlRef control;
    Pointer pointer;
    const char* first;
    const char* second;
};

void PrintTo(const HelpCase& c, std::ostream* os)
{
    *os << c.control.name << (c.pointer == Pointer::Move ? " move" : " press");
}

constexpr const char* kPulseFrequency = "CPUの出力する内部パルス周波数の設定(100Hz単位)";

const HelpCase kHelpCases[] = {
    {0, VK_CONTROL(Label2), Pointer::Move, "エンコーダ分解能の設定又は、\rマグネットの長さをｍｍ単位で設定", " "},
    {0, VK_CONTROL(Edit1), Pointer::Move, "エンコーダ分解能の設定又は、\rマグネットの長さをｍｍ単位で設定", " "},
    {0, VK_CONTROL(Label3), Pointer::Move, "外部インターポーレータによる逓倍値の設定", " "},
    {0, VK_CONTROL(Edit2), Pointer::Move, "外部インターポーレータによる逓倍値の設定", " "},
    {0, VK_CONTROL(Label4), Pointer::Move, "回転型の場合はポール数を\rリニアの場合は磁極長を入力", " "},
    {0, VK_CONTROL(Edit3), Pointer::Move, "回転型の場合はポール数を\rリニアの場合は磁極長を入力", " "},
    {0, VK_CONTROL(GroupBox1), Pointer::Move, "エンコーダの逓倍設定", " "},
    {0, VK_CONTROL(GroupBox2), Pointer::Move, "ポールセンス方式の選択", " "},
    {0, VK_CONTROL(GroupBox3), Pointer::Move, "ポールセンサの論理の設定", " "},
    {0, VK_CONTROL(GroupBox4), Pointer::Move, "エンコーダ位相の設定", " "},
    {0, VK_CONTROL(GroupBox5), Pointer::Move, "リニアエンコーダのタイプ選択", " "},
    {1, VK_CONTROL(GroupBox6), Pointer::Move, "モータタイプの選択", " "},
    {1, VK_CONTROL(GroupBox7), Pointer::Move, "指令逓倍の選択", " "},
    {1, VK_CONTROL(GroupBox8), Pointer::Move, "指令パルスの方式を選択", " "},
    {1, VK_CONTROL(Label6), Pointer::Move, "転流のオフセット(ポールセンサU相立下りｴｯｼﾞ位置を電気角で入力)", " "},
    {1, VK_CONTROL(Edit4), Pointer::Move, "転流のオフセット(ポールセンサU相立下りｴｯｼﾞ位置を電気角で入力)", " "},
    {1, VK_CONTROL(Label9), Pointer::Move, kPulseFrequency, " "},
    {1, VK_CONTROL(Edit6), Pointer::Press, kPulseFrequency, " "},
    {1, VK_CONTROL(Edit7), Pointer::Press, kPulseFrequency, " "},
    {1, VK_CONTROL(Edit8), Pointer::Press, kPulseFrequency, " "},
    {1, VK_CONTROL(Label10), Pointer::Move, "低速、高速ゲイン切り替えの速度をKHｚ単位で設定", "設定値が０の時は、低速ゲインに固定される"},
    {1, VK_CONTROL(Edit7), Pointer::Move, "低速、高速ゲイン切り替えの速度をKHｚ単位で設定", "設定値が０の時は、低速ゲインに固定される"},
    {1, VK_CONTROL(Label11), Pointer::Move, "高速→低速ゲイン切り替えの速度設定を、低速→高速ゲイン切り替え速度",
     "からの速度差(KHｚ単位)で指定します。"},
    {1, VK_CONTROL(Edit8), Pointer::Move, "高速→低速ゲイン切り替えの速度設定を、低速→高速ゲイン切り替え速度",
     "からの速度差(KHｚ単位)で指定します。"},
    {2, VK_CONTROL(Label8), Pointer::Move, "ソフトスタートゲインの設定", "設定値大で急加速"},
    {2, VK_CONTROL(Edit5), Pointer::Move, "ソフトスタートゲインの設定", "設定値大で急加速"},
    {2, VK_CONTROL(Label12), Pointer::Move, "フルカウントエラーを発生する、位置偏差量の設定", ""},
    {2, VK_CONTROL(Edit9), Pointer::Move, "フルカウントエラーを発生する、位置偏差量の設定", ""},
    {2, VK_CONTROL(Label13), Pointer::Move, "フルカウント状態が設定値(msec単位)以上連続した場合にアラームとなる。", ""},
    {2, VK_CONTROL(Edit10), Pointer::Move, "フルカウント状態が設定値(msec単位)以上連続した場合にアラームとなる。", ""},
    {2, VK_CONTROL(Label14), Pointer::Move, "ソフトスタート時の加速度をしていします。", "加速度は設定値/256 ×1000（パルス/ SEC2）となります"},
    {2, VK_CONTROL(Edit11), Pointer::Move, "ソフトスタート時の加速度をしていします。", "加速度は設定値/256 ×1000（パルス/ SEC2）となります"},
    {2, VK_CONTROL(Label17), Pointer::Move, "直流励磁にてモータ停止後の転流位相確認速度", "Kpps単位で設定します。"},
    {2, VK_CONTROL(Edit12), Pointer::Move, "直流励磁にてモータ停止後の転流位相確認速度", "Kpps単位で設定します。"},
    {0, VK_CONTROL(ColorBtn1), Pointer::Move, "サーボON/OFF表示", ""},
    {0, VK_CONTROL(BlinkBtn1), Pointer::Move, "赤色点滅でアラーム状態", ""},
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
    EXPECT_EQ(firstLine().caption(), QString::fromUtf8(c.first));
    EXPECT_EQ(secondLine().caption(), QString::fromUtf8(c.second));
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
    {0, VK_CONTROL(Button1)},       {0, VK_CONTROL(Button2)},  {0, VK_CONTROL(Button3)},
    {0, VK_CONTROL(Label1)},        {0, VK_CONTROL(Label5)},   {0, VK_CONTROL(Label15)},
    {0, VK_CONTROL(Label16)},       {0, VK_CONTROL(Mssgbox)},  {0, VK_CONTROL(Mssgbox1)},
    {0, VK_CONTROL(Bevel1)},        {0, VK_CONTROL(Page1)},    {0, VK_CONTROL(RadioButton1)},
    {0, VK_CONTROL(RadioButton7)},  {0, VK_CONTROL(RadioButton11)}, {1, VK_CONTROL(Label7)},
    {1, VK_CONTROL(Edit6)},         {1, VK_CONTROL(RadioButton13)}, {2, VK_CONTROL(ScrollBar1)},
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

// Counts the paints a widget gets.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

TEST_F(HelpLine, TheSameTextAgainRepaintsNothing)
{
    showPage(2);
    pointAt(*ui.Label8);
    QApplication::processEvents();
    ASSERT_EQ(secondLine().caption(), "設定値大で急加速");
    PaintCounter counter(firstLine());
    for (int i = 0; i < 5; ++i)
        pointAt(*ui.Edit5, QPoint(10 + i, 10));  // a burst of moves with the same texts
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);
    pointAt(*ui.Label12);
    QApplication::processEvents();
    EXPECT_GT(counter.paints, 0) << "a new text is drawn";
    EXPECT_EQ(firstLine().caption(), "フルカウントエラーを発生する、位置偏差量の設定");
}

}  // namespace
}  // namespace vk::test
