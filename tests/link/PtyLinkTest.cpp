#include "link/DriveCommands.h"
#include "platform/PosixSerialPort.h"
#include "platform/SystemPort.h"
#include "support/SimulatedDriverProcess.h"

#include <gtest/gtest.h>

#include <optional>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace vk::test {
namespace {

// The link on a real pseudo-terminal, the simulated driver at its other end.
class PtyLinkTest : public ::testing::Test {
protected:
    explicit PtyLinkTest(std::string_view stale = {}) : driver(simulatedCore(), stale) {}

    static sim::DriverCore simulatedCore()
    {
        sim::DriverCore core;
        core.setStatusWord(0x8001);
        core.setParameter(22, 1280);
        return core;
    }
    void SetUp() override
    {
        link.state().PortNumber = 1;
        ASSERT_TRUE(link.OpenPort());
    }

    SimulatedDriverProcess driver;
    SteadyClock clock;
    DriveLink link{clock, systemPortOpener(), DeviceMap::com1At(driver.devicePath())};
};

TEST_F(PtyLinkTest, QueriesReadsWritesAndSaves)
{
    const StatusReply status = queryStatus(link);
    EXPECT_EQ(status.status, 0x8001);
    EXPECT_EQ(status.text, "8001");

    EXPECT_EQ(readParameter(link, 22), "1280");
    EXPECT_TRUE(writeParameter(link, 22, 999));
    EXPECT_FALSE(link.state().TimedOut);
    EXPECT_EQ(readParameter(link, 22), "999");
    EXPECT_TRUE(writeParameter(link, 4, 70));
    EXPECT_EQ(readParameter(link, 4), "046");

    EXPECT_TRUE(SaveParam(link));
    EXPECT_EQ(queryStatus(link).status, 0x8001);
}

// The one wait on the real clock: the budgets themselves are checked to the
// millisecond on the fake one.
TEST_F(PtyLinkTest, AWaitForASilentDriverEndsOnItsRealDeadline)
{
    using namespace std::chrono_literals;
    ASSERT_TRUE(link.SendLine("xx"));  // no command: the driver answers nothing
    const auto begin = std::chrono::steady_clock::now();
    EXPECT_EQ(link.CollectReply(300ms, false).outcome, ReplyOutcome::TimedOut);
    const auto waited = std::chrono::steady_clock::now() - begin;
    EXPECT_GE(waited, 300ms);
    EXPECT_LT(waited, 400ms);
}

class StaleInputTest : public PtyLinkTest {
protected:
    StaleInputTest() : PtyLinkTest("7\r") {}
};

TEST_F(StaleInputTest, BytesSentBeforeTheOpenNeverReachAReply)
{
    EXPECT_EQ(link.state().port->bytesWaitingIn(), 0u);
    EXPECT_EQ(queryStatus(link).text, "8001");
}

std::optional<PortProblem> openProblem(const std::string& path)
{
    try {
        openPosixSerialPort(path);
    } catch (const PortOpenError& error) {
        return error.problem();
    }
    return std::nullopt;
}

bool markedExclusive(int fd)
{
    int exclusive = 0;
    return ::ioctl(fd, TIOCGEXCL, &exclusive) == 0 && exclusive != 0;
}

// A refused second opener must leave the first one's exclusive mark alone, or
// a program that does not lock could open the live line and take its replies.
TEST(PtyExclusiveUseTest, TheDeviceIsHeldForTheFirstOpenerAlone)
{
    const SimulatedDriverProcess driver{sim::DriverCore()};
    // Opened before the port is, so that this look at the line is not refused.
    const int observer = ::open(driver.devicePath().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(observer, 0);
    auto first = openPosixSerialPort(driver.devicePath());
    ASSERT_NE(first, nullptr);

    EXPECT_EQ(openProblem(driver.devicePath()), PortProblem::Busy);
    EXPECT_TRUE(markedExclusive(observer));

    first.reset();
    EXPECT_FALSE(markedExclusive(observer));
    // A mark set by another program (root opens through it) means busy, and stays.
    ASSERT_EQ(::ioctl(observer, TIOCEXCL), 0);
    EXPECT_EQ(openProblem(driver.devicePath()), PortProblem::Busy);
    EXPECT_TRUE(markedExclusive(observer));
    ::ioctl(observer, TIOCNXCL);
    EXPECT_NE(openPosixSerialPort(driver.devicePath()), nullptr);
    ::close(observer);
}

TEST(PtyLineSettingsTest, OpenSetsRaw9600EightNoneOneWithBothHandshakes)
{
    const SimulatedDriverProcess driver{sim::DriverCore()};
    // Opened before the port is, so that this look at the line is not refused.
    const int observer = ::open(driver.devicePath().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(observer, 0);
    const auto port = openPosixSerialPort(driver.devicePath());
    ASSERT_NE(port, nullptr);

    termios line{};
    ASSERT_EQ(::tcgetattr(observer, &line), 0);
    ::close(observer);

    EXPECT_EQ(::cfgetispeed(&line), B9600);
    EXPECT_EQ(::cfgetospeed(&line), B9600);
    EXPECT_EQ(line.c_cflag & (CSIZE | PARENB | CSTOPB), static_cast<tcflag_t>(CS8));
    EXPECT_EQ(line.c_cflag & (CRTSCTS | CLOCAL | CREAD), static_cast<tcflag_t>(CRTSCTS | CLOCAL | CREAD));
    EXPECT_EQ(line.c_iflag & (IXON | IXOFF | ICRNL | INLCR | IGNCR), static_cast<tcflag_t>(IXON | IXOFF));
    EXPECT_EQ(line.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(line.c_oflag & OPOST, 0u);
}

TEST(PosixSerialPortTest, SaysWhyADeviceCannotBeOpened)
{
    EXPECT_EQ(openProblem("/dev/vk785n-no-such-device"), PortProblem::Missing);
    EXPECT_EQ(openProblem("/dev/null"), PortProblem::NotASerialLine);
    SteadyClock clock;
    DriveLink link(clock, systemPortOpener(), DeviceMap::com1At("/dev/null"));
    link.state().PortNumber = 1;
    EXPECT_FALSE(link.OpenPort());
    ASSERT_TRUE(link.openError());
    EXPECT_STREQ(link.openError()->what(), "/dev/null: not a serial line");
}

}  // namespace
}  // namespace vk::test
