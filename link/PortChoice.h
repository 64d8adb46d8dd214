#pragma once

#include "link/PortNames.h"
#include "platform/settings/PortMap.h"

#include <optional>
#include <string>
#include <vector>

namespace vk {

// The devices of the port names as the window and vk785n both choose them:
// /dev/ttyS0../dev/ttyS3, over them the port map, over that the simulated
// driver's line for every name when there is one, and over all the command
// line's --device COMn=PATH. Each port map entry whose name is no port name
// adds a line to `problems`, naming the file and line.
DeviceMap chooseDevices(const PortMap& portMap, const std::optional<std::string>& simulatorLine,
                        const DeviceMap& commandLine, std::vector<std::string>& problems);

}  // namespace vk
