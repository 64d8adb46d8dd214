#include "cli/DriveConnection.h"

#include "cli/Interrupt.h"

namespace vk::cli {

DriveConnection::DriveConnection(const Target& target, const PortOpener& opener) : link_(clock_, opener, DeviceMap())
{
    // Ctrl+C ends the exchange under way at once; nothing is sent after it.
    link_.setStopRequest(interruptRequested);
    opened_ = link_.OpenDevice(target.device);
}

std::string DriveConnection::openProblem() const
{
    return link_.openError() ? std::string(link_.openError()->what()) : "cannot open the device";
}

}  // namespace vk::cli
