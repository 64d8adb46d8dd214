#include "link/PortNames.h"
#include "link/PortChoice.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <climits>

namespace vk {
namespace {

// The system's own serial port N, written out so a wrong default is seen.
#ifdef _WIN32
const std::string kCom1 = "COM1", kCom3 = "COM3", kCom4 = "COM4";
#else
const std::string kCom1 = "/dev/ttyS0", kCom3 = "/dev/ttyS2", kCom4 = "/dev/ttyS3";
#endif

TEST(PortNamesTest, NumbersOneToFourNameTheirPortAndEveryOtherNumberCom1)
{
    const std::pair<std::int32_t, const char*> cases[] = {
        {1, "COM1"}, {2, "COM2"}, {3, "COM3"}, {4, "COM4"}, {0, "COM1"}, {5, "COM1"}, {-1, "COM1"}, {INT_MIN, "COM1"},
    };
    for (const auto& [number, name] : cases)
        EXPECT_EQ(portName(number), name) << number;
}

TEST(PortNamesTest, DevicesDefaultToTheSystemsOwnFourPorts)
{
    const DeviceMap devices;
    EXPECT_EQ(devices.devicePath("COM1"), kCom1);
    EXPECT_EQ(devices.devicePath("COM4"), kCom4);
    EXPECT_EQ(devices.devicePath("COM5"), "");
}

TEST(PortNamesTest, AssignTakesComOneToFourWithAPathAndRejectsTheRest)
{
    struct Case {
        const char* text;
        bool taken;
        const char* name;
        std::string device;
    };
    const std::string& com1 = kCom1;
    const Case cases[] = {
        {"COM2=/dev/ttyUSB0", true, "COM2", "/dev/ttyUSB0"},
        {"COM4=/dev/a=b", true, "COM4", "/dev/a=b"},
        {"COM1=", false, "COM1", com1},
        {"COM5=/dev/x", false, "COM1", com1},
        {"COM0=/dev/x", false, "COM1", com1},
        {"COM12=/dev/x", false, "COM1", com1},
        {"com1=/dev/x", false, "COM1", com1},
        {"/dev/ttyUSB0", false, "COM1", com1},
    };
    for (const Case& c : cases) {
        DeviceMap devices;
        EXPECT_EQ(devices.assign(std::string_view(c.text)), c.taken) << c.text;
        EXPECT_EQ(devices.devicePath(c.name), c.device) << c.text;
    }
}

// Defaults, then the port map, then the simulator for every name, then --device.
TEST(PortChoiceTest, EachSourceOverridesTheOneBefore)
{
    test::TempFolder folder;
    test::writeFile(folder / "ports.conf", "[Ports]\nCOM1=/dev/ttyUSB0\nCOM2 = /dev/by-id/x\nCOM9=/dev/y\n");
    const PortMap portMap(folder.path());
    DeviceMap commandLine;
    commandLine.assign("COM2=/dev/ttyACM0");

    std::vector<std::string> problems;
    DeviceMap devices = chooseDevices(portMap, std::nullopt, DeviceMap(), problems);
    EXPECT_EQ(devices.devicePath("COM1"), "/dev/ttyUSB0");
    EXPECT_EQ(devices.devicePath("COM2"), "/dev/by-id/x");
    EXPECT_EQ(devices.devicePath("COM3"), kCom3);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0],
              (folder / "ports.conf").string() + ":4: 'COM9=/dev/y' is no port name (COM1 to COM4) with a device");

    devices = chooseDevices(portMap, std::nullopt, commandLine, problems);
    EXPECT_EQ(devices.devicePath("COM2"), "/dev/ttyACM0");
    devices = chooseDevices(portMap, "/dev/pts/7", commandLine, problems);
    EXPECT_EQ(devices.devicePath("COM1"), "/dev/pts/7");
    EXPECT_EQ(devices.devicePath("COM2"), "/dev/ttyACM0");
}

}  // namespace
}  // namespace vk
