#pragma once

#include "sim/DriverCore.h"
#include "sim/PtyDriver.h"

#include <ostream>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace vk::test {

// A simulated driver on a pseudo-terminal, answering from a child process so
// that the caller's process holds nothing but the terminal side of the line.
// Create it before opening the line: a child forked later would share the lock.
class SimulatedDriverProcess {
public:
    // Puts `stale` on the line before anyone listens, as a driver that talked too early.
    explicit SimulatedDriverProcess(const sim::DriverCore& core, std::string_view stale = {});
    ~SimulatedDriverProcess();
    SimulatedDriverProcess(const SimulatedDriverProcess&) = delete;
    SimulatedDriverProcess& operator=(const SimulatedDriverProcess&) = delete;

    // The device a terminal opens.
    const std::string& devicePath() const { return devicePath_; }

private:
    void awaitQueued(std::size_t count) const;

    sim::DriverCore core_;
    std::ostream silentLog_{nullptr};
    sim::PtyDriver pty_{core_, silentLog_};
    std::string devicePath_;
    pid_t child_ = -1;
};

}  // namespace vk::test
