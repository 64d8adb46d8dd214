#pragma once

#include "link/DriveLink.h"
#include "platform/Clock.h"
#include "platform/SerialPort.h"
#include "support/SimulatedDriverProcess.h"

namespace vk::bench {

// A drive link opened on a simulated driver that paces its bytes at 9600 baud,
// on a pseudo-terminal: what the benchmarks time. Throws when it cannot open.
struct PacedLink {
    PacedLink(sim::DriverCore core, PortOpener opener);

    test::SimulatedDriverProcess driver;
    SteadyClock clock;
    DriveLink link;
};

// The core's faults with pacing switched on.
sim::DriverCore paced(sim::DriverCore core);

}  // namespace vk::bench
