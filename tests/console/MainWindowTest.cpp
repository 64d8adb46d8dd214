#include "tests/console/FormFixture.h"
#include "widgets/BlinkBtn.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTimer>
#include <QWheelEvent>

namespace vk::test {
namespace {

using MainWindow = PortlessFormFixture;

TEST_F(MainWindow, OpensWithItsCaptionPositionAndFirstPage)
{
    EXPECT_EQ(form.windowTitle(), "TERM For VK785N");
    EXPECT_EQ(form.pos(), QPoint(168, 210));
    EXPECT_EQ(notebook().PageIndex(), 0);
    EXPECT_TRUE(ui.Page1->isVisible());
    EXPECT_FALSE(ui.Page2->isVisible());
    EXPECT_EQ(notebook().tabBar()->tabText(2), "Page3");
    EXPECT_TRUE(ui.BlinkBtn1->BlinkEnabled()) << "the alarm lamp blinks from the start";
    EXPECT_EQ(ui.ColorBtn1->text(), "SERVO OFF");
    EXPECT_EQ(ui.ColorBtn1->Color(), clNavy);
    EXPECT_EQ(timer().interval(), 1000);
    EXPECT_TRUE(makeForm()->timer().isActive()) << "the timer runs from creation";
}

TEST_F(MainWindow, ParameterControlsStartWithTheirDefaults)
{
    const char* const edits[] = {"2048", "1", "8", "0", "0", "0", "0", "0", "0", "0", "0", "0"};
    for (int n = 1; n <= kParameterEdits; ++n)
        EXPECT_EQ(form.editText(n), edits[n - 1]) << "Edit" << n;
    const int firstOfGroup[] = {1, 4, 6, 8, 10, 12, 14, 16};
    for (int n = 1; n <= kParameterRadios; ++n)
        EXPECT_EQ(form.radioChecked(n), std::ranges::count(firstOfGroup, n) == 1) << "RadioButton" << n;
    EXPECT_THROW(form.editText(13), std::out_of_range);
}

TEST_F(MainWindow, ParameterControlsAreTheControlsOnScreen)
{
    form.setEditText(9, "abc");
    EXPECT_EQ(ui.Edit9->text(), "abc");
    ui.Edit11->setText("-$800");
    EXPECT_EQ(form.editText(11), "-$800");
    form.checkRadio(17);
    EXPECT_TRUE(ui.RadioButton17->isChecked());
    EXPECT_FALSE(form.radioChecked(16));
}

// The names of the controls that Tab visits, starting after `from`.
std::vector<QString> tabWalk(QWidget& from, int steps)
{
    from.setFocus(Qt::OtherFocusReason);
    std::vector<QString> visited;
    for (int i = 0; i < steps; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* now = QApplication::focusWidget();
        visited.push_back(qobject_cast<QTabBar*>(now) ? "tabs" : now->objectName());
    }
    return visited;
}

TEST_F(MainWindow, TabVisitsTheButtonsTheTabsAndThePageInFront)
{
    const std::vector<QString> page1 = {"Button2",      "Button3",      "ColorBtn1",     "BlinkBtn1",    "tabs",
                                        "Edit1",        "Edit2",        "Edit3",         "RadioButton1", "RadioButton4",
                                        "RadioButton6", "RadioButton8", "RadioButton10", "Button1"};
    EXPECT_EQ(tabWalk(*ui.Button1, 14), page1);

    showPage(2);
    const std::vector<QString> page3 = {"ScrollBar1", "Edit5", "Edit9", "Edit10", "Edit11", "Edit12", "Button1"};
    EXPECT_EQ(tabWalk(*notebook().tabBar(), 7), page3);
}

TEST_F(MainWindow, OnlyTheCheckedRadioButtonOfAGroupIsATabStop)
{
    form.checkRadio(13);
    showPage(1);
    const std::vector<QString> page2 = {"RadioButton13", "RadioButton14", "RadioButton16", "Edit4"};
    EXPECT_EQ(tabWalk(*notebook().tabBar(), 4), page2);
}

TEST_F(MainWindow, LeavingAFirstPageEditWithTabChecksIt)
{
    form.parameters().cache().store(0, "1000");
    form.parameters().cache().store(1, "3");
    form.setEditText(1, "abc");
    form.setEditText(2, "42");
    tabWalk(*ui.Edit1, 1);
    EXPECT_EQ(form.editText(1), "1000") << "Edit1Exit put back the last reply";
    tabWalk(*ui.Edit2, 1);
    EXPECT_EQ(form.editText(2), "42") << "an integer stays as typed";
}

TEST_F(MainWindow, SwitchingToAnotherWindowIsNoExit)
{
    form.parameters().cache().store(0, "1000");
    form.setEditText(1, "abc");
    ui.Edit1->setFocus();
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_FALSE(ui.Edit1->hasFocus());
    EXPECT_EQ(form.editText(1), "abc");
}

TEST_F(MainWindow, LeavingEdit4ChecksEdit2)
{
    form.parameters().cache().store(1, "3");
    form.setEditText(2, "1.5");
    form.setEditText(4, "abc");
    showPage(1);
    tabWalk(*ui.Edit4, 1);
    EXPECT_EQ(form.editText(2), "3");
    EXPECT_EQ(form.editText(4), "abc") << "the edit left is not checked";
}

TEST_F(MainWindow, LeavingEdit9RunsNoCheck)
{
    showPage(2);
    form.setEditText(9, "abc");
    tabWalk(*ui.Edit9, 1);
    EXPECT_EQ(form.editText(9), "abc");
}

struct ChangeSeen {
    int newTab;
    int pageInFront;
    bool newPageVisible;
};

class NotebookChange : public PortlessFormFixture {
protected:
    NotebookChange()
    {
        QObject::connect(&notebook(), &TabbedNotebook::changing, &form, [this](int newTab, bool& allowChange) {
            seen.push_back({newTab, notebook().PageIndex(), notebook().page(newTab)->isVisible()});
            allowChange = allow;
        });
    }
    void clickTab(int index)
    {
        QTabBar& tabs = *notebook().tabBar();
        QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(index).center());
    }

