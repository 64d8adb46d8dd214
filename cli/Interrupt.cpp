#include "cli/Interrupt.h"

#include "platform/TerminationWatch.h"

#include <atomic>
#include <condition_variable>
#include <mutex>

namespace vk::cli {
namespace {

std::atomic<bool> requested{false};
// Wakes a sleep at once when the request comes.
std::mutex wakeMutex;
std::condition_variable wakeUp;

void noteInterrupt()
{
    if (requested.exchange(true))
        TerminationWatch::endAsRequested();
    const std::lock_guard lock(wakeMutex);
    wakeUp.notify_all();
}

}  // namespace

void catchInterrupts()
{
    static const TerminationWatch watch(noteInterrupt);
}

bool interruptRequested()
{
    return requested.load();
}

void sleepUntilInterrupted(std::chrono::steady_clock::time_point until)
{
    std::unique_lock lock(wakeMutex);
    wakeUp.wait_until(lock, until, [] { return interruptRequested(); });
}

}  // namespace vk::cli
