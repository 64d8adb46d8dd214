#include "link/PortChoice.h"

namespace vk {

DeviceMap chooseDevices(const PortMap& portMap, const std::optional<std::string>& simulatorLine,
                        const DeviceMap& commandLine, std::vector<std::string>& problems)
{
    DeviceMap devices;
    for (const ProfileEntry& entry : portMap.entries()) {
        if (!devices.assign(entry.key, entry.value))
            problems.push_back(portMap.file().string() + ":" + std::to_string(entry.line) + ": '" + entry.key + "="
                               + entry.value + "' is no port name (COM1 to COM4) with a device");
    }
    if (simulatorLine)
        devices = DeviceMap().withDefault(*simulatorLine);
    devices.overrideWith(commandLine);
    return devices;
}

}  // namespace vk
