#pragma once

#include "cli/CliOptions.h"

namespace vk::cli {

// Runs the command the options name and prints its results; the exit status.
int runCommand(const CliOptions& options);

}  // namespace vk::cli
