// The program entry: the application, its one window Form1, the event loop.
#include "console/Application.h"
#include "console/Unit1.h"
#include "link/DriveLink.h"
#include "platform/Clock.h"
#include "platform/PosixSerialPort.h"

#include <QApplication>

#include <cstdlib>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    vk::setUpApplication();

    vk::SteadyClock clock;
    vk::DriveLink link(clock, vk::posixPortOpener(), vk::DeviceMap{});
    vk::TForm1 Form1({.link = link});
    Form1.show();
    QApplication::exec();
    // Both ways out end the run with 0.
    return EXIT_SUCCESS;
}
