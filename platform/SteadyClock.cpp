#include "platform/Clock.h"

#include <chrono>
#include <thread>

namespace vk {

Tick SteadyClock::tickMs()
{
    const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<Tick>(std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart).count());
}

void SteadyClock::sleepMs(Tick ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace vk
