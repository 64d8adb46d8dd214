// The program entry: the command line, the application, its one window Form1,
// the event loop.
#include "app/CommandLine.h"
#include "app/SimulatedDriver.h"
#include "app/TerminationSignal.h"
#include "console/Application.h"
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
    vk::TForm1 Form1({.link = link});
    const vk::TerminationSignal termination([&Form1] { Form1.close(); });
    Form1.show();
    QApplication::exec();
    // Both ways out end the run with 0.
    return EXIT_SUCCESS;
}
