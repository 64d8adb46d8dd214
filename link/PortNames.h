#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace vk {

// "COM1".."COM4" for 1..4; every other number names "COM1".
std::string portName(std::int32_t portNumber);
// Whether a text is one of "COM1".."COM4".
bool isPortName(std::string_view name);

// Which device each COM name stands for: the system's own (/dev/ttyS0../dev/ttyS3
// on Linux) unless overridden.
class DeviceMap {
public:
    // A map in which COM1 stands for the device: a link to one device.
    static DeviceMap com1At(const std::string& path);

    std::string devicePath(const std::string& comName) const;
    // Takes "COMn=PATH" (n 1 to 4, PATH not empty); false and nothing changed otherwise.
    bool assign(std::string_view comEqualsPath);
    // The same with the name and the path apart.
    bool assign(std::string_view comName, const std::string& path);
    // Every name `other` assigns takes its device from there.
    void overrideWith(const DeviceMap& other);
    // This map with every COM name it does not assign standing for `path`
    // (the simulated driver's line).
    DeviceMap withDefault(const std::string& path) const;

private:
    std::map<std::string, std::string> overrides_;
};

}  // namespace vk
