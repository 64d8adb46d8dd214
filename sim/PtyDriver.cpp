#include "sim/PtyDriver.h"

#include "sim/SimLog.h"

#include "platform/SerialDevices.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <system_error>
#include <termios.h>
#include <unistd.h>

namespace vk::sim {

namespace {

constexpr std::size_t kReadChunk = 256;
// How long the stale bytes of a start may take to reach the line's far end.
constexpr int kQueueWaitMs = 1000;

volatile std::sig_atomic_t gStopRequested = 0;

void requestStop(int)
{
    gStopRequested = 1;
}

[[noreturn]] void throwSystemError(const char* what)
{
    throw std::system_error(errno, std::generic_category(), what);
}

// SIGINT and SIGTERM stay blocked except inside ppoll, so a signal between the
// check of the flag and the wait cannot be missed.
class StopSignals {
public:
    StopSignals()
    {
        sigset_t stop;
        sigemptyset(&stop);
        sigaddset(&stop, SIGINT);
        sigaddset(&stop, SIGTERM);
        sigprocmask(SIG_BLOCK, &stop, &previous_);
        struct sigaction action {};
        action.sa_handler = requestStop;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, nullptr);
        sigaction(SIGTERM, &action, nullptr);
        waitMask_ = previous_;
        sigdelset(&waitMask_, SIGINT);
        sigdelset(&waitMask_, SIGTERM);
    }
    ~StopSignals() { sigprocmask(SIG_SETMASK, &previous_, nullptr); }
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    const sigset_t& waitMask() const { return waitMask_; }

private:
    sigset_t previous_;
    sigset_t waitMask_;
};

timespec toTimespec(std::chrono::steady_clock::duration wait)
{
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(wait).count();
    if (ns <= 0)
        return {};
    return timespec{static_cast<time_t>(ns / 1'000'000'000), static_cast<long>(ns % 1'000'000'000)};
}

void makeRaw(int fd)
{
    termios settings{};
    if (tcgetattr(fd, &settings) != 0)
        throwSystemError("tcgetattr");
    cfmakeraw(&settings);
    cfsetspeed(&settings, B9600);
    if (tcsetattr(fd, TCSANOW, &settings) != 0)
        throwSystemError("tcsetattr");
}

}  // namespace

PtyDriver::PtyDriver(DriverCore& core, std::ostream& log, LineLog detail) : core_(core), log_(log), detail_(detail)
{
}

PtyDriver::~PtyDriver()
{
    if (closes_ >= 0)
        ::close(closes_);
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
}

std::string PtyDriver::open()
{
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0)
        throwSystemError("posix_openpt");
    if (grantpt(master_) != 0 || unlockpt(master_) != 0)
        throwSystemError("grantpt/unlockpt");
    if (fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK) != 0)
        throwSystemError("fcntl");
    const char* name = ptsname(master_);
    if (!name)
        throwSystemError("ptsname");
    std::string path = name;
    slave_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0)
        throwSystemError("open pseudo-terminal slave");
    // Before any terminal program opens it: nothing it is sent may be echoed or cooked.
    makeRaw(slave_);
    path_ = path;
    closes_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (closes_ < 0 || inotify_add_watch(closes_, path.c_str(), IN_CLOSE_WRITE | IN_CLOSE_NOWRITE) < 0)
        throwSystemError("inotify");
    return path;
}

void PtyDriver::sendNow(std::string_view bytes)
{
    outgoing_.push_front(Outgoing{Clock::now(), std::string(bytes)});
    sendDue();
    // The line passes the bytes on a moment later; wait until they are there.
    pollfd queued{slave_, POLLIN, 0};
    ::poll(&queued, 1, kQueueWaitMs);
}

void PtyDriver::serveUntilSignal()
{
    const StopSignals signals;
    gStopRequested = 0;
    while (!gStopRequested) {
        pollfd watched[] = {{master_, POLLIN, 0}, {closes_, POLLIN, 0}};
        const pollfd& line = watched[0];
        // Sleeps until input, a close of the line, a signal, or the next answer is due.
        timespec timeout{};
        if (!outgoing_.empty())
            timeout = toTimespec(outgoing_.front().due - Clock::now());
        const int ready = ppoll(watched, 2, outgoing_.empty() ? nullptr : &timeout, &signals.waitMask());
        if (ready < 0 && errno != EINTR)
            throwSystemError("ppoll");
        if (ready > 0 && (line.revents & (POLLERR | POLLHUP | POLLNVAL)))
            throw std::runtime_error("the pseudo-terminal failed");
        if (ready > 0 && (line.revents & POLLIN))
            takeInput();
        if (ready > 0 && (watched[1].revents & POLLIN))
            clearAbandonedMark();
        sendDue();
    }
}

void PtyDriver::takeInput()
{
    char buffer[kReadChunk];
    const ssize_t count = ::read(master_, buffer, sizeof buffer);
    if (count < 0 && (errno == EAGAIN || errno == EINTR))
        return;
    if (count < 0)
        throwSystemError("read");
    const auto received = Clock::now();
    const std::vector<ReplyBatch> batches = core_.receive(std::string_view(buffer, static_cast<std::size_t>(count)));
    for (const std::string& command : core_.commands()) {
        if (command == DriverCore::kDroppedLine)
            logLine(log_, "rx", command);
        else
            logTraffic("rx", command);
    }
    core_.forgetCommands();
    for (const ReplyBatch& batch : batches) {
        auto due = received + std::chrono::microseconds(batch.delayUs);
        // Bytes leave in the order they were answered, even across commands.
        if (!outgoing_.empty())
            due = std::max(due, outgoing_.back().due);
        outgoing_.push_back(Outgoing{due, batch.bytes});
    }
}

void PtyDriver::clearAbandonedMark()
{
    char events[4096];
    while (::read(closes_, events, sizeof events) > 0) {}
    int marked = 0;
    if (::ioctl(slave_, TIOCGEXCL, &marked) == 0 && marked != 0 && describeDevice(path_).holders.empty()) {
        ::ioctl(slave_, TIOCNXCL);
        logLine(log_, "line", "freed: its last client ended without clearing its exclusive mark");
    }
}

void PtyDriver::logTraffic(std::string_view what, std::string_view bytes)
{
    if (detail_ == LineLog::Traffic)
        logLine(log_, what, bytes);
}

void PtyDriver::sendDue()
{
    while (!outgoing_.empty() && outgoing_.front().due <= Clock::now()) {
        const std::string_view bytes = outgoing_.front().bytes;
        const ssize_t result = ::write(master_, bytes.data(), bytes.size());
        const std::size_t written = result > 0 ? static_cast<std::size_t>(result) : 0;
        if (written > 0)
            logTraffic("tx", bytes.substr(0, written));
        // A full line buffer is not waited for: the driver would stall on it.
        if (written < bytes.size())
            logLine(log_, "tx dropped (nobody reads the line)", bytes.substr(written));
        outgoing_.pop_front();
    }
}

}  // namespace vk::sim
