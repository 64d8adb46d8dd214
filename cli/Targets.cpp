#include "cli/Targets.h"

#include "link/PortChoice.h"

namespace vk::cli {

std::string Target::label() const
{
    return name == device ? device : name + " (" + device + ")";
}

std::vector<Target> chooseTargets(const CliOptions& options, const std::optional<std::string>& simulatorLine,
                                  const PortSettings& settings, const PortMap& portMap,
                                  std::vector<std::string>& problems)
{
    std::vector<Target> targets;
    for (const std::string& path : options.devicePaths)
        targets.push_back({path, path});
    if (!targets.empty())
        return targets;
    const DeviceMap devices = chooseDevices(portMap, simulatorLine, options.devices, problems);
    const std::string name = options.portName.empty() ? portName(settings.ReadPortNumber()) : options.portName;
    return {{name, devices.devicePath(name)}};
}

}  // namespace vk::cli
