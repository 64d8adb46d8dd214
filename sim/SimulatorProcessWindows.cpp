#include "sim/SimulatorProcess.h"

namespace vk::sim {

// The simulated driver answers on a pseudo-terminal, which Windows has not.
SimulatorProcess::SimulatorProcess(const std::filesystem::path& /*program*/,
                                   const std::vector<std::string>& /*options*/, SimulatorLog /*log*/)
{
    throw SimulatorStartError("the simulated driver needs a pseudo-terminal, which Windows has not: run vk785n-sim on "
                              "Linux, or give the port a real drive is on");
}

SimulatorProcess::~SimulatorProcess() = default;

std::filesystem::path SimulatorProcess::besideThisProgram()
{
    return "vk785n-sim";
}

}  // namespace vk::sim
