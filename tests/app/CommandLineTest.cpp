#include "app/CommandLine.h"

#include "tests/support/NamedCase.h"

#include <gtest/gtest.h>

namespace vk {
namespace {

using Action = CommandLine::Action;
using test::PrintTo;

struct ArgsCase {
    const char* name;
    std::vector<std::string> args;
    Action action;
    bool simulate;
    std::string com1;  // the device COM1 then stands for
    bool choosePort = false;
};

class CommandLineCases : public ::testing::TestWithParam<ArgsCase> {};

TEST_P(CommandLineCases, ReadsOptions)
{
    const auto cl = parseCommandLine(GetParam().args);
    EXPECT_EQ(cl.action, GetParam().action) << cl.message;
    EXPECT_EQ(cl.simulate, GetParam().simulate);
    if (cl.action == Action::Run) {
        EXPECT_EQ(cl.devices.devicePath("COM1"), GetParam().com1);
        EXPECT_EQ(cl.choosePort, GetParam().choosePort);
    }
    if (cl.action == Action::Error) {
        EXPECT_NE(cl.message.find("--help"), std::string::npos) << "an error points at --help";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Args, CommandLineCases,
    ::testing::Values(
        ArgsCase{"none", {}, Action::Run, false, "/dev/ttyS0"},
        ArgsCase{"simulate", {"--simulate"}, Action::Run, true, "/dev/ttyS0"},
        ArgsCase{"device", {"--device", "COM1=/dev/ttyUSB0"}, Action::Run, false, "/dev/ttyUSB0"},
        ArgsCase{
            "deviceEqualsWithSimulate", {"--device=COM1=/dev/pts/3", "--simulate"}, Action::Run, true, "/dev/pts/3"},
        ArgsCase{"twoDevices", {"--device", "COM2=/dev/x", "--device", "COM1=/dev/y"}, Action::Run, false, "/dev/y"},
        ArgsCase{"help", {"--help"}, Action::Help, false, ""},
        ArgsCase{"version", {"--simulate", "--version"}, Action::Version, true, ""},
        ArgsCase{"deviceWithoutValue", {"--device"}, Action::Error, false, ""},
        ArgsCase{"comOutOfRange", {"--device", "COM5=/dev/x"}, Action::Error, false, ""},
        ArgsCase{"emptyPath", {"--device", "COM1="}, Action::Error, false, ""},
        ArgsCase{"pathWithoutName", {"--device", "/dev/ttyUSB0"}, Action::Error, false, ""},
        ArgsCase{"qtOption", {"-platform", "offscreen"}, Action::Error, false, ""},
        ArgsCase{"unknownOption", {"--verbose"}, Action::Error, false, ""},
        ArgsCase{"simulatorOptionsWithoutSimulate", {"--", "--status", "1"}, Action::Error, false, ""},
        // The chooser opens alone: it starts the terminal itself, with the port it chose.
        ArgsCase{"chooser", {"--choose-port"}, Action::Run, false, "/dev/ttyS0", true},
        ArgsCase{"chooserHelp", {"--choose-port", "--help"}, Action::Help, false, ""},
        ArgsCase{"chooserWithSimulate", {"--choose-port", "--simulate"}, Action::Error, false, ""},
        ArgsCase{"chooserWithDevice", {"--device", "COM1=/dev/ttyUSB0", "--choose-port"}, Action::Error, false, ""},
        ArgsCase{"chooserWithTrace", {"--choose-port", "--trace", "t.trace"}, Action::Error, false, ""}),
    test::caseName<ArgsCase>);

TEST(CommandLine, SimulatorTakesEveryNameNotGivenByDevice)
{
    const auto devices =
        parseCommandLine({"--simulate", "--device", "COM2=/dev/ttyUSB0"}).devices.withDefault("/dev/pts/7");
    EXPECT_EQ(devices.devicePath("COM1"), "/dev/pts/7");
    EXPECT_EQ(devices.devicePath("COM2"), "/dev/ttyUSB0");
    EXPECT_EQ(devices.devicePath("COM4"), "/dev/pts/7");
}

TEST(CommandLine, PassesWhatFollowsTheDashesToTheSimulator)
{
    const auto cl = parseCommandLine({"--simulate", "--", "--status", "1", "--device"});
    EXPECT_EQ(cl.action, Action::Run);
    EXPECT_EQ(cl.simulatorOptions, (std::vector<std::string>{"--status", "1", "--device"}));
}

}  // namespace
}  // namespace vk
