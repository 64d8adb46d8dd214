#include "cli/Targets.h"

namespace vk::cli {

std::string Target::label() const
{
    return name == device ? device : name + " (" + device + ")";
}

std::vector<Target> chooseTargets(const CliOptions& options, const std::optional<std::string>& simulatorLine,
                                  const PortSettings& settings)
{
    std::vector<Target> targets;
    for (const std::string& path : options.devicePaths)
        targets.push_back({path, path});
    if (!targets.empty())
        return targets;
    const DeviceMap devices = simulatorLine ? options.devices.withDefault(*simulatorLine) : options.devices;
    const std::string name = portName(settings.ReadPortNumber());
    return {{name, devices.devicePath(name)}};
}

}  // namespace vk::cli
