#include "cli/Interrupt.h"

#include <atomic>
#include <csignal>
#include <thread>

#ifndef _WIN32
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#endif

namespace vk::cli {
namespace {

std::atomic<bool> requested{false};

#ifndef _WIN32
// The handler's byte wakes a sleep at once: a pipe is what a handler may write to.
int wakeUp[2] = {-1, -1};
#endif

void noteInterrupt(int signal)
{
    if (requested.exchange(true)) {
        std::signal(signal, SIG_DFL);
        std::raise(signal);
    }
#ifndef _WIN32
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(wakeUp[1], &byte, 1);
#endif
}

}  // namespace

void catchInterrupts()
{
#ifndef _WIN32
    if (wakeUp[0] < 0 && ::pipe2(wakeUp, O_CLOEXEC | O_NONBLOCK) != 0)
        wakeUp[0] = wakeUp[1] = -1;
#endif
    std::signal(SIGINT, noteInterrupt);
    std::signal(SIGTERM, noteInterrupt);
}

bool interruptRequested()
{
    return requested.load();
}

void sleepUntilInterrupted(std::chrono::steady_clock::time_point until)
{
    using namespace std::chrono;
    while (!interruptRequested()) {
        const auto left = ceil<milliseconds>(until - steady_clock::now()).count();
        if (left <= 0)
            return;
#ifdef _WIN32
        // No pipe to wait on: short naps keep an interrupt seen soon.
        std::this_thread::sleep_for(std::min(milliseconds(left), milliseconds(50)));
#else
        pollfd wake{wakeUp[0], POLLIN, 0};
        ::poll(&wake, 1, static_cast<int>(left));
#endif
    }
}

}  // namespace vk::cli
