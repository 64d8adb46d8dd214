#include "cli/CliOptions.h"

#include <gtest/gtest.h>

namespace vk::cli {
namespace {

using Action = CliOptions::Action;

struct LineCase {
    std::vector<std::string> args;
    Action action;
    std::string problem;  // part of the message of a refused line
};

TEST(CliOptions, TakesWhatEachCommandNeedsAndRefusesTheRest)
{
    const LineCase cases[] = {
        {{"backup"}, Action::Run, ""},
        {{"restore", "f.txt", "--save", "--device", "/dev/a", "--device", "/dev/b"}, Action::Run, ""},
        {{"--json", "diff", "f.txt", "--device=COM2=/dev/ttyUSB0"}, Action::Run, ""},
        {{"--simulate", "status", "--", "--status", "1"}, Action::Run, ""},
        {{"set", "6=15", "4=046"}, Action::Run, ""},
        {{"status", "--help"}, Action::Help, ""},
        {{}, Action::Error, "no command given"},
        {{"erase"}, Action::Error, "unknown command 'erase'"},
        {{"restore"}, Action::Error, "'restore' needs a file"},
        {{"status", "extra"}, Action::Error, "too many arguments for 'status'"},
        {{"backup", "--device", "/dev/a", "--device", "/dev/b"}, Action::Error, "'backup' works on one drive"},
        {{"backup", "--save"}, Action::Error, "--save goes with 'restore'"},
        {{"status", "--", "--silent"}, Action::Error, "options after '--' are for --simulate"},
        {{"status", "--device", "COM5=/dev/a"}, Action::Error, "'COM5=/dev/a' is neither COMn=PATH"},
        {{"status", "--device"}, Action::Error, "'--device' needs COMn=PATH or PATH"},
        {{"status", "-v"}, Action::Error, "unrecognised option '-v'"},
        {{"--simulate", "--", "--status", "1", "save"}, Action::Error, "the simulator's options come last"},
        {{"help", "restore"}, Action::Help, "Usage: vk785n [OPTION]... restore FILE"},
        {{"-h", "doctor"}, Action::Help, "18  replies end with CR LF"},
        {{"help", "erase"}, Action::Error, "unknown command 'erase'"},
        {{"-V"}, Action::Version, "vk785n "},
    };
    for (const LineCase& c : cases) {
        const CliOptions options = parseCliOptions(c.args);
        EXPECT_EQ(options.action, c.action) << options.message;
        EXPECT_NE(options.message.find(c.problem), std::string::npos) << options.message;
    }
}

TEST(CliOptions, SeparatesDrivesFromPortNames)
{
    const CliOptions options = parseCliOptions({"restore", "f.txt", "--device", "/dev/a", "--device", "COM3=/dev/b"});
    EXPECT_EQ(options.devicePaths, (std::vector<std::string>{"/dev/a"}));
    EXPECT_EQ(options.devices.devicePath("COM3"), "/dev/b");
    EXPECT_EQ(options.args, (std::vector<std::string>{"f.txt"}));
}

}  // namespace
}  // namespace vk::cli
