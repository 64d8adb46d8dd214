#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace vk {
namespace {

using Action = CommandLine::Action;

struct ArgsCase {
    std::vector<std::string> args;
    Action action;
    bool simulate;
    std::string com1;  // the device COM1 then stands for
};

class CommandLineCases : public ::testing::TestWithParam<ArgsCase> {};

TEST_P(CommandLineCases, ReadsOptions)
{
    const auto cl = parseCommandLine(GetParam().args);
    EXPECT_EQ(cl.action, GetParam().action) << cl.message;
    EXPECT_EQ(cl.simulate, GetParam().simulate);
    if (cl.action == Action::Run)
        EXPECT_EQ(cl.devices.devicePath("COM1"), GetParam().com1);
    if (cl.action == Action::Error)
        EXPECT_NE(cl.message.find("--help"), std::string::npos) << "an error points at --help";
}

INSTANTIATE_TEST_SUITE_P(
    Args, CommandLineCases,
    ::testing::Values(ArgsCase{{}, Action::Run, false, "/dev/ttyS0"},
                      ArgsCase{{"--simulate"}, Action::Run, true, "/dev/ttyS0"},
                      ArgsCase{{"--device", "COM1=/dev/ttyUSB0"}, Action::Run, false, "/dev/ttyUSB0"},
                      ArgsCase{{"--device=COM1=/dev/pts/3", "--simulate"}, Action::Run, true, "/dev/pts/3"},
                      ArgsCase{{"--device", "COM2=/dev/x", "--device", "COM1=/dev/y"}, Action::Run, false, "/dev/y"},
                      ArgsCase{{"--help"}, Action::Help, false, ""},
                      ArgsCase{{"--simulate", "--version"}, Action::Version, true, ""},
                      ArgsCase{{"--device"}, Action::Error, false, ""},
                      ArgsCase{{"--device", "COM5=/dev/x"}, Action::Error, false, ""},
                      ArgsCase{{"--device", "COM1="}, Action::Error, false, ""},
                      ArgsCase{{"--device", "/dev/ttyUSB0"}, Action::Error, false, ""},
                      ArgsCase{{"-platform", "offscreen"}, Action::Error, false, ""},
                      ArgsCase{{"--verbose"}, Action::Error, false, ""},
                      ArgsCase{{"--", "--status", "1"}, Action::Error, false, ""}));

TEST(CommandLine, RemembersWhichNamesWereGiven)
{
    const auto cl = parseCommandLine({"--device", "COM3=/dev/a", "--device=COM1=/dev/b"});
    EXPECT_EQ(cl.assignedNames, (std::vector<std::string>{"COM3", "COM1"}));
}

TEST(CommandLine, PassesWhatFollowsTheDashesToTheSimulator)
{
    const auto cl = parseCommandLine({"--simulate", "--", "--status", "1", "--device"});
    EXPECT_EQ(cl.action, Action::Run);
    EXPECT_EQ(cl.simulatorOptions, (std::vector<std::string>{"--status", "1", "--device"}));
}

}  // namespace
}  // namespace vk
