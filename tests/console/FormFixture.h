#pragma once

#include "console/AutoSizeLabel.h"
#include "console/TabbedNotebook.h"
#include "tests/console/FormHarness.h"
#include "ui_Unit1.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace vk::test {

// A control named in a table of cases: its name for the case's title and the
// form's member, so a wrong name does not compile. Of nothing: the window itself.
struct ControlRef {
    const char* name;
    QWidget* (*of)(Ui::TForm1& ui) = nullptr;
};
// clang-format off
#define VK_CONTROL(member) \
    ::vk::test::ControlRef { #member, [](Ui::TForm1& ui) -> QWidget* { return ui.member; } }
// clang-format on

// The main window over the harness, shown and active. Its timer is stopped:
// the tests tick it themselves, so no tick comes in between.
class FormFixture : public ::testing::Test, public FormHarness {
protected:
    explicit FormFixture(bool portOpens = true) : FormHarness(portOpens)
    {
        timer().stop();
        form.show();
        QApplication::setActiveWindow(&form);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    }

    QWidget& get(const ControlRef& control) { return control.of ? *control.of(ui) : static_cast<QWidget&>(form); }

    TabbedNotebook& notebook() { return *ui.TabbedNotebook1; }
    QTimer& timer() { return form.timer(); }
    // One tick of Timer1 that runs, through the window's event wiring. After
    // a long exchange on the fake clock the timer's late tick comes first and
    // is let go, as on the screen.
    void tick()
    {
        if (lastTickAt_ && std::chrono::milliseconds(clock.tickMs() - *lastTickAt_) > TForm1::kHeldBackGap)
            fireTimer();
        fireTimer();
    }
    // One timeout of Timer1 as it comes, held back or not.
    void fireTimer()
    {
        lastTickAt_ = clock.tickMs();
        QMetaObject::invokeMethod(&timer(), "timeout");
    }
    QString helpLine() { return ui.Mssgbox->caption(); }
    void showPage(int index) { notebook().tabBar()->setCurrentIndex(index); }

    // Moves the pointer, no button held, to a point of a control; the event
    // goes to whatever control is on top there, as on the screen.
    void pointAt(QWidget& control, QPoint where)
    {
        const QPoint inForm = control.mapTo(&form, where);
        QWidget* under = form.childAt(inForm);
        QWidget* receiver = under ? under : &form;
        const QPoint local = receiver->mapFrom(&form, inForm);
        QMouseEvent move(QEvent::MouseMove, local, receiver->mapToGlobal(local), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(receiver, &move);
    }
    void pointAt(QWidget& control) { pointAt(control, control.rect().center()); }

    std::optional<Tick> lastTickAt_;
    std::unique_ptr<TForm1> window = makeForm();
    TForm1& form = *window;
    Ui::TForm1& ui = form.ui();
};

// The window whose port never opened: every exchange ends at its deadline, on
// the fake clock, and changes no control.
class PortlessFormFixture : public FormFixture {
protected:
    PortlessFormFixture() : FormFixture(false) {}
};

}  // namespace vk::test
