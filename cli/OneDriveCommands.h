#pragma once

#include "cli/CommandContext.h"

namespace vk {
class DriveLink;
}

namespace vk::cli {

// The commands that do one thing on the one drive the options name.
int getCommand(const CommandContext& context, DriveLink& link);
int saveCommand(const CommandContext& context, DriveLink& link);
int statusCommand(const CommandContext& context, DriveLink& link);
// The status once a second, a line at each change, until interrupted.
int watchCommand(const CommandContext& context, DriveLink& link);

}  // namespace vk::cli
