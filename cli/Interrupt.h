#pragma once

namespace vk::cli {

// Ctrl+C (SIGINT) and SIGTERM become a request that long tasks look at
// between exchanges, so they stop with a report of what was done rather than
// leave the drive half written without a word. A second signal ends at once.
void catchInterrupts();
bool interruptRequested();

}  // namespace vk::cli
