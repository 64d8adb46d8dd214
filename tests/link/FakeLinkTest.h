#pragma once

#include "link/DriveLink.h"
#include "support/FakeClock.h"
#include "tests/support/FakeSerialPort.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace vk::test {

// Bytes that reach the input queue `after` ms into a test.
struct Arrival {
    Tick after = 0;
    std::string bytes;
};

// A DriveLink on a fake port and a fake clock, the port opened before each test.
class FakeLinkTest : public ::testing::Test {
public:
    static constexpr Tick kStart = 1000;
    static constexpr Tick kLongAfter = 100000;

protected:
    explicit FakeLinkTest(Tick start = kStart) : clock(start), start(start) {}
    void SetUp() override { ASSERT_TRUE(link.OpenPort()); }

    void script(const std::vector<Arrival>& arrivals)
    {
        for (const Arrival& arrival : arrivals)
            port->arrive(start + arrival.after, arrival.bytes);
    }
    // Bytes queued once every scripted arrival is in.
    std::uint32_t queuedInTheEnd()
    {
        clock.advanceTo(start + kLongAfter);
        return port->bytesWaitingIn();
    }
    // Ticks since the test began.
    Tick elapsed() { return clock.tickMs() - start; }

    FakeClock clock;
    const Tick start;
    FakeSerialPort* port = nullptr;
    DriveLink link{clock,
                   [this](const std::string&) {
                       auto opened = std::make_unique<FakeSerialPort>(clock);
                       port = opened.get();
                       return opened;
                   },
                   DeviceMap{}};
};

}  // namespace vk::test
