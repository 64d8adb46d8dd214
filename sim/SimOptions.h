#pragma once

#include "sim/DriverCore.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vk::sim {

// What the command line of vk785n-sim asks for.
struct SimOptions {
    SimFaults faults;
    std::optional<std::int32_t> status;
    std::vector<std::pair<int, std::int32_t>> parameters;  // number, value; later ones win
    std::string stale;                                     // bytes put on the line before any terminal opens it
    bool verbose = false;  // every command and answer on stderr, not only the line's troubles
    bool help = false;
    bool version = false;
};

class SimOptionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The arguments after the program name. Throws SimOptionError with a message for the user.
SimOptions parseSimOptions(const std::vector<std::string>& args);
// Puts the status word and parameter values of the options into the driver's memory.
void applyMemory(const SimOptions& options, DriverCore& core);
std::string simUsage();

// "\r", "\n", "\\" and "\xHH" turned into their bytes, so control bytes fit on a command line.
std::string unescapeBytes(std::string_view text);

}  // namespace vk::sim
