#include "app/CommandLine.h"

#include <string_view>

namespace vk {
namespace {

constexpr std::string_view kUsage = "Usage: termvk785n [OPTION]...\n"
                                    "Setup terminal for the VK785N servo driver.\n"
                                    "\n"
                                    "  --device COMn=PATH  use the device at PATH for port COMn (n = 1 to 4) for\n"
                                    "                      this run; without it the port map ports.conf (written\n"
                                    "                      by 'vk785n ports --assign') says, or /dev/ttyS0..ttyS3\n"
                                    "  --simulate          start a simulated driver and talk to it instead of\n"
                                    "                      hardware (for every port not given by --device)\n"
                                    "  --trace FILE        write every byte sent and received to FILE as it goes\n"
                                    "  --choose-port       open the port chooser instead: list the serial devices,\n"
                                    "                      test one, save it as the terminal's port, start the\n"
                                    "                      terminal on it\n"
                                    "  --help              show this text and exit\n"
                                    "  --version           show the version and exit\n"
                                    "  -- SIMOPTION...     with --simulate: options for the simulated driver,\n"
                                    "                      e.g. -- --status 1, or -- --verbose to see every\n"
                                    "                      command and answer on stderr (see vk785n-sim --help)\n"
                                    "\n"
                                    "The port number is read from $XDG_CONFIG_HOME/vk785n/registry.reg.\n"
                                    "When the port cannot be opened, 'vk785n doctor' says why and what to do.\n"
                                    "\n"
                                    "Exit status:\n"
                                    "  0   ended with the settings written (close box, Exit, SIGTERM or SIGINT)\n"
                                    "  1   a signal found the settings unwritable, or the simulator did not start\n"
                                    "  2   a wrong command line\n";

// The window's own caption says 1.00; this is the package's version.
constexpr std::string_view kVersion = "termvk785n " VK_VERSION "\n";

CommandLine failure(const std::string& what)
{
    CommandLine cl;
    cl.action = CommandLine::Action::Error;
    cl.message = "termvk785n: " + what + "\nTry 'termvk785n --help' for more information.\n";
    return cl;
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& args)
{
    CommandLine cl;
    bool devicesGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "--version") {
            cl.action = arg == "--help" ? CommandLine::Action::Help : CommandLine::Action::Version;
            cl.message = arg == "--help" ? kUsage : kVersion;
            return cl;
        }
        if (arg == "--simulate") {
            cl.simulate = true;
            continue;
        }
        if (arg == "--choose-port") {
            cl.choosePort = true;
            continue;
        }
        if (arg == "--") {
            cl.simulatorOptions.assign(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
            break;
        }
        if (arg == "--trace") {
            if (++i == args.size())
                return failure("option '--trace' needs a file");
            cl.traceFile = args[i];
            continue;
        }
        std::string value;
        if (arg.rfind("--device=", 0) == 0) {
            value = arg.substr(9);
        } else if (arg == "--device") {
            if (++i == args.size())
                return failure("option '--device' needs COMn=PATH");
            value = args[i];
        } else {
            return failure("unrecognised option '" + arg + "'");
        }
        if (!cl.devices.assign(value))
            return failure("'" + value + "' is not COMn=PATH with n from 1 to 4");
        devicesGiven = true;
    }
    if (!cl.simulatorOptions.empty() && !cl.simulate)
        return failure("options after '--' are for --simulate");
    // The chooser opens no port of its own, so the options for one mean nothing to it.
    if (cl.choosePort && (cl.simulate || !cl.traceFile.empty() || devicesGiven))
        return failure("'--choose-port' takes no other option");
    return cl;
}

}  // namespace vk
