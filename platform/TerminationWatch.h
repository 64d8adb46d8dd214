#pragma once

#include <functional>
#include <memory>

namespace vk {

// A request from outside to end the program (SIGTERM or SIGINT on Linux, a
// console's Ctrl+C or close on Windows), handed to a callback on a thread of
// its own, free of a signal handler's limits. While it lives the requests no
// longer end the program by themselves.
class TerminationWatch {
public:
    explicit TerminationWatch(std::function<void()> onRequest);
    ~TerminationWatch();
    TerminationWatch(const TerminationWatch&) = delete;
    TerminationWatch& operator=(const TerminationWatch&) = delete;

private:
    struct Watcher;
    std::unique_ptr<Watcher> watcher_;
};

}  // namespace vk
