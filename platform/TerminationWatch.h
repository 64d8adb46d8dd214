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

    // Ends the program at once, as the last request would have without a
    // watch: for a second request that will not wait for the first.
    [[noreturn]] static void endAsRequested();

private:
    struct Watcher;
    std::unique_ptr<Watcher> watcher_;
};

}  // namespace vk
