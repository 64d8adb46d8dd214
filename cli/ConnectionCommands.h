#pragma once

#include "cli/CommandContext.h"

#include <optional>
#include <string>

namespace vk::cli {

// ports: every serial device and every port name; with --assign, names the
// device of a port in the port map.
int portsCommand(const CommandContext& context);
// doctor: the connection to the chosen drive walked step by step to one verdict.
int doctorCommand(const CommandContext& context);

}  // namespace vk::cli
