#include "cli/DriveConnection.h"

namespace vk::cli {
namespace {

// The port that DeviceMap::com1At names.
constexpr int kOnlyPort = 1;

}  // namespace

DriveConnection::DriveConnection(const Target& target, const PortOpener& opener)
    : link_(clock_, opener, DeviceMap::com1At(target.device))
{
    link_.state().PortNumber = kOnlyPort;
    opened_ = link_.OpenPort();
}

std::string DriveConnection::openProblem() const
{
    return link_.openError() ? std::string(link_.openError()->what()) : "cannot open the device";
}

}  // namespace vk::cli
