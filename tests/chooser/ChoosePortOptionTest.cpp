// termvk785n's --choose-port, read with the rest of its command line.
#include "app/CommandLine.h"

#include "tests/support/NamedCase.h"

#include <gtest/gtest.h>

namespace vk {
namespace {

using Action = CommandLine::Action;
using test::PrintTo;

struct OptionCase {
    const char* name;
    std::vector<std::string> args;
    Action action;
    bool choosePort;
};

class ChoosePortOption : public ::testing::TestWithParam<OptionCase> {};

TEST_P(ChoosePortOption, OpensTheChooserAlone)
{
    const CommandLine cl = parseCommandLine(GetParam().args);
    EXPECT_EQ(cl.action, GetParam().action) << cl.message;
    if (cl.action == Action::Run) {
        EXPECT_EQ(cl.choosePort, GetParam().choosePort);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Args, ChoosePortOption,
    ::testing::Values(OptionCase{"alone", {"--choose-port"}, Action::Run, true},
                      OptionCase{"none", {}, Action::Run, false},
                      OptionCase{"withHelp", {"--choose-port", "--help"}, Action::Help, true},
                      OptionCase{"withSimulate", {"--choose-port", "--simulate"}, Action::Error, false},
                      OptionCase{"withDevice", {"--device", "COM1=/dev/ttyUSB0", "--choose-port"}, Action::Error, false},
                      OptionCase{"withTrace", {"--choose-port", "--trace", "t.trace"}, Action::Error, false}),
    test::caseName<OptionCase>);

TEST(ChoosePortOption, HelpListsIt)
{
    EXPECT_NE(parseCommandLine({"--help"}).message.find("\n  --choose-port "), std::string::npos);
}

}  // namespace
}  // namespace vk
