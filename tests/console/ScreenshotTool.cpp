// console-screenshot DIR: shows the main window after its first tick against
// the simulated driver (servo on, no alarm) and writes page1.png .. page3.png
// into DIR, one per notebook page, for a person to look at.
#include "console/Application.h"
#include "console/TabbedNotebook.h"
#include "console/Unit1.h"
#include "link/DriveLink.h"
#include "sim/DriverCore.h"
#include "support/FakeClock.h"
#include "tests/support/FakeSerialPort.h"
#include "ui_Unit1.h"

#include <QApplication>
#include <QDir>
#include <QTabBar>
#include <QTimer>

#include <cstdio>
#include <memory>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: console-screenshot DIR\n");
        return 2;
    }
    QApplication application(argc, argv);
    vk::setUpApplication();
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(".")) {
        std::fprintf(stderr, "cannot make %s\n", argv[1]);
        return 1;
    }

    // The driver's own pace on a fake clock: every exchange ends at once.
    vk::test::FakeClock clock;
    vk::sim::DriverCore driver;
    driver.setStatusWord(1);
    vk::DriveLink link(
        clock,
        [&](const std::string&) {
            auto port = std::make_unique<vk::test::FakeSerialPort>(clock);
            port->attachDriver(driver);
            return port;
        },
        vk::DeviceMap{});
    vk::TForm1 form({.link = link});
    form.timer().stop();
    QMetaObject::invokeMethod(&form.timer(), "timeout");
    form.show();
    auto* notebook = form.ui().TabbedNotebook1;
    for (int page = 0; page < notebook->pageCount(); ++page) {
        notebook->tabBar()->setCurrentIndex(page);
        QApplication::processEvents();
        const QString file = folder.filePath(QStringLiteral("page%1.png").arg(page + 1));
        if (!form.grab().save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
        std::printf("%s\n", qPrintable(file));
    }
    return 0;
}
