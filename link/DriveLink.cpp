#include "link/DriveLink.h"

#include <algorithm>
#include <array>
#include <utility>

namespace vk {
namespace {

constexpr char kCr = '\r';
constexpr char kTimeoutChar = '?';
constexpr Budget kSendRoomBudget{1000};
constexpr Budget kWriteTimeout{1000};
// After a failed read the bytes are still waiting, so the port would not block.
constexpr Budget kReadRetryPause{1};
// A stop asked for is seen within this time, well inside what a person waits for.
constexpr Budget kStopCheck{100};

constexpr int kLineReadFailed = -1;
constexpr int kLineComplete = 1;

// Appends what fits below `limit` characters; true when all of `more` fitted.
bool appendWithin(std::string& text, std::string_view more, std::size_t limit)
{
    const std::size_t room = text.size() < limit ? limit - text.size() : 0;
    text.append(more.substr(0, room));
    return more.size() <= room;
}

}  // namespace

DriveLink::DriveLink(Clock& clock, PortOpener opener, DeviceMap devices)
    : clock_(clock), opener_(std::move(opener)), devices_(std::move(devices))
{
}

bool DriveLink::OpenPort()
{
    return OpenDevice(devices_.devicePath(portName(state_.PortNumber)));
}

bool DriveLink::OpenDevice(const std::string& device)
{
    // The port is opened once and kept; a second call must not lose it.
    if (state_.phase == LinkPhase::Open)
        return true;
    openError_.reset();
    try {
        state_.port = opener_ ? opener_(device) : nullptr;
    } catch (const PortOpenError& error) {
        openError_ = error;
    }
    state_.phase = state_.port ? LinkPhase::Open : LinkPhase::Failed;
    return state_.phase == LinkPhase::Open;
}

bool DriveLink::lineLost() const
{
    return state_.port && state_.port->lineLost();
}

void DriveLink::discardUnsentOutput()
{
    if (state_.port)
        state_.port->discardUnsentOutput();
}

void DriveLink::ClosePort()
{
    if (state_.phase != LinkPhase::Open)
        return;
    state_.port.reset();
    state_.phase = LinkPhase::Closed;
}

void DriveLink::refreshQueueStatus()
{
    state_.queueStatus.cbInQue = state_.port ? state_.port->bytesWaitingIn() : 0;
    state_.queueStatus.cbOutQue = state_.port ? state_.port->bytesWaitingOut() : 0;
}

void DriveLink::setStopRequest(std::function<bool()> stopRequested)
{
    stopRequested_ = std::move(stopRequested);
}

bool DriveLink::deadlinePassed()
{
    return clock_.tickMs() > state_.ReplyDeadline || stopRequested() || lineLost();
}

Tick DriveLink::waitSlice(Tick left) const
{
    return stopRequested_ ? std::min(left, static_cast<Tick>(kStopCheck.count())) : left;
}

bool DriveLink::waitForRoom(std::uint32_t bytes, Tick deadline)
{
    for (;;) {
        refreshQueueStatus();
        const Tick now = clock_.tickMs();
        if (now > deadline || stopRequested() || lineLost())
            return false;
        // Unsigned on purpose: a queue reported above its size counts as room.
        if (LinkState::kQueueSize - state_.queueStatus.cbOutQue >= bytes)
            return true;
        const Tick left = waitSlice(deadline - now + 1);
        if (state_.port)
            state_.port->waitOutputRoom(left);
        else
            clock_.sleepMs(left);
    }
}

Tick DriveLink::deadlineIn(Budget budget)
{
    return clock_.tickMs() + static_cast<Tick>(budget.count());
}

bool DriveLink::awaitOutputRoom(std::uint32_t bytes, Budget budget)
{
    state_.ReplyDeadline = deadlineIn(budget);
    return waitForRoom(bytes, state_.ReplyDeadline);
}

bool DriveLink::SendLine(std::string_view text)
{
    const Tick roomDeadline = deadlineIn(kSendRoomBudget);
    state_.OutgoingLine.assign(text);
    state_.OutgoingLine += kCr;
    if (!waitForRoom(static_cast<std::uint32_t>(state_.OutgoingLine.size()), roomDeadline))
        return false;
    if (state_.port) {
        // Whatever came after the last exchange ended (the byte behind a wrong
        // acknowledgement, a late answer) would start this reply and shift every
        // later one onto the wrong parameter.
        state_.port->dropWaitingInput();
        state_.StaleBytes = state_.port->bytesWaitingIn();
        // A write cut short by its time-out is not told apart: the reply wait will show it.
        state_.port->write(state_.OutgoingLine, static_cast<Tick>(kWriteTimeout.count()));
    }
    return true;
}

bool DriveLink::skipStaleInput()
{
    std::array<char, LinkState::kReceiveBufferSize> scratch;
    while (state_.StaleBytes > 0 && state_.queueStatus.cbInQue > 0) {
        const std::size_t wanted = std::min<std::size_t>(
            {state_.StaleBytes, state_.queueStatus.cbInQue, scratch.size()});
        const std::ptrdiff_t got = state_.port->read(scratch.data(), wanted);
        if (got < 0)
            return false;
        state_.StaleBytes -= static_cast<std::uint32_t>(std::min(static_cast<std::size_t>(got), wanted));
        refreshQueueStatus();
    }
    return true;
}

bool DriveLink::ReceiveChar(char& c)
{
    if (deadlinePassed()) {
        c = kTimeoutChar;
        state_.TimedOut = true;
        return true;
    }
    state_.TimedOut = false;
    refreshQueueStatus();
    c = '\0';
    if (!skipStaleInput() || state_.queueStatus.cbInQue == 0)
        return false;
    // A failed read yields no byte: what an earlier read left in the buffer is no reply.
    if (state_.port->read(state_.ReceiveBuffer.data(), 1) != 1)
        return false;
    c = state_.ReceiveBuffer[0];
    return true;
}

int DriveLink::ReceiveLine(std::string& text)
{
    if (deadlinePassed()) {
        state_.TimedOut = true;
        return 0;
    }
    state_.TimedOut = false;
    refreshQueueStatus();
    if (!skipStaleInput())
        return kLineReadFailed;
    if (state_.queueStatus.cbInQue == 0)
        return 0;
    auto& buffer = state_.ReceiveBuffer;
    // A batch is no longer than a piece can hold; the rest stays queued for the
    // next call, so a reply too long for its text keeps its head.
    static_assert(LinkState::kLinePieceChars < LinkState::kReceiveBufferSize, "a batch and its NUL fit the buffer");
    const std::size_t wanted = std::min<std::size_t>(state_.queueStatus.cbInQue, LinkState::kLinePieceChars);
    const std::ptrdiff_t got = state_.port->read(buffer.data(), wanted);
    if (got < 0)
        return kLineReadFailed;
    const std::size_t count = std::min(static_cast<std::size_t>(got), wanted);
    buffer[count] = '\0';
    const std::string_view batch(buffer.data());  // up to its first NUL
    const bool batchAppended = appendWithin(text, batch, LinkState::kLinePieceChars) && batch.size() == count;
    if (count == 0 || buffer[count - 1] != kCr)
        return 0;
    // Drop the final CR only where it reached the text; a NUL or a cut kept it out,
    // and then the last character is data.
    if (batchAppended)
        text.pop_back();
    return kLineComplete;
}

void DriveLink::awaitInput(bool readFailed)
{
    const Tick now = clock_.tickMs();
    if (now > state_.ReplyDeadline)
        return;
    const Tick left = waitSlice(state_.ReplyDeadline - now + 1);
    if (!state_.port)
        clock_.sleepMs(left);
    else if (readFailed)
        clock_.sleepMs(static_cast<Tick>(kReadRetryPause.count()));
    else
        state_.port->waitReadable(left);
}

Reply DriveLink::CollectReply(Budget budget, bool stopOnReadError)
{
    state_.ReplyDeadline = deadlineIn(budget);
    std::string replyLine;
    for (;;) {
        std::string linePiece;
        const int result = ReceiveLine(linePiece);
        appendWithin(replyLine, linePiece, LinkState::kReplyLineChars);
        if (result == kLineReadFailed && stopOnReadError)
            return {ReplyOutcome::ReadFailed, {}};
        if (state_.TimedOut)
            return {ReplyOutcome::TimedOut, std::move(replyLine)};
        if (result == kLineComplete)
            return {ReplyOutcome::Complete, std::move(replyLine)};
        awaitInput(result == kLineReadFailed);
    }
}

void DriveLink::AwaitChar(Budget budget)
{
    state_.ReplyDeadline = deadlineIn(budget);
    // ReceiveChar finds nothing either with an empty queue or after a failed read.
    while (!ReceiveChar(state_.AckChar))
        awaitInput(state_.queueStatus.cbInQue > 0);
}

}  // namespace vk
