#include "console/HandlerGuard.h"
#include "params/IntegerText.h"
#include "platform/settings/PortSettings.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>
#include <vector>

namespace vk {
namespace {

struct BoxSeen {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Reads the modal box once it is up and closes it, as the operator would.
void closeBoxWhenShown(BoxSeen& seen)
{
    QTimer::singleShot(0, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            closeBoxWhenShown(seen);
            return;
        }
        seen = {box->windowTitle(), box->text(), box->icon()};
        box->accept();
    });
}

TEST(ErrorBox, ShowsAnUncaughtConversionErrorWithAFullStopAndGoesOn)
{
    QWidget window;
    BoxSeen seen;
    closeBoxWhenShown(seen);
    const bool completed = runGuarded([&window](const QString& message) { showErrorBox(&window, message); },
                                      [] { throw ConversionError("abc"); });
    EXPECT_FALSE(completed);
    EXPECT_EQ(seen.text, "'abc' は数値ではありません.");
    EXPECT_EQ(seen.title, "TERMVK785N");
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
}

TEST(ErrorBox, ASettingsErrorIsTheOperatorsBusinessToo)
{
    std::vector<QString> reports;
    EXPECT_FALSE(runGuarded([&reports](const QString& message) { reports.push_back(message); },
                            [] { throw SettingsError("DudAved.ini に書き込めません"); }));
    EXPECT_EQ(reports, std::vector<QString>{"DudAved.ini に書き込めません."});
}

// A defect is no message for the operator: the program ends with the runtime's
// account of it and nothing is reported.
TEST(ErrorBoxDeathTest, ADefectEndsTheProgramLoudly)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto reportNothing = [](const QString&) { std::fputs("reported\n", stderr); };
    EXPECT_DEATH(runGuarded(reportNothing, [] { throw std::out_of_range("no Edit13"); }),
                 "out_of_range.*\n.*no Edit13");
    EXPECT_DEATH(runGuarded(reportNothing, [] { throw std::logic_error("no such page"); }),
                 "logic_error.*\n.*no such page");
}

TEST(ErrorBox, AHandlerThatEndsNormallyShowsNothing)
{
    int reports = 0;
    int runs = 0;
    EXPECT_TRUE(runGuarded([&reports](const QString&) { ++reports; }, [&runs] { ++runs; }));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(reports, 0);
}

}  // namespace
}  // namespace vk
