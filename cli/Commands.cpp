#include "cli/Commands.h"

#include "cli/CommandContext.h"
#include "cli/CommandTable.h"
#include "cli/Interrupt.h"
#include "cli/Targets.h"
#include "platform/SystemPort.h"
#include "platform/TracingSerialPort.h"
#include "sim/SimulatorProcess.h"

#include <iostream>
#include <optional>
#include <system_error>

namespace vk::cli {
namespace {

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
    if (options.json)
        reportFailuresAsJson("");
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
    if (options.json)
        reportFailuresAsJson(targets.size() == 1 ? targets.front().device : "");
    const CommandContext context{options, targets, opener, simulatorLine};
    return withTraceChecked(findCommand(options.command)->run(context), trace.get(), options.traceFile);
}

}  // namespace vk::cli
