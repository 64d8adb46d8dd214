#include "tests/support/EventProbe.h"
#include "widgets/ColorBtn.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

namespace vk {
namespace {

class ShownWindow {
public:
    ShownWindow()
    {
        window.resize(300, 60);
        first->setGeometry(0, 0, 60, 30);
        second->setGeometry(60, 0, 60, 30);
        plain->setGeometry(120, 0, 60, 30);
        edit->setGeometry(180, 0, 60, 30);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        settle();
    }
    static void settle() { QApplication::processEvents(); }
    int repaintsAfter(const std::function<void()>& action)
    {
        settle();
        const test::EventProbe paints(*first, QEvent::Paint);
        action();
        settle();
        return paints.count;
    }

    QWidget window;
    TColorBtn* first = new TColorBtn(&window);
    TColorBtn* second = new TColorBtn(&window);
    QPushButton* plain = new QPushButton(&window);
    QLineEdit* edit = new QLineEdit(&window);
};

TEST(ColorBtn, StartsWithItsDefaults)
{
    TColorBtn button;
    EXPECT_EQ(button.Color(), clBtnFace);
    EXPECT_EQ(button.BevelStyle(), TColorBtnBevel::cbStd);
    EXPECT_EQ(button.BevelWidth(), 2);
    EXPECT_FALSE(button.ActiveDefault());
}

TEST(ColorBtn, BevelWidthBelowOneIsStoredAsOne)
{
    TColorBtn button;
    for (const auto& [written, stored] : {std::pair{0, 1}, {-5, 1}, {1, 1}, {7, 7}}) {
        button.setBevelWidth(written);
        EXPECT_EQ(button.BevelWidth(), stored) << written;
    }
}

struct RepaintCase {
    const char* name;
    std::function<void(TColorBtn&)> action;
    bool repaints;
};

void PrintTo(const RepaintCase& c, std::ostream* os)
{
    *os << c.name;
}

class RepaintCases : public ::testing::TestWithParam<RepaintCase> {};

TEST_P(RepaintCases, RepaintOnlyOnAChange)
{
    ShownWindow shown;
    shown.first->setBevelWidth(1);  // so that writing 0 changes nothing
    const int faces = shown.repaintsAfter([&] { GetParam().action(*shown.first); });
    if (GetParam().repaints)
        EXPECT_GE(faces, 1);
    else
        EXPECT_EQ(faces, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Writes, RepaintCases,
    ::testing::Values(
        RepaintCase{"SameColor", [](TColorBtn& b) { b.setColor(clBtnFace); }, false},
        RepaintCase{"NewColor", [](TColorBtn& b) { b.setColor(clNavy); }, true},
        RepaintCase{"SameBevelWidth", [](TColorBtn& b) { b.setBevelWidth(1); }, false},
        RepaintCase{"ZeroBevelWidthWhenOne", [](TColorBtn& b) { b.setBevelWidth(0); }, false},
        RepaintCase{"NewBevelWidth", [](TColorBtn& b) { b.setBevelWidth(3); }, true},
        RepaintCase{"SameBevelStyle", [](TColorBtn& b) { b.setBevelStyle(TColorBtnBevel::cbStd); }, false},
        RepaintCase{"NewBevelStyle", [](TColorBtn& b) { b.setBevelStyle(TColorBtnBevel::cbRaised); }, true},
        RepaintCase{"Disabled", [](TColorBtn& b) { b.setEnabled(false); }, true},
        RepaintCase{"NewCaption", [](TColorBtn& b) { b.setText("SERVO ON"); }, true}),
    [](const auto& info) { return info.param.name; });

TEST(ColorBtn, ReenablingRepaints)
{
    ShownWindow shown;
    shown.first->setEnabled(false);
    EXPECT_GE(shown.repaintsAfter([&] { shown.first->setEnabled(true); }), 1);
}

TEST(ColorBtn, ActiveDefaultFollowsTheFocusWithinTheWindow)
{
    ShownWindow shown;
    TColorBtn& first = *shown.first;
    struct Step {
        const char* name;
        QWidget* focus;
        bool isDefault;
        bool active;
    };
    const Step steps[] = {
        {"onto it", &first, false, true},
        {"onto another lamp", shown.second, false, false},
        {"back onto it", &first, false, true},
        {"onto a plain push button", shown.plain, false, false},
        {"onto an edit, not default", shown.edit, false, false},
        {"onto another lamp while default", shown.second, true, false},
        {"onto an edit, default", shown.edit, true, true},
        {"onto it, default", &first, true, true},
    };
    for (const Step& step : steps) {
        first.setDefault(step.isDefault);
        step.focus->setFocus();
        EXPECT_EQ(first.ActiveDefault(), step.active) << step.name;
        ShownWindow::settle();
    }
}

// The default lamp never has the focus here, so only its own immediate repaint
// can paint it before events are processed.
TEST(ColorBtn, ChangeOfActiveDefaultRepaintsAtOnce)
{
    ShownWindow shown;
    TColorBtn& lamp = *shown.first;
    lamp.setDefault(true);
    for (QWidget* focus : {static_cast<QWidget*>(shown.plain), static_cast<QWidget*>(shown.edit)}) {
        focus->setFocus();
        ShownWindow::settle();
    }
    ASSERT_TRUE(lamp.ActiveDefault());
    for (QWidget* focus : {static_cast<QWidget*>(shown.plain), static_cast<QWidget*>(shown.edit)}) {
        const test::EventProbe paints(lamp, QEvent::Paint);
        focus->setFocus();
        EXPECT_GE(paints.count, 1) << "active now " << lamp.ActiveDefault();
        ShownWindow::settle();
    }
}

TEST(ColorBtn, FocusInAnotherWindowLeavesActiveDefaultAlone)
{
    ShownWindow shown;
    shown.first->setFocus();
    ASSERT_TRUE(shown.first->ActiveDefault());
    ShownWindow other;
    other.plain->setFocus();
    EXPECT_TRUE(shown.first->ActiveDefault());
}

}  // namespace
}  // namespace vk
