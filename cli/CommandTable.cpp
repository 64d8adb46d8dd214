#include "cli/CommandTable.h"

#include "cli/CommandContext.h"
#include "cli/ConnectionCommands.h"
#include "cli/DriveConnection.h"
#include "cli/FileCommands.h"
#include "cli/OneDriveCommands.h"

#include <algorithm>
#include <array>

namespace vk::cli {
namespace {

using enum ExitStatus;

constexpr std::size_t kAny = SIZE_MAX;
// The column the summaries of the command list start in.
constexpr std::size_t kSummaryColumn = 21;

// The command on the one drive the options name, its port held for the command's life.
template <int (*command)(const CommandContext&, DriveLink&)>
int onOneDrive(const CommandContext& context)
{
    DriveConnection drive(context.target(), context.opener);
    if (!drive.opened())
        return complain(PortNotOpened, drive.openProblem());
    return command(context, drive.link());
}

constexpr ExitStatus kBackupStatuses[] = {Done, UsageOrFile, PortNotOpened, NoAnswer, DeviceGone, Interrupted};
constexpr ExitStatus kRestoreStatuses[] = {Done,     UsageOrFile, PortNotOpened, NoAnswer,
                                           Mismatch, SaveRefused, DeviceGone,    Interrupted};
constexpr ExitStatus kDiffStatuses[] = {Done,     Differences, UsageOrFile, PortNotOpened,
                                        NoAnswer, DeviceGone,  Interrupted};
constexpr ExitStatus kSetStatuses[] = {Done, UsageOrFile, PortNotOpened, NoAnswer, Mismatch, DeviceGone, Interrupted};
constexpr ExitStatus kSaveStatuses[] = {Done,        UsageOrFile, PortNotOpened, NoAnswer,
                                        SaveRefused, DeviceGone,  Interrupted};
constexpr ExitStatus kReadStatuses[] = {Done, UsageOrFile, PortNotOpened, NoAnswer, DeviceGone, Interrupted};
constexpr ExitStatus kWatchStatuses[] = {Done, UsageOrFile, PortNotOpened};
constexpr ExitStatus kPortsStatuses[] = {Done, UsageOrFile};
// The doctor's verdicts have statuses of their own; its usage lists them.
constexpr ExitStatus kDoctorStatuses[] = {Done, UsageOrFile};

const std::array kCommands = {
    CommandSpec{"backup", "[FILE]", "the drive's parameters into FILE (stdout without it, or -)",
                "Reads the status word and every number the window reads and writes them one\n"
                "\"NUMBER = VALUE\" a line, each value exactly as the drive answered it; a note\n"
                "beside a value says where the window would show or write it otherwise. FILE\n"
                "is replaced only by a whole backup (written beside it, synced, renamed over\n"
                "it); a link is written through, a device, FIFO or folder refused before the\n"
                "drive is read. A file named - is given as ./-.\n",
                0, 1, false, kBackupStatuses, backupCommand},
    CommandSpec{"restore", "FILE", "check FILE whole, write its values, read each back",
                "Checks the whole FILE (- for standard input) before anything is sent and\n"
                "names the line of each problem; writes in the window's order and wire form,\n"
                "reads every value back and compares it exactly; stops at the first failure\n"
                "saying what was written before it. Options:\n"
                "  --save              then store the values in the drive as the window's\n"
                "                      SAVE does; refused unless the status was read and\n"
                "                      says servo off\n"
                "  --device PATH       repeatable: the drives to restore, all at once\n",
                1, 1, true, kRestoreStatuses, fileCommand},
    CommandSpec{"diff", "FILE", "the drive against the file, one line per difference",
                "Reads every number FILE (- for standard input) holds and compares the values\n"
                "exactly; 18 cannot be read and is not compared. Exit status 1 when they differ.\n"
                "  --device PATH       repeatable: the drives to compare, all at the same time\n",
                1, 1, true, kDiffStatuses, fileCommand},
    CommandSpec{"get", "N...", "the drive's text of the numbers given",
                "Reads each number N (0 to 30) and prints \"NN = TEXT\" as the drive answered.\n", 1, kAny, false,
                kReadStatuses, onOneDrive<getCommand>},
    CommandSpec{"set", "N=V...", "write values (as in a file), each read back",
                "Checks every N=V as a file's line, then writes them in the window's order\n"
                "and reads each back, as restore does.\n",
                1, kAny, false, kSetStatuses, onOneDrive<setCommand>},
    CommandSpec{"save", "", "store the parameters, only on a status that says servo off",
                "Reads the status word and asks the drive to store its parameters; refused\n"
                "when the servo is on or the status could not be read.\n",
                0, 0, false, kSaveStatuses, onOneDrive<saveCommand>},
    CommandSpec{"status", "", "the status word: servo on or off, which alarm bits",
                "Asks for the status word once and says what it means.\n", 0, 0, false, kReadStatuses,
                onOneDrive<statusCommand>},
    CommandSpec{"watch", "", "the status once a second, a line at each change, to Ctrl+C",
                "Asks for the status word once a second and prints a line with the time whenever\n"
                "what the drive says changes, until Ctrl+C or SIGTERM.\n",
                0, 0, false, kWatchStatuses, onOneDrive<watchCommand>},
    CommandSpec{"ports", "", "the serial devices: adapter, access, holder, port name",
                "Lists the serial devices (maker and product, whether this user may open it,\n"
                "which program holds it, its port name) and what COM1 to COM4 stand for.\n"
                "Options:\n"
                "  --assign COMn=PATH  name the device of a port for good, in\n"
                "                      $XDG_CONFIG_HOME/vk785n/ports.conf, by its stable\n"
                "                      /dev/serial/by-id name where it has one\n",
                0, 0, false, kPortsStatuses, portsCommand},
    CommandSpec{"doctor", "[COMn]", "walk the connection step by step to a verdict and a remedy",
                "Walks the connection to the drive (the port given, the one the window uses,\n"
                "or --device PATH) step by step and ends on one verdict with what to do. Its\n"
                "exit status is the verdict's:\n"
                "  0   the drive answered        14  CTS low: driver off, or no RTS/CTS\n"
                "  10  no such device            15  no answer: cable, power\n"
                "  11  no permission             16  bytes that are no reply: baud rate\n"
                "  12  held by another program   17  our commands come back: loopback\n"
                "  13  not a serial line         18  replies end with CR LF\n"
                "                                130 interrupted\n",
                0, 1, false, kDoctorStatuses, doctorCommand},
};

constexpr std::string_view kOptions = R"(Options:
  --device COMn=PATH  use the device at PATH for port COMn (n = 1 to 4); the
                      port is the one the window is set to use (in
                      $XDG_CONFIG_HOME/vk785n/registry.reg), COM1..COM4 being
                      /dev/ttyS0..ttyS3 on Linux and themselves on Windows
  --device PATH       work on the drive at PATH; restore and diff take several
                      and work on them at the same time
  --simulate          start a simulated driver and use it for every port not
                      given by --device; its own options come last, after the
                      command and "--": vk785n --simulate save -- --status 1
  --trace FILE        write every byte sent and received to FILE as it happens
  --json              print every outcome, failures too, as one JSON object
  -h, --help          show this text (or: vk785n help COMMAND, COMMAND --help)
  -V, --version       show the version
)";

std::string statusLines(std::span<const ExitStatus> statuses)
{
    std::string text = "Exit status:\n";
    for (const ExitStatus status : statuses) {
        std::string number = std::to_string(exitCode(status));
        number.resize(4, ' ');
        text += "  " + number + std::string(exitStatusMeaning(status)) + "\n";
    }
    return text;
}

std::string synopsis(const CommandSpec& command)
{
    return "vk785n [OPTION]... " + std::string(command.name) + (command.arguments.empty() ? "" : " ")
        + std::string(command.arguments);
}

}  // namespace

