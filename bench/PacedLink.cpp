#include "bench/PacedLink.h"

#include <stdexcept>

namespace vk::bench {

sim::DriverCore paced(sim::DriverCore core)
{
    core.faults().paced = true;
    return core;
}

PacedLink::PacedLink(sim::DriverCore core, PortOpener opener)
    : driver(paced(std::move(core))), link(clock, std::move(opener), DeviceMap::com1At(driver.devicePath()))
{
    link.state().PortNumber = 1;
    if (!link.OpenPort())
        throw std::runtime_error("cannot open " + driver.devicePath());
}

}  // namespace vk::bench
