#pragma once

#include "platform/SerialPort.h"
#include "support/FakeClock.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vk::sim {
class DriverCore;
}

namespace vk::test {

// A serial port scripted with bytes that arrive at given ticks, recording what
// is written and when. Waits advance the shared fake clock to the next arrival.
class FakeSerialPort final : public SerialPort {
public:
    struct Write {
        Tick at;
        std::string bytes;
    };
    using Responder = std::function<void(FakeSerialPort&, const std::string& written)>;

    explicit FakeSerialPort(FakeClock& clock) : clock_(clock) {}

    // Bytes that reach the input queue at tick `at`, as one batch.
    void arrive(Tick at, std::string bytes);
    void arriveIn(Tick delayMs, std::string bytes) { arrive(clock_.tickMs() + delayMs, std::move(bytes)); }
    // Called after every write, e.g. to answer like a driver.
    void setResponder(Responder responder) { responder_ = std::move(responder); }
    // Answers every write as the simulated driver does, at its pace.
    void attachDriver(sim::DriverCore& driver);
    // The output queue reports `count` bytes until tick `until`.
    void holdOutput(std::uint32_t count, Tick until)
    {
        heldOut_ = count;
        heldUntil_ = until;
    }
    void failReads(bool fail) { failReads_ = fail; }
    // The device goes away: reads and writes fail from now on, as after an unplug.
    void unplug() { lost_ = true; }
    // What the line's CTS shows; nullopt (no modem lines) unless set.
    void setClearToSend(std::optional<bool> cts) { clearToSend_ = cts; }

    const std::vector<Write>& writes() const { return writes_; }
    std::string written() const;

    std::uint32_t bytesWaitingIn() override;
    std::uint32_t bytesWaitingOut() override;
    std::ptrdiff_t read(char* buffer, std::size_t max) override;
    std::ptrdiff_t write(std::string_view bytes, Tick timeoutMs) override;
    void waitReadable(Tick ms) override;
    void waitOutputRoom(Tick ms) override;
    std::optional<bool> clearToSend() override { return clearToSend_; }
    bool lineLost() const override { return lost_; }
    void discardUnsentOutput() override { ++discards_; }
    // How often what was not sent was dropped.
    int discards() const { return discards_; }

private:
    struct Arrival {
        Tick at;
        std::string bytes;
    };
    void takeArrivals();

    FakeClock& clock_;
    std::deque<Arrival> pending_;  // ordered by tick
    std::string queued_;
    std::vector<Write> writes_;
    Responder responder_;
    std::uint32_t heldOut_ = 0;
    Tick heldUntil_ = 0;
    bool failReads_ = false;
    bool lost_ = false;
    int discards_ = 0;
    std::optional<bool> clearToSend_;
};

}  // namespace vk::test
