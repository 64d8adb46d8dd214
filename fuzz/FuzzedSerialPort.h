#pragma once

#include "platform/SerialPort.h"
#include "support/FakeClock.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>

namespace vk::fuzz {

// A serial port that takes every decision from the fuzzer's input: which bytes
// arrive, after what delay, in what pieces they are read, which reads fail, how
// long the output queue stays full. It keeps every byte it hands out, so a reply
// can be held against what really came.
class FuzzedSerialPort final : public SerialPort {
public:
    // How far the port had got at some moment.
    struct Mark {
        int writes = 0;
        std::size_t read = 0;     // bytes read: the length of delivered()
        std::size_t arrived = 0;  // bytes arrived, read or waiting
    };

    FuzzedSerialPort(test::FakeClock& clock, FuzzedDataProvider& input) : clock_(clock), input_(input) {}

    // Every byte read so far, oldest first.
    const std::string& delivered() const { return delivered_; }
    Mark now() const { return {writes_, delivered_.size(), delivered_.size() + queued_.size()}; }
    // now() when the last write went out.
    const Mark& lastWrite() const { return lastWrite_; }

    std::uint32_t bytesWaitingIn() override
    {
        takeArrivals();
        return static_cast<std::uint32_t>(queued_.size());
    }

    std::uint32_t bytesWaitingOut() override { return clock_.tickMs() < heldUntil_ ? heldOut_ : 0; }

    std::ptrdiff_t read(char* buffer, std::size_t max) override
    {
        takeArrivals();
        // Input that has run out picks the ordinary case: no failure, a whole read.
        if (input_.ConsumeIntegralInRange(1, kFailOneReadIn) == kFailOneReadIn)
            return -1;
        const std::size_t available = std::min(max, queued_.size());
        const std::size_t shortBy = input_.ConsumeIntegralInRange<std::size_t>(0, available ? available - 1 : 0);
        const std::size_t count = available - shortBy;
        std::memcpy(buffer, queued_.data(), count);
        delivered_.append(queued_, 0, count);
        queued_.erase(0, count);
        return static_cast<std::ptrdiff_t>(count);
    }

    std::ptrdiff_t write(std::string_view bytes, Tick /*timeoutMs*/) override
    {
        ++writes_;
        lastWrite_ = now();
        heldOut_ = input_.ConsumeIntegralInRange<std::uint32_t>(0, kMostHeldOut);
        heldUntil_ = clock_.tickMs() + input_.ConsumeIntegralInRange<Tick>(0, kLongestHoldMs);
        return static_cast<std::ptrdiff_t>(bytes.size());
    }

    void waitReadable(Tick ms) override
    {
        takeArrivals();
        if (!queued_.empty())
            return;
        Tick until = clock_.tickMs() + ms;
        if (next_)
            until = std::min(until, next_->at);
        clock_.advanceTo(until);
    }

    void waitOutputRoom(Tick ms) override
    {
        Tick until = clock_.tickMs() + ms;
        if (clock_.tickMs() < heldUntil_)
            until = std::min(until, heldUntil_);
        clock_.advanceTo(until);
    }

private:
    static constexpr Tick kLongestDelayMs = 12000;  // beyond the longest reply budget
    static constexpr std::size_t kLongestArrival = 100;
    static constexpr int kFailOneReadIn = 8;
    static constexpr std::uint32_t kMostHeldOut = 1100;  // a little over the queue's size
    static constexpr Tick kLongestHoldMs = 1500;

    struct Arrival {
        Tick at;
        std::string bytes;
    };

    // Each arrival is drawn from the input once the one before it is in.
    void takeArrivals()
    {
        for (;;) {
            if (!next_ && input_.remaining_bytes() > 0) {
                const Tick at = clock_.tickMs() + input_.ConsumeIntegralInRange<Tick>(0, kLongestDelayMs);
                next_ = Arrival{at, input_.ConsumeRandomLengthString(kLongestArrival)};
            }
            if (!next_ || next_->at > clock_.tickMs())
                return;
            queued_ += next_->bytes;
            next_.reset();
        }
    }

    test::FakeClock& clock_;
    FuzzedDataProvider& input_;
    std::optional<Arrival> next_;
    std::string queued_;
    std::string delivered_;
    int writes_ = 0;
    Mark lastWrite_;
    std::uint32_t heldOut_ = 0;
    Tick heldUntil_ = 0;
};

}  // namespace vk::fuzz
