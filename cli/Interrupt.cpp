#include "cli/Interrupt.h"

#include <atomic>
#include <csignal>

namespace vk::cli {
namespace {

std::atomic<bool> requested{false};

void noteInterrupt(int signal)
{
    if (requested.exchange(true)) {
        std::signal(signal, SIG_DFL);
        std::raise(signal);
    }
}

}  // namespace

void catchInterrupts()
{
    std::signal(SIGINT, noteInterrupt);
    std::signal(SIGTERM, noteInterrupt);
}

bool interruptRequested()
{
    return requested.load();
}

}  // namespace vk::cli
