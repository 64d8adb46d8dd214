#include "link/PortNames.h"

#include <gtest/gtest.h>

#include <climits>

namespace vk {
namespace {

TEST(PortNamesTest, NumbersOneToFourNameTheirPortAndEveryOtherNumberCom1)
{
    const std::pair<std::int32_t, const char*> cases[] = {
        {1, "COM1"}, {2, "COM2"}, {3, "COM3"}, {4, "COM4"}, {0, "COM1"}, {5, "COM1"}, {-1, "COM1"}, {INT_MIN, "COM1"},
    };
    for (const auto& [number, name] : cases)
        EXPECT_EQ(portName(number), name) << number;
}

TEST(PortNamesTest, DevicesDefaultToTheFourSerialLines)
{
    const DeviceMap devices;
    EXPECT_EQ(devices.devicePath("COM1"), "/dev/ttyS0");
    EXPECT_EQ(devices.devicePath("COM4"), "/dev/ttyS3");
}

TEST(PortNamesTest, AssignTakesComOneToFourWithAPathAndRejectsTheRest)
{
    struct Case {
        const char* text;
        bool taken;
        const char* name;
        const char* device;
    };
    const Case cases[] = {
        {"COM2=/dev/ttyUSB0", true, "COM2", "/dev/ttyUSB0"},
        {"COM4=/dev/a=b", true, "COM4", "/dev/a=b"},
        {"COM1=", false, "COM1", "/dev/ttyS0"},
        {"COM5=/dev/x", false, "COM1", "/dev/ttyS0"},
        {"COM0=/dev/x", false, "COM1", "/dev/ttyS0"},
        {"COM12=/dev/x", false, "COM1", "/dev/ttyS0"},
        {"com1=/dev/x", false, "COM1", "/dev/ttyS0"},
        {"/dev/ttyUSB0", false, "COM1", "/dev/ttyS0"},
    };
    for (const Case& c : cases) {
        DeviceMap devices;
        EXPECT_EQ(devices.assign(std::string_view(c.text)), c.taken) << c.text;
        EXPECT_EQ(devices.devicePath(c.name), c.device) << c.text;
    }
}

}  // namespace
}  // namespace vk
