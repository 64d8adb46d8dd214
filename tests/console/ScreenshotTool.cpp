// console-screenshot DIR: shows the main window over a link that never opens
// and writes page1.png .. page3.png into DIR, one per notebook page, for a
// person to look at.
#include "console/Application.h"
#include "console/TabbedNotebook.h"
#include "console/Unit1.h"
#include "link/DriveLink.h"

#include <QApplication>
#include <QDir>
#include <QTabBar>

#include <cstdio>

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

    vk::SteadyClock clock;
    vk::DriveLink link(clock, [](const std::string&) { return nullptr; }, vk::DeviceMap{});
    vk::TForm1 form({.link = link});
    form.show();
    auto* notebook = form.findChild<vk::TabbedNotebook*>("TabbedNotebook1");
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
