#pragma once

#include "sim/DriverCore.h"

#include <chrono>
#include <deque>
#include <ostream>
#include <string>
#include <string_view>

namespace vk::sim {

// What the log holds: the line's troubles (a command line dropped, an answer
// nobody read, an abandoned exclusive mark) always; each command and answer
// only on request, since a window polling once a second would bury the rest.
enum class LineLog { Troubles, Traffic };

// Puts a DriverCore on a pseudo-terminal: a terminal program opens the slave end
// as if it were the driver's serial port.
class PtyDriver {
public:
    PtyDriver(DriverCore& core, std::ostream& log, LineLog detail = LineLog::Troubles);
    ~PtyDriver();
    PtyDriver(const PtyDriver&) = delete;
    PtyDriver& operator=(const PtyDriver&) = delete;

    // Creates the pseudo-terminal and returns the slave's device path.
    // Throws std::system_error when the system refuses.
    std::string open();
    // Puts bytes on the line now, as if the driver had sent them before anyone listened.
    void sendNow(std::string_view bytes);
    // Answers the line until SIGINT or SIGTERM arrives.
    void serveUntilSignal();

private:
    using Clock = std::chrono::steady_clock;
    struct Outgoing {
        Clock::time_point due;
        std::string bytes;
    };

    void takeInput();
    void sendDue();
    // A client killed without clearing its exclusive mark would keep the next
    // one out while we hold the line: once no other program has it open, the
    // mark goes, as a real line loses it at its last close.
    void clearAbandonedMark();
    void logTraffic(std::string_view what, std::string_view bytes);

    DriverCore& core_;
    std::ostream& log_;
    LineLog detail_;
    int master_ = -1;
    // Held open for the whole run: the master never reads EIO between terminal
    // programs, and the line settings live as long as the simulator.
    int slave_ = -1;
    std::string path_;
    int closes_ = -1;                // tells of every close of the slave's device node
    std::deque<Outgoing> outgoing_;  // ordered by due time
};

}  // namespace vk::sim
