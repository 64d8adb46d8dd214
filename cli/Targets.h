#pragma once

#include "cli/CliOptions.h"
#include "platform/settings/PortMap.h"
#include "platform/settings/PortSettings.h"

#include <optional>
#include <string>
#include <vector>

namespace vk::cli {

// One drive to work on: how the user named it and the device it is at.
struct Target {
    std::string name;  // "COM1", or the device path given
    std::string device;

    // "COM1 (/dev/ttyS0)", or the path alone.
    std::string label() const;
};

// The drives the command line names: each --device PATH; without one, the
// port given (doctor COMn) or the one the window is set to use (its registry
// store), through the port map, the simulated driver's line and --device
// COMn=PATH, as the window chooses. Port map lines that name no port are
// reported in `problems`. Throws SettingsError when the store cannot be read.
std::vector<Target> chooseTargets(const CliOptions& options, const std::optional<std::string>& simulatorLine,
                                  const PortSettings& settings, const PortMap& portMap,
                                  std::vector<std::string>& problems);

}  // namespace vk::cli
