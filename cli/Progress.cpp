#include "cli/Progress.h"

#include "link/DriveCommands.h"

#include <cstdio>
#include <unistd.h>

namespace vk::cli {

Progress::Progress(std::string task, std::vector<std::string> drives)
    : shown_(::isatty(STDERR_FILENO) != 0), task_(std::move(task)), drives_(std::move(drives)), states_(drives_.size())
{
}

Progress::~Progress()
{
    if (shown_)
        std::fputs("\r\033[K", stderr);
}

void Progress::step(std::size_t drive, int number, int step, int steps)
{
    if (!shown_)
        return;
    const std::lock_guard lock(mutex_);
    states_.at(drive) = drives_[drive] + ": " + twoDigitNumber(number) + " (" + std::to_string(step) + " of "
        + std::to_string(steps) + ")";
    draw();
}

void Progress::draw()
{
    std::string line = task_;
    for (const std::string& state : states_)
        if (!state.empty())
            line += "  " + state;
    std::fprintf(stderr, "\r\033[K%s", line.c_str());
    std::fflush(stderr);
}

}  // namespace vk::cli