    bool allow = true;
    std::vector<ChangeSeen> seen;
};

TEST_F(NotebookChange, IsRaisedOnceBeforeTheNewPageShows)
{
    clickTab(1);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].newTab, 1);
    EXPECT_EQ(seen[0].pageInFront, 0);
    EXPECT_FALSE(seen[0].newPageVisible);
    EXPECT_EQ(notebook().PageIndex(), 1);
    EXPECT_TRUE(ui.Page2->isVisible());
}

TEST_F(NotebookChange, IsNotRaisedForTheTabInFront)
{
    clickTab(0);
    EXPECT_TRUE(seen.empty());
}

TEST_F(NotebookChange, ARefusedChangeKeepsThePage)
{
    allow = false;
    clickTab(2);
    QTest::keyClick(notebook().tabBar(), Qt::Key_Right);
    EXPECT_EQ(seen.size(), 2u);
    EXPECT_EQ(notebook().PageIndex(), 0);
    EXPECT_EQ(notebook().tabBar()->currentIndex(), 0);
    EXPECT_TRUE(ui.Page1->isVisible());
}

TEST_F(NotebookChange, ArrowKeysOnTheTabsChangePages)
{
    notebook().tabBar()->setFocus();
    QTest::keyClick(notebook().tabBar(), Qt::Key_Right);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(notebook().PageIndex(), 1);
}

class GainScrollBar : public PortlessFormFixture {
protected:
    GainScrollBar() { showPage(2); }
    QScrollBar& bar() { return *ui.ScrollBar1; }
    QRect part(QStyle::SubControl subControl)
    {
        QStyleOptionSlider option;
        option.initFrom(&bar());
        option.orientation = Qt::Horizontal;
        option.minimum = bar().minimum();
        option.maximum = bar().maximum();
        option.sliderPosition = bar().sliderPosition();
        option.sliderValue = bar().value();
        option.singleStep = bar().singleStep();
        option.pageStep = bar().pageStep();
        option.subControls = QStyle::SC_All;
        return bar().style()->subControlRect(QStyle::CC_ScrollBar, &option, subControl, &bar());
    }
};

TEST_F(GainScrollBar, Edit5FollowsADragOnlyWhenTheThumbIsReleased)
{
    const QPoint thumb = part(QStyle::SC_ScrollBarSlider).center();
    QTest::mousePress(&bar(), Qt::LeftButton, {}, thumb);
    QTest::mouseMove(&bar(), QPoint(bar().width() + 40, thumb.y()));
    EXPECT_EQ(bar().value(), 2560);
    EXPECT_EQ(form.editText(5), "0") << "not during the drag";
    QTest::mouseRelease(&bar(), Qt::LeftButton, {}, QPoint(bar().width() + 40, thumb.y()));
    EXPECT_EQ(form.editText(5), "2560");
}

TEST_F(GainScrollBar, Edit5FollowsAnArrowClickAndAScrollingKey)
{
    QTest::mouseClick(&bar(), Qt::LeftButton, {}, part(QStyle::SC_ScrollBarAddLine).center());
    EXPECT_EQ(form.editText(5), "1");
    bar().setFocus();
    QTest::keyClick(&bar(), Qt::Key_End);
    EXPECT_EQ(form.editText(5), "2560");
}

// Neither the wheel nor the bar's menu ends a scroll, so the bar takes neither:
// the bar and Edit5 never disagree.
TEST_F(GainScrollBar, TheWheelAndTheMenuDoNotMoveTheBar)
{
    const QPointF inside = QRectF(bar().rect()).center();
    QWheelEvent wheel(inside, bar().mapToGlobal(inside), {}, {0, -120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(&bar(), &wheel);
    EXPECT_EQ(bar().value(), 0);
    EXPECT_EQ(bar().contextMenuPolicy(), Qt::NoContextMenu);
}

}  // namespace
}  // namespace vk::test
