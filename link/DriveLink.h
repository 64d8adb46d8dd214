#pragma once

#include "link/LinkState.h"
#include "link/PortNames.h"
#include "platform/Clock.h"
#include "platform/PortOpenError.h"
#include "platform/SerialPort.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vk {

// How long an exchange may wait: milliseconds, so that a budget in other
// units is converted by the compiler, or refused where it would lose precision.
using Budget = std::chrono::milliseconds;

enum class ReplyOutcome { Complete, TimedOut, ReadFailed };

struct Reply {
    ReplyOutcome outcome = ReplyOutcome::TimedOut;
    std::string text;  // the reply line without its CR; on a time-out what came before it
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

    // Opens the device named by state().PortNumber; a second call keeps the open port.
    bool OpenPort();
    // The same for a device named by its path.
    bool OpenDevice(const std::string& device);
    // Why the last OpenPort failed, where the opener said.
    const std::optional<PortOpenError>& openError() const { return openError_; }
    void ClosePort();

    // The text and one CR in one write; false when the output queue had no room within 1000 ms.
    bool SendLine(std::string_view text);
    // One waiting byte (true); NUL and false when none could be read; "?" and true,
    // with TimedOut set, once ReplyDeadline has passed.
    bool ReceiveChar(char& c);
    // Appends a waiting batch (at most a piece of 63 characters, up to a NUL) to text:
    // 1 when its last byte is CR, which is dropped; 0 when not, or past the deadline;
    // -1 when the read failed.
    int ReceiveLine(std::string& text);
    // A reply line within the budget, its text cut at 64 characters.
    Reply CollectReply(Budget budget, bool stopOnReadError);
    // AckChar becomes the first byte within the budget, or "?" with TimedOut set.
    void AwaitChar(Budget budget);

    // Sets ReplyDeadline to now + budget and waits until the output queue has
    // room for `bytes`; false when the deadline passes first.
    bool awaitOutputRoom(std::uint32_t bytes, Budget budget);
    // The tick at which a budget that starts now runs out.
    Tick deadlineIn(Budget budget);
    // Reads the queue counts into state().queueStatus.
    void refreshQueueStatus();

    // Asked between polls; once it says stop, nothing more is sent and every
    // wait ends as if its deadline had passed. Waits then block in slices
    // short enough that a stop is seen at once.
    void setStopRequest(std::function<bool()> stopRequested);
    bool stopRequested() const { return stopRequested_ && stopRequested_(); }
    // The device went away: every exchange fails at once from then on.
    bool lineLost() const;
    // Drops the bytes the line has not sent yet, before the system releases it.
    void discardUnsentOutput();

private:
    bool deadlinePassed();
    // Reads away what is left of StaleBytes; false when a read failed.
    bool skipStaleInput();
    bool waitForRoom(std::uint32_t bytes, Tick deadline);
    void awaitInput(bool readFailed);
    // How long a wait may block before the stop request is asked again.
    Tick waitSlice(Tick left) const;

    Clock& clock_;
    PortOpener opener_;
    DeviceMap devices_;
    LinkState state_;
    std::optional<PortOpenError> openError_;
    std::function<bool()> stopRequested_;
};

}  // namespace vk
