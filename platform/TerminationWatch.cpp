#include "platform/TerminationWatch.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <system_error>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

namespace vk {
namespace {

constexpr char kRequest = 1;
constexpr char kStop = 0;
constexpr int kSignals[] = {SIGTERM, SIGINT};

// The pipe's write end and the signal's number: all a signal handler may touch.
// The number is read on the watch's thread, so it is a lock-free atomic.
int requestWriteEnd = -1;
std::atomic<int> lastSignal = SIGTERM;
static_assert(std::atomic<int>::is_always_lock_free);

void noteRequest(int signal)
{
    lastSignal = signal;
    [[maybe_unused]] const auto written = ::write(requestWriteEnd, &kRequest, 1);
}

}  // namespace

struct TerminationWatch::Watcher {
    int ends[2] = {-1, -1};
    std::thread thread;
};

TerminationWatch::TerminationWatch(std::function<void()> onRequest) : watcher_(std::make_unique<Watcher>())
{
    if (::pipe2(watcher_->ends, O_CLOEXEC) != 0)
        throw std::system_error(errno, std::generic_category(), "cannot watch for termination signals");
    // A handler must never block, whatever a flood of signals leaves in the pipe.
    ::fcntl(watcher_->ends[1], F_SETFL, O_NONBLOCK);
    requestWriteEnd = watcher_->ends[1];
    watcher_->thread = std::thread([readEnd = watcher_->ends[0], onRequest = std::move(onRequest)] {
        char byte = kStop;
        while (::read(readEnd, &byte, 1) == 1 && byte == kRequest)
            onRequest();
    });
    struct sigaction action {};
    action.sa_handler = noteRequest;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kSignals)
        ::sigaction(signal, &action, nullptr);
}

TerminationWatch::~TerminationWatch()
{
    for (const int signal : kSignals)
        std::signal(signal, SIG_DFL);
    [[maybe_unused]] const auto written = ::write(watcher_->ends[1], &kStop, 1);
    watcher_->thread.join();
    ::close(watcher_->ends[0]);
    ::close(watcher_->ends[1]);
    requestWriteEnd = -1;
}

void TerminationWatch::endAsRequested()
{
    const int signal = lastSignal;
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    std::_Exit(128 + signal);
}

}  // namespace vk
