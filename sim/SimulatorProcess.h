#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include <sys/types.h>

namespace vk::sim {

// The simulator could not be started; what() says why.
class SimulatorStartError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Where the simulator's command log goes.
enum class SimulatorLog { OurStderr, Discarded };

// vk785n-sim run as a child process for as long as this object lives; its
// command log goes to our stderr or nowhere. The child ends with us even when we end
// without destructors (the window's Exit button, a crash).
class SimulatorProcess {
public:
    // Starts the program with the given options and waits for the device path
    // of its line. Throws SimulatorStartError when it cannot start or names none.
    SimulatorProcess(const std::filesystem::path& program, const std::vector<std::string>& options,
                     SimulatorLog log = SimulatorLog::OurStderr);
    ~SimulatorProcess();
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

    const std::string& devicePath() const { return devicePath_; }

    // vk785n-sim beside the running program, as it is built and installed.
    static std::filesystem::path besideThisProgram();

private:
    std::string readFirstLine(int fd) const;
    void end();

    pid_t child_ = -1;
    int output_ = -1;  // the read end of the child's standard output
    std::string devicePath_;
};

}  // namespace vk::sim
