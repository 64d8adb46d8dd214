#pragma once

#include <cstdint>

namespace vk {

// Milliseconds on a monotonic 64-bit count. It cannot wrap within any run, so a
// deadline is plain "now + budget" and "passed" is plain "now > deadline".
using Tick = std::uint64_t;

class Clock {
public:
    virtual ~Clock() = default;
    virtual Tick tickMs() = 0;
    // Blocks for about ms milliseconds (a fake clock just advances).
    virtual void sleepMs(Tick ms) = 0;
};

// The real monotonic clock.
class SteadyClock final : public Clock {
public:
    Tick tickMs() override;
    void sleepMs(Tick ms) override;
};

}  // namespace vk
