#include "chooser/TerminalPort.h"

#include "tests/chooser/ChooserFixture.h"
#include "tests/support/NamedCase.h"

#include <filesystem>

namespace vk {
namespace {

using test::PrintTo;

constexpr char kLink[] = "LINK";  // stands for a link in the settings folder to /dev/null, as a by-id name is

struct StoreCase {
    const char* name;
    std::string portNumber;  // the registry store's value
    std::string portMap;     // ports.conf's lines
    QString portName;
    QString device;
    QString systemDevice;
    bool present;
    bool problem;
};

class TerminalPortCases : public test::ChooserFixture, public ::testing::WithParamInterface<StoreCase> {};

TEST_P(TerminalPortCases, ReadsThePortAsTheTerminalDoes)
{
    const StoreCase& c = GetParam();
    const std::filesystem::path link = settings() / "link";
    std::filesystem::create_directories(settings());
    std::filesystem::create_symlink("/dev/null", link);
    std::string portMap = c.portMap;
    if (const auto at = portMap.find(kLink); at != std::string::npos)
        portMap.replace(at, sizeof kLink - 1, link.string());
    storePortNumber(c.portNumber);
    writePortMap(portMap);

    const TerminalPort port = readTerminalPort();
    EXPECT_EQ(port.name, c.portName);
    EXPECT_EQ(port.device, c.device == kLink ? QString::fromStdString(link.string()) : c.device);
    EXPECT_EQ(port.present, c.present);
    if (c.present) {
        EXPECT_EQ(port.systemDevice, c.systemDevice);
    }
    EXPECT_EQ(!port.problems.isEmpty(), c.problem) << port.problems.join("; ").toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Stores, TerminalPortCases,
    ::testing::Values(StoreCase{"numberAndMap", "dword:00000002", "COM2=/dev/null\n", "COM2", "/dev/null", "/dev/null",
                                true, false},
                      StoreCase{"mapThroughLink", "\"3\"", "COM3=LINK\n", "COM3", kLink, "/dev/null", true, false},
                      StoreCase{"deviceGone", "dword:00000004", "COM4=/dev/vk785n-gone\n", "COM4", "/dev/vk785n-gone",
                                "", false, false},
                      StoreCase{"numberOfAnotherType", "hex(3):03,00,00,00", "COM1=/dev/null\n", "COM1", "/dev/null",
                                "/dev/null", true, true},
                      StoreCase{"mapLineOfNoPort", "dword:00000001", "COM9=/dev/zero\nCOM1=/dev/null\n", "COM1",
                                "/dev/null", "/dev/null", true, true},
                      StoreCase{"otherNamesMapped", "dword:00000002", "COM1=/dev/zero\nCOM2=/dev/null\n", "COM2",
                                "/dev/null", "/dev/null", true, false}),
    test::caseName<StoreCase>);

struct StartCase {
    const char* name;
    bool present;
    QString systemDevice;  // what the terminal's port stands for now
    QStringList arguments;
};

class TerminalStartCases : public ::testing::TestWithParam<StartCase> {};

TEST_P(TerminalStartCases, GivesTheDeviceOnlyWhenTheMapDoesNot)
{
    const TerminalPort port{.name = "COM2",
                            .device = "/dev/serial/by-id/usb-FTDI-if00-port0",
                            .systemDevice = GetParam().systemDevice,
                            .present = GetParam().present,
                            .problems = {}};
    const DeviceRow chosen{.name = "/dev/serial/by-id/usb-FTDI-if00-port0",
                           .systemPath = "/dev/ttyUSB0",
                           .adapter = {},
                           .access = {},
                           .remedy = {},
                           .holders = {}};
    EXPECT_EQ(terminalArguments(port, chosen), GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(
    Starts, TerminalStartCases,
    ::testing::Values(
        StartCase{"saved", true, "/dev/ttyUSB0", {}},
        StartCase{"anotherDevice", true, "/dev/ttyUSB1", {"--device", "COM2=/dev/serial/by-id/usb-FTDI-if00-port0"}},
        StartCase{
            "mappedDeviceGone", false, "/dev/ttyUSB0", {"--device", "COM2=/dev/serial/by-id/usb-FTDI-if00-port0"}}),
    test::caseName<StartCase>);

}  // namespace
}  // namespace vk
