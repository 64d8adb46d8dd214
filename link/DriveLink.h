#pragma once

#include "link/LinkState.h"
#include "link/PortNames.h"
#include "platform/Clock.h"
#include "platform/SerialPort.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vk {

enum class ReplyOutcome { Complete, TimedOut, ReadFailed };

struct Reply {
    ReplyOutcome outcome = ReplyOutcome::TimedOut;
    std::string text;  // the reply line without its CR, when complete
};

// The serial link to the driver: open and close, and the exchange primitives.
// Every wait is bounded by a deadline on the clock and blocks in the port
// (or the clock, with no port) instead of spinning.
class DriveLink {
public:
    DriveLink(Clock& clock, PortOpener opener, DeviceMap devices);

    LinkState& state() { return state_; }
    const LinkState& state() const { return state_; }
    Clock& clock() { return clock_; }

    bool OpenPort();
    void ClosePort();

    bool SendLine(std::string_view text);
    bool ReceiveChar(char& c);
    int ReceiveLine(std::string& text);
    Reply CollectReply(Tick budgetMs, bool stopOnReadError);
    void AwaitChar(Tick budgetMs);

    // Sets ReplyDeadline to now + budget and waits until the output queue has
    // room for `bytes`; false when the deadline passes first.
    bool awaitOutputRoom(std::uint32_t bytes, Tick budgetMs);
    // Reads the queue counts into state().queueStatus.
    void refreshQueueStatus();

private:
    Clock& clock_;
    PortOpener opener_;
    DeviceMap devices_;
    LinkState state_;
};

}  // namespace vk
