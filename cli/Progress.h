#pragma once

#include <cstddef>
#include <mutex>
#include <string>
#include <vector>

namespace vk::cli {

// One line on stderr that tells where each drive's transfer stands, redrawn in
// place; only when stderr is a terminal, so logs and pipes get none of it.
class Progress {
public:
    Progress(std::string task, std::vector<std::string> drives);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    // Safe to call from the threads of several drives.
    void step(std::size_t drive, int number, int step, int steps);

private:
    void draw();

    bool shown_;
    std::string task_;
    std::vector<std::string> drives_;
    std::vector<std::string> states_;
    std::mutex mutex_;
};

}  // namespace vk::cli
