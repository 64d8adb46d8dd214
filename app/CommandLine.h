#pragma once

#include "link/PortNames.h"

#include <string>
#include <vector>

namespace vk {

// What the command line asks of the program.
struct CommandLine {
    enum class Action { Run, Help, Version, Error };

    Action action = Action::Run;
    DeviceMap devices;
    bool simulate = false;
    bool choosePort = false;                    // --choose-port: the port chooser instead of the main window
    std::vector<std::string> simulatorOptions;  // what follows "--", for vk785n-sim
    std::string traceFile;                      // --trace FILE: every byte on the line, written as it goes
    std::string message;                        // the usage text, the version, or what was wrong
};

// Reads the program's arguments (argv[0] excluded).
CommandLine parseCommandLine(const std::vector<std::string>& args);

}  // namespace vk
