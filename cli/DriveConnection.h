#pragma once

#include "cli/Targets.h"
#include "link/DriveLink.h"
#include "platform/Clock.h"

#include <string>

namespace vk::cli {

// One drive's line, opened for exclusive use for the life of a task.
class DriveConnection {
public:
    DriveConnection(const Target& target, const PortOpener& opener);

    bool opened() const { return opened_; }
    // Why it could not be opened: the device and the reason.
    std::string openProblem() const;
    DriveLink& link() { return link_; }

private:
    SteadyClock clock_;
    DriveLink link_;
    bool opened_ = false;
};

}  // namespace vk::cli
