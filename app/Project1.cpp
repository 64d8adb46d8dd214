// The program entry: the command line, the application, its one window Form1,
// the event loop.
#include "app/CommandLine.h"
#include "app/SimulatedDriver.h"
#include "app/TerminationSignal.h"
#include "console/Application.h"
#include "console/HandlerGuard.h"
#include "console/Unit1.h"
#include "link/DriveLink.h"
#include "platform/Clock.h"
#include "platform/PosixSerialPort.h"

#include <QApplication>

#include <cstdlib>
#include <optional>
#include <iostream>

namespace {

constexpr int kUsageError = 2;

// Answers --help, --version and a wrong command line; nullopt to go on and run.
std::optional<int> answerWithoutWindow(const vk::CommandLine& commandLine)
{
    switch (commandLine.action) {
    case vk::CommandLine::Action::Help:
    case vk::CommandLine::Action::Version:
        std::cout << commandLine.message;
        return EXIT_SUCCESS;
    case vk::CommandLine::Action::Error:
        std::cerr << commandLine.message;
        return kUsageError;
    case vk::CommandLine::Action::Run:
        break;
    }
    return std::nullopt;
}

QStringList toQStringList(const std::vector<std::string>& texts)
{
    QStringList list;
    for (const auto& text : texts)
        list << QString::fromStdString(text);
    return list;
}

}  // namespace

int main(int argc, char* argv[])
{
    // Read before the toolkit starts, so --help needs no display.
    const vk::CommandLine commandLine = vk::parseCommandLine({argv + 1, argv + argc});
    if (const auto exitCode = answerWithoutWindow(commandLine))
        return *exitCode;

    QApplication application(argc, argv);
    vk::setUpApplication();

    vk::DeviceMap devices = commandLine.devices;
    vk::SimulatedDriver simulator;
    if (commandLine.simulate) {
        const QString simulatorPath = QApplication::applicationDirPath() + "/vk785n-sim";
        const QString line = simulator.start(simulatorPath, toQStringList(commandLine.simulatorOptions));
        if (line.isEmpty()) {
            std::cerr << "termvk785n: " << simulator.error().toStdString() << '\n';
            return EXIT_FAILURE;
        }
        devices = commandLine.devicesWithSimulator(line.toStdString());
    }

    vk::SteadyClock clock;
    vk::DriveLink link(clock, vk::posixPortOpener(), devices);
    // Asked to end by a signal, nobody may be there to answer an error box.
    bool terminating = false;
    QWidget* boxParent = nullptr;
    const vk::ErrorReporter report = [&terminating, &boxParent](const QString& message) {
        if (terminating)
            std::cerr << "termvk785n: " << message.toStdString() << '\n';
        else
            vk::showErrorBox(boxParent, message);
    };
    vk::TForm1 Form1({.link = link, .reportError = report});
    boxParent = &Form1;
    // A close refused on a signal (the settings could not be written) still
    // ends the run, with a failure status.
    const vk::TerminationSignal termination([&terminating, &Form1] {
        terminating = true;
        if (!Form1.close())
            QCoreApplication::exit(EXIT_FAILURE);
    });
    Form1.show();
    // 0 on both ways out: the close box and the Exit button.
    return QApplication::exec();
}
