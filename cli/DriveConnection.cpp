#include "cli/DriveConnection.h"

namespace vk::cli {
namespace {

constexpr int kOnlyPort = 1;

DeviceMap onlyDevice(const std::string& device)
{
    DeviceMap devices;
    devices.assign(portName(kOnlyPort), device);
    return devices;
}

}  // namespace

DriveConnection::DriveConnection(const Target& target, const PortOpener& opener)
    : link_(clock_, opener, onlyDevice(target.device))
{
    link_.state().PortNumber = kOnlyPort;
    opened_ = link_.OpenPort();
}

std::string DriveConnection::openProblem() const
{
    return link_.openError() ? std::string(link_.openError()->what()) : "cannot open the device";
}

}  // namespace vk::cli
