#include "platform/SerialDevices.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vk::test {
namespace {

namespace fs = std::filesystem;

// A machine with two UARTs of which one has no hardware, a USB adapter with
// its stable name, a modem device held by another program, and a console.
class FakeMachine : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"ttyS0", "ttyS1", "ttyUSB0", "ttyACM0", "tty0"})
            writeFile(root / "dev" / name, "");
        link("../../ttyUSB0", root / "dev/serial/by-id/usb-FTDI_FT232R_A1-if00-port0");
        writeFile(root / "sys/class/tty/ttyS0/type", "4\n");
        writeFile(root / "sys/class/tty/ttyS1/type", "0\n");
        const fs::path usb = root / "sys/devices/pci0/usb1/1-1";
        writeFile(usb / "idVendor", "0403\n");
        writeFile(usb / "manufacturer", "FTDI\n");
        writeFile(usb / "product", "FT232R USB UART\n");
        fs::create_directories(usb / "1-1:1.0/ttyUSB0");
        link("../../../devices/pci0/usb1/1-1/1-1:1.0/ttyUSB0", root / "sys/class/tty/ttyUSB0/device");
        link("/dev/ttyACM0", root / "proc/4242/fd/3");
        writeFile(root / "proc/4242/comm", "minicom\n");
    }

    static void link(const fs::path& target, const fs::path& at)
    {
        fs::create_directories(at.parent_path());
        fs::create_symlink(target, at);
    }

    TempFolder root;
    SystemFolders system{root / "dev", root / "sys", root / "proc"};
};

TEST_F(FakeMachine, ListsTheSerialLinesWithWhatTheSystemKnowsOfThem)
{
    const auto devices = listSerialDevices(system);
    ASSERT_EQ(devices.size(), 3u);
    EXPECT_EQ(devices[0].path, "/dev/ttyACM0");
    EXPECT_EQ(devices[1].path, "/dev/ttyS0");
    EXPECT_EQ(devices[2].path, "/dev/ttyUSB0");

    ASSERT_EQ(devices[0].holders.size(), 1u);
    EXPECT_EQ(devices[0].holders[0].pid, 4242);
    EXPECT_EQ(devices[0].holders[0].program, "minicom");
    EXPECT_TRUE(devices[1].holders.empty());

    EXPECT_EQ(devices[2].maker, "FTDI");
    EXPECT_EQ(devices[2].product, "FT232R USB UART");
    EXPECT_EQ(devices[2].stableNames, (std::vector<std::string>{"/dev/serial/by-id/usb-FTDI_FT232R_A1-if00-port0"}));
    EXPECT_TRUE(devices[1].maker.empty());
}

TEST_F(FakeMachine, FollowsAStableNameToItsDevice)
{
    const SerialDevice device = describeDevice("/dev/serial/by-id/usb-FTDI_FT232R_A1-if00-port0", system);
    EXPECT_TRUE(device.exists);
    EXPECT_EQ(device.path, "/dev/ttyUSB0");
    EXPECT_FALSE(describeDevice("/dev/ttyUSB7", system).exists);
}

// On a real file and a real process: who has it open, and whether we may.
TEST(SerialDevicesOnThisMachine, SeesAnotherProcessHoldingTheFile)
{
    TempFolder folder;
    const fs::path file = folder / "line";
    writeFile(file, "");
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t holder = ::fork();
    if (holder == 0) {
        const int fd = ::open(file.c_str(), O_RDWR);
        [[maybe_unused]] const auto sent = ::write(ready[1], &fd, 1);
        ::pause();
        ::_exit(0);
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    const SerialDevice device = describeDevice(file.string());
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);

    EXPECT_TRUE(device.mayOpen);
    EXPECT_FALSE(device.characterDevice);
    ASSERT_EQ(device.holders.size(), 1u);
    EXPECT_EQ(device.holders[0].pid, holder);
    EXPECT_TRUE(describeDevice(file.string()).holders.empty()) << "gone with its holder";
}

}  // namespace
}  // namespace vk::test
