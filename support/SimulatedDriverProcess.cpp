#include "support/SimulatedDriverProcess.h"

#include <cerrno>
#include <csignal>
#include <exception>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>

namespace vk::test {
namespace {

constexpr int kStaleArrivalLimitMs = 1000;
constexpr int kStaleCheckMs = 1;

}  // namespace

SimulatedDriverProcess::SimulatedDriverProcess(const sim::DriverCore& core, std::string_view stale) : core_(core)
{
    devicePath_ = pty_.open();
    if (!stale.empty()) {
        pty_.sendNow(stale);
        awaitQueued(stale.size());
    }
    child_ = ::fork();
    if (child_ < 0)
        throw std::system_error(errno, std::generic_category(), "fork");
    if (child_ == 0) {
        int status = 0;
        try {
            pty_.serveUntilSignal();
        } catch (const std::exception&) {
            status = 1;
        }
        // Nothing of the parent's (test framework, atexit handlers) may run here.
        ::_exit(status);
    }
}

void SimulatedDriverProcess::awaitQueued(std::size_t count) const
{
    // The terminal hands bytes to the other side a moment later: stale bytes must
    // be in the input queue, as they would be long since on a real line.
    const int observer = ::open(devicePath_.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
    if (observer < 0)
        throw std::system_error(errno, std::generic_category(), "open " + devicePath_);
    int queued = 0;
    for (int waited = 0; waited < kStaleArrivalLimitMs; waited += kStaleCheckMs) {
        if (::ioctl(observer, FIONREAD, &queued) == 0 && static_cast<std::size_t>(queued) >= count)
            break;
        ::usleep(kStaleCheckMs * 1000);
    }
    ::close(observer);
}

SimulatedDriverProcess::~SimulatedDriverProcess()
{
    ::kill(child_, SIGTERM);
    ::waitpid(child_, nullptr, 0);
}

}  // namespace vk::test
