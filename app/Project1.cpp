// The program entry: the command line, the application, its one window Form1
// (or, with --choose-port, the port chooser), the event loop.
#include "app/CommandLine.h"
#include "app/TerminationSignal.h"
#include "chooser/ChooserTranslation.h"
#include "chooser/PortChooser.h"
#include "console/Application.h"
#include "console/HandlerGuard.h"
#include "console/Unit1.h"
#include "link/DriveLink.h"
#include "link/PortChoice.h"
#include "platform/Clock.h"
#include "platform/LineTrace.h"
#include "platform/SessionBus.h"
#include "platform/SystemPort.h"
#include "platform/TracingSerialPort.h"
#include "sim/SimulatorProcess.h"

#include <QApplication>
#include <QDirIterator>
#include <QIcon>
#include <QTranslator>

#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <system_error>

namespace {

constexpr int kUsageError = 2;

// Answers --help, --version and a wrong command line; nullopt to go on and run.
std::optional<int> answerWithoutWindow(const vk::CommandLine& commandLine)
{
    switch (commandLine.action) {
    case vk::CommandLine::Action::Help:
    case vk::CommandLine::Action::Version: std::cout << commandLine.message; return EXIT_SUCCESS;
    case vk::CommandLine::Action::Error: std::cerr << commandLine.message; return kUsageError;
    case vk::CommandLine::Action::Run: break;
    }
    return std::nullopt;
}

// The entry the desktop matches the windows with (Wayland's app id; on X the
// entry's StartupWMClass is the class Qt gives them from the application's
// name) and the program's icon for every window.
void giveDesktopIdentity()
{
    QGuiApplication::setDesktopFileName(QStringLiteral("org.vk785n.termvk785n"));
    QIcon icon;
    QDirIterator sizes(QStringLiteral(":/icons"), QDir::Files, QDirIterator::Subdirectories);
    while (sizes.hasNext())
        icon.addFile(sizes.next());
    QApplication::setWindowIcon(icon);
}

// The port chooser in the session's language, until its window closes. It has
// no settings to write, so a signal may end it as it ends any program.
int choosePort()
{
    QTranslator translator;
    if (vk::loadChooserTranslation(translator))
        QCoreApplication::installTranslator(&translator);
    vk::PortChooser chooser;
    chooser.show();
    return QApplication::exec();
}

// The window shows nothing of a port that did not open: say it where the one
// who started the program looks, with the command that finds out more.
void reportUnopenedPort(const vk::DriveLink& link)
{
    if (link.state().phase != vk::LinkPhase::Failed)
        return;
    const std::string why = link.openError() ? link.openError()->what() : "cannot be opened";
    std::cerr << "termvk785n: " << vk::portName(link.state().PortNumber) << " is not open: " << why
              << "\n  what to do: vk785n doctor --device " << (link.openError() ? link.openError()->device() : "PATH")
              << '\n';
}

// A run that a signal ends closes as the close box would. No error box can be
// answered now: a failure to write the settings is said on stderr and the
// program ends with a failure status.
int closeOnSignal(vk::TForm1& form)
{
    return form.close() ? EXIT_SUCCESS : EXIT_FAILURE;
}

// The trace asked for; none when it cannot be opened. A trace that cannot be
// written must not stop the exchange it watches, so the window runs as it
// would without one, and stderr says why at once.
std::shared_ptr<vk::LineTrace> openTrace(const std::string& file)
{
    if (file.empty())
        return nullptr;
    try {
        return std::make_shared<vk::LineTrace>(file);
    } catch (const std::system_error& error) {
        std::cerr << "termvk785n: cannot write the trace " << error.what() << '\n';
        return nullptr;
    }
}

// The trace is the operator's record of the line, not what the run is for:
// one that failed is said on stderr, and the exit status stays as "Ending the
// program" in README has it, 0 on both ways out and 1 only for settings a
// signal found unwritable.
int endRun(int exitCode, vk::LineTrace* trace, const std::string& file)
{
    if (trace == nullptr)
        return exitCode;
    if (const std::error_code error = trace->close())
        std::cerr << "termvk785n: cannot write the trace " << file << ": " << error.message() << '\n';
    return exitCode;
}

}  // namespace

int main(int argc, char* argv[])
{
    // Read before the toolkit starts, so --help needs no display.
    const vk::CommandLine commandLine = vk::parseCommandLine({argv + 1, argv + argc});
    if (const auto exitCode = answerWithoutWindow(commandLine))
        return *exitCode;

    vk::keepSessionBusFromStarting();
    QApplication application(argc, argv);
    vk::setUpApplication();
    giveDesktopIdentity();
    if (commandLine.choosePort)
        return choosePort();

    // Watched before anything can show a box, so that a signal during the
    // start-up error box still ends the run through the close.
    bool terminating = false;
    vk::TForm1* form = nullptr;  // once it is built
    const vk::TerminationSignal termination([&terminating, &form] {
        terminating = true;
        // A tick due now would still run in this turn of the loop and hold
        // the end up for a whole exchange.
        if (form)
            form->stopSupervision();
        // Leaves every event loop, an open box's included; the close runs
        // below, outside them.
        QCoreApplication::exit(EXIT_FAILURE);
    });

    std::optional<vk::sim::SimulatorProcess> simulator;
    std::optional<std::string> simulatorLine;
    if (commandLine.simulate) {
        try {
            simulator.emplace(vk::sim::SimulatorProcess::besideThisProgram(), commandLine.simulatorOptions);
        } catch (const vk::sim::SimulatorStartError& error) {
            std::cerr << "termvk785n: " << error.what() << '\n';
            return EXIT_FAILURE;
        }
        simulatorLine = simulator->devicePath();
    }
    std::vector<std::string> problems;
    const vk::DeviceMap devices = vk::chooseDevices(vk::PortMap(), simulatorLine, commandLine.devices, problems);
    for (const std::string& problem : problems)
        std::cerr << "termvk785n: " << problem << " (passed over)\n";
    vk::PortOpener opener = vk::systemPortOpener();
    const std::shared_ptr<vk::LineTrace> trace = openTrace(commandLine.traceFile);
    if (trace)
        opener = vk::tracingOpener(std::move(opener), trace);

    vk::SteadyClock clock;
    vk::DriveLink link(clock, opener, devices);
    QWidget* boxParent = nullptr;
    const vk::ErrorReporter report = [&terminating, &boxParent](const QString& message) {
        if (terminating)
            std::cerr << "termvk785n: " << message.toStdString() << '\n';
        else
            vk::showErrorBox(boxParent, message);
    };
    vk::TForm1 Form1({.link = link, .reportError = report});
    boxParent = form = &Form1;
    reportUnopenedPort(link);
    if (terminating)
        return endRun(closeOnSignal(Form1), trace.get(), commandLine.traceFile);
    Form1.show();
    // 0 on both ways out: the close box and the Exit button.
    const int exitCode = QApplication::exec();
    return endRun(terminating ? closeOnSignal(Form1) : exitCode, trace.get(), commandLine.traceFile);
}
