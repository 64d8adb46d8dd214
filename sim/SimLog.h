#pragma once

#include "platform/EscapedBytes.h"

#include <chrono>
#include <ostream>
#include <string>
#include <string_view>

namespace vk::sim {

// "12:34:56.789": local time of day to the millisecond.
std::string timeOfDay(std::chrono::system_clock::time_point at);

// One line "<time> <what> <bytes escaped>", e.g. "12:34:56.789 tx 8001\r".
void logLine(std::ostream& out, std::string_view what, std::string_view bytes);

}  // namespace vk::sim
