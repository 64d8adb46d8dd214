#pragma once

#include <chrono>

namespace vk::cli {

// Ctrl+C (SIGINT) and SIGTERM become a request that long tasks look at
// between exchanges, so they stop with a report of what was done rather than
// leave the drive half written without a word. A second signal ends at once.
void catchInterrupts();
bool interruptRequested();

// Sleeps until the time given, or less when an interrupt comes first: then
// it returns at once, without polling in between.
void sleepUntilInterrupted(std::chrono::steady_clock::time_point until);

}  // namespace vk::cli
