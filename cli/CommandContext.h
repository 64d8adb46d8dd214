#pragma once

#include "cli/CliOptions.h"
#include "cli/DriveTasks.h"
#include "cli/Json.h"
#include "cli/Targets.h"
#include "platform/SerialPort.h"

#include <optional>
#include <string>
#include <vector>

namespace vk::cli {

// What a command runs with: its options, the drives they name, how to open them.
struct CommandContext {
    const CliOptions& options;
    const std::vector<Target>& targets;
    PortOpener opener;                         // the system's, traced when asked to
    std::optional<std::string> simulatorLine;  // --simulate: the simulated driver's line

    const Target& target() const { return targets.front(); }

    // Prints a result on stdout, as text or as JSON; the exit status it stands for.
    int print(const TaskEnd& end, const std::string& text, const Json& json) const;
};

// A drive's outcome as a person or a script reads it: a failure in words goes
// to stderr, everything else (and all under --json) to stdout.
void printOutcome(ExitStatus outcome, const std::string& text, bool json);

// Says on stderr what stopped the command, and under --json also as one JSON
// object on stdout; the exit status.
int complain(ExitStatus status, const std::string& message);
// From now on failures are JSON objects too, naming the device where there is one.
void reportFailuresAsJson(std::string device);

}  // namespace vk::cli
