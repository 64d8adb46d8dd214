#pragma once

#include "console/TabbedNotebook.h"
#include "console/Unit1.h"
#include "link/DriveLink.h"
#include "tests/support/FakeClock.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vk::test {

// The main window over a link whose port never opens, shown and active, with
// the failures its handlers do not catch collected instead of shown.
class FormFixture : public ::testing::Test {
protected:
    FormFixture()
    {
        form.show();
        QApplication::setActiveWindow(&form);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    }

    template <typename Control = QWidget>
    Control& get(const std::string& name)
    {
        auto* control = form.findChild<Control*>(QString::fromStdString(name));
        if (!control)
            throw std::runtime_error("no control " + name);
        return *control;
    }

    TabbedNotebook& notebook() { return get<TabbedNotebook>("TabbedNotebook1"); }
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

    FakeClock clock;
    DriveLink link{clock, [](const std::string&) { return nullptr; }, DeviceMap{}};
    std::vector<QString> errors;
    TForm1 form{{.link = link, .reportError = [this](const QString& message) { errors.push_back(message); }}};
};

}  // namespace vk::test
