#pragma once

#include <stdexcept>
#include <string>

namespace vk {

// Why a serial device could not be had for exclusive use.
enum class PortProblem { Missing, NoPermission, Busy, NotASerialLine, Other };

// A serial device that could not be opened; what() names the device and says why.
class PortOpenError : public std::runtime_error {
public:
    PortOpenError(PortProblem problem, const std::string& device, const std::string& reason)
        : std::runtime_error(device + ": " + reason), problem_(problem), device_(device)
    {
    }

    PortProblem problem() const { return problem_; }
    const std::string& device() const { return device_; }

private:
    PortProblem problem_;
    std::string device_;
};

}  // namespace vk
