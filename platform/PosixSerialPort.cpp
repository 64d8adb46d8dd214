#include "platform/PosixSerialPort.h"

#include "platform/PortOpenError.h"
#include "platform/SystemPort.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace vk {
namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

// The output queue level cannot be waited for, only looked at again: roughly
// one character time at 9600 baud.
constexpr Tick kOutputRoomPollMs = 1;

// The kernel lets a poll oversleep by 0.1 % of its time-out (10 ms of a 10 s
// wait); short slices keep a time-out within a fraction of a millisecond.
constexpr Tick kPollSliceMs = 100;

int pollTimeout(Tick ms)
{
    return static_cast<int>(std::min<Tick>(ms, INT_MAX));
}

[[noreturn]] void refuse(int fd, PortProblem problem, const std::string& path, const std::string& reason)
{
    if (fd >= 0)
        ::close(fd);
    throw PortOpenError(problem, path, reason);
}

[[noreturn]] void refuseOpen(const std::string& path, int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
    case ENXIO:
    case ENODEV: refuse(-1, PortProblem::Missing, path, "no such device");
    case EACCES:
    case EPERM: refuse(-1, PortProblem::NoPermission, path, "no permission to open it");
    case EBUSY: refuse(-1, PortProblem::Busy, path, "held by another program");
    default: refuse(-1, PortProblem::Other, path, std::strerror(error));
    }
}

// flock holds against every other opener, root included; TIOCEXCL also keeps
// out programs that do not lock. A mark already there is another program's
// (root opens through it): the line is busy, and the mark is not ours to clear.
void takeForExclusiveUse(int fd, const std::string& path)
{
    if (!::isatty(fd))
        refuse(fd, PortProblem::NotASerialLine, path, "not a serial line");
    int markedByOther = 0;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || (::ioctl(fd, TIOCGEXCL, &markedByOther) == 0 && markedByOther != 0))
        refuse(fd, PortProblem::Busy, path, "held by another program");
    if (::ioctl(fd, TIOCEXCL) != 0)
        refuse(fd, PortProblem::Other, path, std::string("cannot hold it for exclusive use: ") + std::strerror(errno));
}

}  // namespace

std::unique_ptr<PosixSerialPort> PosixSerialPort::open(const std::string& path)
{
    // The terminal this program runs in answers to its own name: never take it for a drive's line.
    if (path == "/dev/tty")
        refuse(-1, PortProblem::NotASerialLine, path, "the terminal this program runs in, not a serial line");
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        refuseOpen(path, errno);
    takeForExclusiveUse(fd, path);
    std::unique_ptr<PosixSerialPort> port(new PosixSerialPort(fd));
    port->configureLine();
    port->dropWaitingInput();
    return port;
}

PosixSerialPort::~PosixSerialPort()
{
    // The kernel's close waits up to its closing_wait (30 s) for bytes a line
    // with CTS low never sends; no exchange is under way once we close.
    discardUnsentOutput();
    // The mark is ours (open refuses a marked line) and would outlive this
    // descriptor while anyone else holds the line.
    ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
}

void PosixSerialPort::discardUnsentOutput()
{
    ::tcflush(fd_, TCOFLUSH);
}

// EIO is what a tty whose hardware is gone answers to everything; ENXIO and
// ENODEV what a removed device answers.
int PosixSerialPort::noteLoss(int result)
{
    if (result < 0 && (errno == EIO || errno == ENXIO || errno == ENODEV))
        lost_ = true;
    return result;
}

void PosixSerialPort::configureLine()
{
    termios line{};
    ::tcgetattr(fd_, &line);
    ::cfmakeraw(&line);
    ::cfsetispeed(&line, B9600);
    ::cfsetospeed(&line, B9600);
    line.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB);
    line.c_cflag |= CS8 | CLOCAL | CREAD | CRTSCTS;
    // Software handshake beside the hardware one, with the line's own XON/XOFF characters.
    line.c_iflag |= IXON | IXOFF;
    line.c_cc[VMIN] = 0;
    line.c_cc[VTIME] = 0;
    ::tcsetattr(fd_, TCSANOW, &line);
    // A pseudo-terminal has no modem lines (ENOTTY); that is no failure.
    const int dtr = TIOCM_DTR;
    ::ioctl(fd_, TIOCMBIS, &dtr);
}

std::uint32_t PosixSerialPort::queueCount(unsigned long request)
{
    int count = 0;
    return noteLoss(::ioctl(fd_, request, &count)) == 0 && count > 0 ? static_cast<std::uint32_t>(count) : 0;
}

std::uint32_t PosixSerialPort::bytesWaitingIn()
{
    return queueCount(FIONREAD);
}

std::uint32_t PosixSerialPort::bytesWaitingOut()
{
    return queueCount(TIOCOUTQ);
}

std::ptrdiff_t PosixSerialPort::read(char* buffer, std::size_t max)
{
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, max);
        if (n >= 0)
            return n;
        noteLoss(-1);
        if (errno != EINTR)
            return errno == EAGAIN || errno == EWOULDBLOCK ? 0 : -1;
    }
}

std::ptrdiff_t PosixSerialPort::write(std::string_view bytes, Tick timeoutMs)
{
    const auto deadline = steady_clock::now() + milliseconds(timeoutMs);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            noteLoss(-1);
            return done > 0 ? static_cast<std::ptrdiff_t>(done) : -1;
        }
        const auto left = std::chrono::ceil<milliseconds>(deadline - steady_clock::now()).count();
        if (left <= 0)
            break;
        pollfd room{fd_, POLLOUT, 0};
        ::poll(&room, 1, pollTimeout(static_cast<Tick>(left)));
    }
    return static_cast<std::ptrdiff_t>(done);
}

void PosixSerialPort::waitReadable(Tick ms)
{
    const auto until = steady_clock::now() + milliseconds(ms);
    for (;;) {
        const auto left = std::chrono::ceil<milliseconds>(until - steady_clock::now()).count();
        if (left <= 0)
            return;
        pollfd input{fd_, POLLIN, 0};
        const int ready = ::poll(&input, 1, pollTimeout(std::min(static_cast<Tick>(left), kPollSliceMs)));
        if (ready == 0)
            continue;
        // A line that hung up reports itself at once and stays silent: it is
        // gone, and the exchange under way ends now rather than at its deadline.
        const bool hungUp = ready > 0 && (input.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
        if (hungUp && bytesWaitingIn() == 0)
            lost_ = true;
        return;
    }
}

void PosixSerialPort::waitOutputRoom(Tick ms)
{
    std::this_thread::sleep_for(milliseconds(std::min(ms, kOutputRoomPollMs)));
}

std::optional<bool> PosixSerialPort::clearToSend()
{
    int lines = 0;
    if (::ioctl(fd_, TIOCMGET, &lines) != 0)
        return std::nullopt;
    return (lines & TIOCM_CTS) != 0;
}

std::unique_ptr<SerialPort> openPosixSerialPort(const std::string& path)
{
    return PosixSerialPort::open(path);
}

std::string defaultPortDevice(int portNumber)
{
    return "/dev/ttyS" + std::to_string(portNumber - 1);
}

PortOpener systemPortOpener()
{
    return openPosixSerialPort;
}

}  // namespace vk
