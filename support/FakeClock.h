#pragma once

#include "platform/Clock.h"

namespace vk::test {

// A clock that moves only when the code under test waits, so a 10 s
// budget runs in microseconds and can be checked to the millisecond.
class FakeClock final : public Clock {
public:
    explicit FakeClock(Tick start = 1000) : now_(start) {}
    Tick tickMs() override { return now_; }
    void sleepMs(Tick ms) override { now_ += ms; }
    void advanceTo(Tick t)
    {
        if (t > now_)
            now_ = t;
    }

private:
    Tick now_;
};

}  // namespace vk::test
