#pragma once

#include "link/PortNames.h"

#include <string>
#include <vector>

namespace vk::cli {

// What vk785n's command line asks for.
struct CliOptions {
    enum class Action { Run, Help, Version, Error };

    Action action = Action::Run;
    std::string message;  // the help text, the version, or what was wrong

    std::string command;                   // backup, restore, diff, get, set, save, status, watch, ports, doctor
    std::vector<std::string> args;         // what follows the command
    DeviceMap devices;                     // --device COMn=PATH
    std::vector<std::string> devicePaths;  // --device PATH: the drives to work on
    bool simulate = false;
    std::vector<std::string> simulatorOptions;  // what follows "--"
    bool json = false;
    bool save = false;
    std::string portName;    // doctor COMn: the port to look at instead of the window's
    std::string assignment;  // ports --assign COMn=PATH
    std::string traceFile;   // --trace FILE
};

// Reads the arguments (argv[0] excluded); options may stand before or after the command.
CliOptions parseCliOptions(const std::vector<std::string>& args);

}  // namespace vk::cli
