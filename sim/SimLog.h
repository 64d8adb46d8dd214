#pragma once

#include <chrono>
#include <ostream>
#include <string>
#include <string_view>

namespace vk::sim {

// Bytes as one readable line: printable ASCII as it is, CR and LF as \r and \n,
// a backslash doubled, every other byte as \xHH.
std::string escapedBytes(std::string_view bytes);

// "12:34:56.789": local time of day to the millisecond.
std::string timeOfDay(std::chrono::system_clock::time_point at);

// One line "<time> <what> <bytes escaped>", e.g. "12:34:56.789 tx 8001\r".
void logLine(std::ostream& out, std::string_view what, std::string_view bytes);

}  // namespace vk::sim
