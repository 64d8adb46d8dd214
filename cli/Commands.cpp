#include "cli/Commands.h"

#include "cli/Output.h"
#include "cli/CommandContext.h"
#include "cli/DriveConnection.h"
#include "cli/DriveTasks.h"
#include "cli/ConnectionCommands.h"
#include "cli/FileCommands.h"
#include "cli/Interrupt.h"
#include "cli/Report.h"
#include "cli/Targets.h"
#include "link/DriveCommands.h"
#include "platform/EscapedBytes.h"
#include "platform/NumberText.h"
#include "platform/SystemPort.h"
#include "platform/TracingSerialPort.h"
#include "sim/SimulatorProcess.h"

#include <chrono>
#include <ctime>
#include <iostream>
#include <map>
#include <optional>
#include <system_error>
#include <thread>

namespace vk::cli {
namespace {

constexpr auto kWatchInterval = std::chrono::seconds(1);
constexpr auto kInterruptCheck = std::chrono::milliseconds(50);

// The status word of a reply that is one; a complaint that says why otherwise.
std::optional<std::int32_t> readStatusWord(DriveLink& link, Answer& reply)
{
    reply = askNumber(link, kStatusNumber);
    const std::optional<std::int32_t> word = statusWordOf(reply);
    if (reply && !word) {
        reply.failure = ExitStatus::NoAnswer;
        reply.problem = "the status reply '" + escapedBytes(*reply.text) + "' is no status word";
    }
    return word;
}

int status(const CommandContext& context, DriveLink& link)
{
    Answer reply;
    const std::optional<std::int32_t> word = readStatusWord(link, reply);
    if (!word)
        return complain(reply.failure, context.target().label() + ": " + reply.problem);
    return context.print(TaskEnd{}, context.target().label() + ": status " + *reply.text + ": " + statusMeaning(*word),
                         driveJson(context.target(), TaskEnd{})
                             .add("status", *reply.text)
                             .add("servoOn", (*word & kServoOnMask) != 0)
                             .add("alarm", (*word & kAlarmMask) != 0)
                             .add("alarmBits", hexPatternText(*word & kAlarmMask, 4)));
}

std::string clockTime()
{
    const std::time_t now = std::time(nullptr);
    char text[16];
    std::strftime(text, sizeof text, "%H:%M:%S", std::localtime(&now));
    return text;
}

void sleepUnlessInterrupted(std::chrono::steady_clock::duration time)
{
    const auto until = std::chrono::steady_clock::now() + time;
    while (!interruptRequested() && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(kInterruptCheck);
}

int watch(const CommandContext& context, DriveLink& link)
{
    std::optional<std::string> shown;
    while (!interruptRequested()) {
        const auto started = std::chrono::steady_clock::now();
        Answer reply;
        const std::optional<std::int32_t> word = readStatusWord(link, reply);
        if (reply.failure == ExitStatus::Interrupted)
            break;
        const std::string state = word ? *reply.text + ": " + statusMeaning(*word) : reply.problem;
        if (state != shown) {
            Json json = Json::object().add("time", clockTime()).add("answered", word.has_value());
            if (word)
                json.add("status", *reply.text).add("servoOn", (*word & kServoOnMask) != 0).add("alarm", (*word & kAlarmMask) != 0);
            else
                json.add("problem", reply.problem);
            printResult(context.options.json ? json.text() : clockTime() + "  " + state);
            shown = state;
        }
        sleepUnlessInterrupted(kWatchInterval - (std::chrono::steady_clock::now() - started));
    }
    return exitCode(ExitStatus::Done);
}

int save(const CommandContext& context, DriveLink& link)
{
    const SaveResult result = saveDrive(link);
    const std::string text = result.outcome == ExitStatus::Done ? context.target().label() + ": saved"
                                                                 : context.target().label() + ": " + outcomeWord(result.outcome) + ": " + result.message;
    return context.print(result, text, driveJson(context.target(), result));
}

int get(const CommandContext& context, DriveLink& link)
{
    Json values = Json::object();
    std::string text;
    for (const std::string& arg : context.options.args) {
        const auto number = parseDigits(arg, 10);
        if (!number || arg.size() > 2 || *number >= kStatusNumber)
            return complain(ExitStatus::UsageOrFile, "'" + arg + "' is no parameter number (0 to 30)");
        const Answer reply = askNumber(link, static_cast<int>(*number));
        if (!reply)
            return complain(reply.failure, context.target().label() + ": " + reply.problem);
        values.add(std::to_string(*number), *reply.text);
        text += (text.empty() ? "" : "\n") + twoDigitNumber(static_cast<int>(*number)) + " = " + escapedBytes(*reply.text);
    }
    return context.print(TaskEnd{}, text, driveJson(context.target(), TaskEnd{}).add("values", values));
}

using DriveCommand = int (*)(const CommandContext&, DriveLink&);

const std::map<std::string, DriveCommand>& driveCommands()
{
    static const std::map<std::string, DriveCommand> commands = {
        {"get", get},       {"set", setCommand}, {"save", save},
        {"status", status}, {"watch", watch},
    };
    return commands;
}

// A command on the one drive the options name.
int onOneDrive(const CommandContext& context, DriveCommand command)
{
    DriveConnection drive(context.target(), context.opener);
    if (!drive.opened())
        return complain(ExitStatus::PortNotOpened, drive.openProblem());
    return command(context, drive.link());
}

// The command the options name, on the drives chosen.
int dispatch(const CommandContext& context, const std::optional<std::string>& simulatorLine)
{
    const std::string& command = context.options.command;
    if (command == "backup")
        return backupCommand(context);
    if (command == "restore" || command == "diff")
        return fileCommand(context);
    if (command == "ports")
        return portsCommand(context, simulatorLine);
    if (command == "doctor")
        return doctorCommand(context);
    return onOneDrive(context, driveCommands().at(command));
}

// A trace asked for is part of the result: one that could not be written fails a done command.
int withTraceChecked(int status, LineTrace* trace, const std::string& file)
{
    const std::error_code error = trace ? trace->close() : std::error_code();
    if (!error)
        return status;
    complain(ExitStatus::UsageOrFile, "cannot write the trace " + file + ": " + error.message());
    return status == exitCode(ExitStatus::Done) ? exitCode(ExitStatus::UsageOrFile) : status;
}

}  // namespace

int runCommand(const CliOptions& options)
{
    catchInterrupts();
    std::optional<sim::SimulatorProcess> simulator;
    std::optional<std::string> simulatorLine;
    std::vector<Target> targets;
    std::vector<std::string> problems;
    PortOpener opener = systemPortOpener();
    std::shared_ptr<LineTrace> trace;
    try {
        if (!options.traceFile.empty()) {
            trace = std::make_shared<LineTrace>(options.traceFile);
            opener = tracingOpener(opener, trace);
        }
        if (options.simulate) {
            // Its command log would bury the results; --trace shows the traffic.
            simulator.emplace(sim::SimulatorProcess::besideThisProgram(), options.simulatorOptions,
                              sim::SimulatorLog::Discarded);
            simulatorLine = simulator->devicePath();
        }
        targets = chooseTargets(options, simulatorLine, PortSettings(), PortMap(), problems);
    } catch (const std::system_error& error) {
        return complain(ExitStatus::UsageOrFile, std::string("cannot write the trace: ") + error.what());
    } catch (const sim::SimulatorStartError& error) {
        return complain(ExitStatus::PortNotOpened, error.what());
    } catch (const SettingsError& error) {
        return complain(ExitStatus::UsageOrFile, error.what());
    }
    for (const std::string& problem : problems)
        std::cerr << "vk785n: " << problem << " (passed over)\n";
    const CommandContext context{options, targets, opener};
    return withTraceChecked(dispatch(context, simulatorLine), trace.get(), options.traceFile);
}

}  // namespace vk::cli
