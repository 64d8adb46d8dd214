#include "cli/CliOptions.h"

#include "cli/CommandTable.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace vk::cli {
namespace {

constexpr std::string_view kVersion = "vk785n " VK_VERSION "\n";

CliOptions failure(const std::string& what)
{
    CliOptions options;
    options.action = CliOptions::Action::Error;
    options.message = "vk785n: " + what + "\nTry 'vk785n --help' for more information.\n";
    return options;
}

CliOptions answer(CliOptions::Action action, std::string_view text)
{
    CliOptions options;
    options.action = action;
    options.message = text;
    return options;
}

// "COM9" given as a drive: on Linux the port names are COM1 to COM4 and stand for
// devices; on Windows any COM name is the system's own port.
bool looksLikeOtherPortName(const std::string& value)
{
#ifdef _WIN32
    (void)value;
    return false;
#else
    return value.starts_with("COM") && value.size() > 3
        && value.find_first_not_of("0123456789", 3) == std::string::npos;
#endif
}

// What --help, -h or "help [COMMAND]" asks for.
CliOptions help(const CliOptions& options)
{
    const std::string& name = options.command == "help" ? (options.args.empty() ? "" : options.args.front())
                                                        : options.command;
    if (name.empty())
        return answer(CliOptions::Action::Help, usageText());
    if (const CommandSpec* command = findCommand(name))
        return answer(CliOptions::Action::Help, commandUsage(*command));
    return failure("unknown command '" + name + "'");
}

// The command's own rules, once the whole line is read.
std::string problemWith(const CliOptions& options)
{
    if (options.command.empty())
        return options.simulatorOptions.empty()
            ? "no command given"
            : "no command given: the simulator's options come last, after the command (vk785n --simulate "
              "save -- --status 1)";
    const CommandSpec* rule = findCommand(options.command);
    if (!rule)
        return "unknown command '" + options.command + "'";
    if (options.args.size() < rule->minArgs)
        return "'" + options.command + "' needs "
            + (rule->minArgs == 1 && rule->maxArgs == 1 ? "a file" : "an argument");
    if (options.args.size() > rule->maxArgs)
        return "too many arguments for '" + options.command + "'";
    if (options.devicePaths.size() > 1 && !rule->severalDrives)
        return "'" + options.command + "' works on one drive; give one --device PATH";
    if (options.save && options.command != "restore")
        return "--save goes with 'restore' (use 'save' on its own)";
    if (!options.simulatorOptions.empty() && !options.simulate)
        return "options after '--' are for --simulate";
    if (!options.assignment.empty() && options.command != "ports")
        return "--assign goes with 'ports'";
    if (options.command == "doctor" && !options.args.empty() && !isPortName(options.args.front()))
        return "'" + options.args.front() + "' is no port name (COM1 to COM4)";
    return {};
}

}  // namespace

CliOptions parseCliOptions(const std::vector<std::string>& args)
{
    CliOptions options;
    bool helpAsked = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            helpAsked = true;
            continue;
        }
        if (arg == "--version" || arg == "-V")
            return answer(CliOptions::Action::Version, kVersion);
        if (arg == "--") {
            options.simulatorOptions.assign(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
            break;
        }
        if (arg == "--simulate" || arg == "--json" || arg == "--save") {
            (arg == "--simulate" ? options.simulate : arg == "--json" ? options.json : options.save) = true;
            continue;
        }
        if (arg == "--trace" || arg == "--assign") {
            if (++i == args.size())
                return failure("option '" + arg + "' needs a value");
            (arg == "--trace" ? options.traceFile : options.assignment) = args[i];
            continue;
        }
        if (arg == "--device" || arg.starts_with("--device=")) {
            if (arg == "--device" && ++i == args.size())
                return failure("option '--device' needs COMn=PATH or PATH");
            const std::string value = arg == "--device" ? args[i] : arg.substr(9);
            if (looksLikeOtherPortName(value))
                return failure("'" + value
                               + "' is no port name here: the names are COM1 to COM4 (or give a device path)");
            if (value.find('=') == std::string::npos && !value.empty())
                options.devicePaths.push_back(value);
            else if (!options.devices.assign(value))
                return failure("'" + value + "' is neither COMn=PATH with n from 1 to 4 nor a device path");
            continue;
        }
        if (arg.starts_with("-") && arg != "-")
            return failure("unrecognised option '" + arg + "'");
        if (options.command.empty())
            options.command = arg;
        else
            options.args.push_back(arg);
    }
    if (helpAsked || options.command == "help")
        return help(options);
    if (const std::string problem = problemWith(options); !problem.empty())
        return failure(problem);
    if (options.command == "doctor" && !options.args.empty())
        options.portName = options.args.front();
    return options;
}

}  // namespace vk::cli
