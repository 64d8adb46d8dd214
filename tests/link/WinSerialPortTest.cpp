// The Windows COM port against the simulated driver, which scripts/test-windows
// puts behind the COM name in VK785N_TEST_PORT (status word 8001, factory values).
#include "link/DriveCommands.h"
#include "params/ParameterSet.h"
#include "platform/PortOpenError.h"
#include "platform/SystemPort.h"
#include "tests/support/MemoryControls.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

namespace vk {
namespace {

std::string testPort()
{
    const char* port = std::getenv("VK785N_TEST_PORT");
    if (port == nullptr)
        throw std::runtime_error("VK785N_TEST_PORT names no COM port (scripts/test-windows sets it)");
    return port;
}

std::optional<PortProblem> openProblem(const std::string& name)
{
    try {
        systemPortOpener()(name);
    } catch (const PortOpenError& error) {
        return error.problem();
    }
    return std::nullopt;
}

class WinSerialPort : public ::testing::Test {
protected:
    void SetUp() override
    {
        link.state().PortNumber = 1;
        ASSERT_TRUE(link.OpenPort()) << (link.openError() ? link.openError()->what() : "");
    }

    SteadyClock clock;
    DriveLink link{clock, systemPortOpener(), DeviceMap::com1At(testPort())};
};

TEST_F(WinSerialPort, AnswersTheStatusQueryAndABulkRead)
{
    EXPECT_EQ(queryStatus(link).status, 0x8001);
    test::MemoryControls controls;
    ParameterSet parameters(link, controls);
    ASSERT_TRUE(parameters.ReadParam());
    EXPECT_EQ(parameters.cache().fetch(0), "2048");
    EXPECT_EQ(parameters.cache().fetch(25), "30");
    EXPECT_EQ(controls.editText(5), "1280");
}

TEST_F(WinSerialPort, IsHeldForThisLinkAlone)
{
    EXPECT_EQ(openProblem(testPort()), PortProblem::Busy);
}

TEST(WinSerialPortNames, APortThatDoesNotExistSaysSo)
{
    EXPECT_EQ(openProblem("COM199"), PortProblem::Missing);
}

}  // namespace
}  // namespace vk
