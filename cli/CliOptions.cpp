#include "cli/CliOptions.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace vk::cli {
namespace {

constexpr std::string_view kUsage = R"(Usage: vk785n [OPTION]... COMMAND [ARGUMENT]...
Keeps a VK785N servo drive's parameters in a file and puts them back.

Commands:
  backup [FILE]      read the drive's parameters into FILE (standard output
                     without it): one "NUMBER = VALUE" a line, with comments
  restore FILE       check the whole file, write its values, read each back
                     and compare; with --save store them in the drive
  diff FILE          the drive against the file, one line per difference
  get N...           the drive's text of the numbers given
  set N=V...         write values (as in a file), each read back
  save               store the drive's parameters, refused while the servo is on
  status             the status word: servo on or off, which alarm bits
  watch              the status once a second, a line at each change, until Ctrl+C
  ports              every serial device: adapter, access, who holds it, its COM name;
                     with --assign COMn=PATH name the device of a port for good
                     (in $XDG_CONFIG_HOME/vk785n/ports.conf, a stable by-id name
                     where there is one)
  doctor [COMn]      walk the connection step by step to one verdict and what to do

Options:
  --device COMn=PATH  use the device at PATH for port COMn (n = 1 to 4); the
                      port is the one the window is set to use ($XDG_CONFIG_HOME/
                      vk785n/registry.reg), COM1..COM4 being /dev/ttyS0..ttyS3
                      on Linux and themselves on Windows
  --device PATH       work on the drive at PATH; restore and diff take several
                      and work on them at the same time
  --simulate          start a simulated driver and use it for every port not
                      given by --device; options after "--" go to it
  --save              restore: store the values in the drive once they match
  --trace FILE        write every byte sent and received to FILE as it happens
  --json              print results as JSON, for scripts
  --help              show this text and exit
  --version           show the version and exit

Exit status:
  0  done
  1  diff: the drive and the file differ
  2  a wrong command line, or a file that cannot be read or is refused
  3  the port could not be opened (missing, no permission, busy)
  4  the drive did not answer, acknowledged with another byte, or gave an
     answer that cannot be trusted (our own command echoed, two replies
     run together)
  5  a value read back is not the one written
  6  the save was refused: the servo is on, or the status could not be read
  7  the device went away in the middle (an adapter pulled out)
  130 interrupted (Ctrl+C); what was written before is reported
With several drives, the highest status of any.

Doctor verdicts and their exit status:
  0  the drive answered         14  CTS low: driver off or cable without RTS/CTS
  10 no such device             15  no answer to the status query: cable, power
  11 no permission              16  bytes that are no reply: baud rate, another device
  12 held by another program    17  our own commands come back: loopback or terminal
  13 not a serial line         18  replies end with CR LF: the drive or a converter
                                130 interrupted
)";

constexpr std::string_view kVersion = "vk785n " VK_VERSION "\n";

struct CommandRule {
    std::string_view name;
    std::size_t minArgs;
    std::size_t maxArgs;
    bool severalDrives;
};

constexpr std::size_t kAny = SIZE_MAX;
constexpr std::array kCommands = {
    CommandRule{"backup", 0, 1, false}, CommandRule{"restore", 1, 1, true}, CommandRule{"diff", 1, 1, true},
    CommandRule{"get", 1, kAny, false}, CommandRule{"set", 1, kAny, false}, CommandRule{"save", 0, 0, false},
    CommandRule{"status", 0, 0, false}, CommandRule{"watch", 0, 0, false},   CommandRule{"ports", 0, 0, false},
    CommandRule{"doctor", 0, 1, false},
};

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

// The command's own rules, once the whole line is read.
std::string problemWith(const CliOptions& options)
{
    if (options.command.empty())
        return "no command given";
    const auto rule = std::find_if(kCommands.begin(), kCommands.end(),
                                   [&](const CommandRule& c) { return c.name == options.command; });
    if (rule == kCommands.end())
        return "unknown command '" + options.command + "'";
    if (options.args.size() < rule->minArgs)
        return "'" + options.command + "' needs " + (rule->minArgs == 1 && rule->maxArgs == 1 ? "a file" : "an argument");
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
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help")
            return answer(CliOptions::Action::Help, kUsage);
        if (arg == "--version")
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
    if (const std::string problem = problemWith(options); !problem.empty())
        return failure(problem);
    if (options.command == "doctor" && !options.args.empty())
        options.portName = options.args.front();
    return options;
}

}  // namespace vk::cli