std::span<const CommandSpec> commandTable()
{
    return kCommands;
}

const CommandSpec* findCommand(std::string_view name)
{
    const auto found = std::find_if(kCommands.begin(), kCommands.end(),
                                    [name](const CommandSpec& c) { return c.name == name; });
    return found == kCommands.end() ? nullptr : &*found;
}

std::string_view exitStatusMeaning(ExitStatus status)
{
    switch (status) {
    case Done: return "done, every step checked";
    case Differences: return "diff: the drive and the file differ";
    case UsageOrFile: return "a wrong command line, or a file that is refused or cannot be used";
    case PortNotOpened: return "the port could not be opened (missing, no permission, busy)";
    case NoAnswer: return "no answer, or one that cannot be trusted (another byte, an echo)";
    case Mismatch: return "a value read back is not the one written";
    case SaveRefused: return "the save was refused: the servo is on, or the status could not be read";
    case DeviceGone: return "the device went away in the middle (an adapter pulled out)";
    case Interrupted: return "interrupted: nothing is sent after Ctrl+C or SIGTERM";
    }
    return "failed";
}

std::string usageText()
{
    std::string text = "Usage: vk785n [OPTION]... COMMAND [ARGUMENT]... [-- SIMULATOR-OPTION...]\n"
                       "Keeps a VK785N servo drive's parameters in a file and puts them back.\n\nCommands:\n";
    for (const CommandSpec& command : kCommands) {
        std::string head = "  " + std::string(command.name) + (command.arguments.empty() ? "" : " ")
            + std::string(command.arguments);
        head.resize(std::max(head.size() + 1, kSummaryColumn), ' ');
        text += head + std::string(command.summary) + "\n";
    }
    constexpr ExitStatus kAll[] = {Done,     Differences, UsageOrFile, PortNotOpened, NoAnswer,
                                   Mismatch, SaveRefused, DeviceGone,  Interrupted};
    return text + "\n" + std::string(kOptions) + "\n" + statusLines(kAll)
        + "With several drives, the highest status of any. 'vk785n help COMMAND' tells more\n"
          "of each command, the doctor's verdicts and their statuses among them.\n";
}

std::string commandUsage(const CommandSpec& command)
{
    return "Usage: " + synopsis(command) + "\n" + std::string(command.summary) + ".\n\n" + std::string(command.details)
        + "\n" + std::string(kOptions) + "\n" + statusLines(command.statuses);
}

}  // namespace vk::cli
