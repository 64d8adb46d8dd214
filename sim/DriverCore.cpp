#include "sim/DriverCore.h"

#include "link/DriveCommands.h"
#include "platform/NumberText.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace vk::sim {

namespace {

constexpr char kCr = '\r';
constexpr char kLf = '\n';
constexpr char kAck = '.';
// With IXOFF on its side the terminal's line may send these on its own; they are
// flow control, never part of a command.
constexpr char kXon = 0x11;
constexpr char kXoff = 0x13;
constexpr std::string_view kSaveCommand = "$S";
constexpr char kWriteSign = '=';
constexpr std::size_t kNumberDigits = 2;
// Not a number in any base, and free of XON/XOFF.
constexpr std::string_view kGarbageText = "ZZ?";
// 10 bits a byte (8N1) at 9600 baud, rounded up so no byte comes early.
constexpr std::uint64_t kByteTimeUs = 1042;
// Far enough apart that a reader polling the line sees the pieces one by one.
constexpr std::uint64_t kBatchGapUs = 1000;

// What a freshly set-up driver holds: a 2048-line rotary encoder on an 8-pole motor,
// internal pulses at 10 kHz, gain 1280, acceleration 1000 pulses/s².
constexpr std::array<std::int32_t, DriverCore::kParameterCount> kFactoryMemory = {
    2048, 1,   8,  0, 0x000, 0, 0,    100,  // 0-7
    1000, 100, 20, 5, 0,     0, 0,    0,    // 8-15: full-count limit and time, gain switching
    0,    0,   0,  0, 0,     0, 1280, 256,  // 16-23: check speed, gain, acceleration
    120,  30,  0,  0, 0,     0, 0,    0,    // 24-31: two values without a control; status word
};

// The number a command line starts with: two decimal digits, 0 to 31.
std::optional<int> parseNumber(std::string_view line)
{
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    if (line.size() < kNumberDigits || !isDigit(line[0]) || !isDigit(line[1]))
        return std::nullopt;
    const int number = (line[0] - '0') * 10 + (line[1] - '0');
    if (number >= DriverCore::kParameterCount)
        return std::nullopt;
    return number;
}

}  // namespace

DriverCore::DriverCore(SimFaults faults) : faults_(faults), memory_(kFactoryMemory)
{
}

std::int32_t DriverCore::parameter(int number) const
{
    return memory_.at(static_cast<std::size_t>(number));
}

void DriverCore::setParameter(int number, std::int32_t value)
{
    memory_.at(static_cast<std::size_t>(number)) = value;
}

std::vector<ReplyBatch> DriverCore::receive(std::string_view bytes)
{
    if (faults_.echo)
        return {ReplyBatch{0, std::string(bytes)}};
    std::vector<ReplyBatch> batches;
    std::uint64_t lineFreeUs = 0;  // several commands at once are answered one after another
    for (const char byte : bytes) {
        if (byte == kXon || byte == kXoff)
            continue;
        if (byte != kCr) {
            take(byte);
            continue;
        }
        if (std::exchange(overflowed_, false)) {
            commands_.emplace_back(kDroppedLine);
            continue;
        }
        // The empty line after a write frame's second CR is no command.
        if (pending_.empty())
            continue;
        commands_.push_back(std::exchange(pending_, {}));
        lineFreeUs = schedule(answer(commands_.back()), std::max(lineFreeUs, answerStartUs(commands_.back())), batches);
    }
    return batches;
}

void DriverCore::take(char byte)
{
    if (overflowed_)
        return;
    pending_ += byte;
    if (pending_.size() > kLineLimit) {
        pending_.clear();
        overflowed_ = true;
    }
}

// A line the driver does not understand gets no answer at all, like a real driver
// would: the terminal then sees a time-out, the one failure it can notice. A command
// that gets no answer (unknown, or silenced by a fault) has no effect either.
std::string DriverCore::answer(std::string_view line)
{
    if (line == kSaveCommand)
        return answerSave();
    const std::optional<int> number = parseNumber(line);
    if (!number || silencedAt(*number))
        return {};
    const std::string_view rest = line.substr(kNumberDigits);
    if (rest.empty())
        return answerRead(*number);
    if (rest.front() == kWriteSign)
        return answerWrite(*number, rest.substr(1));
    return {};
}

std::string DriverCore::answerRead(int number) const
{
    if (faults_.garbage)
        return std::string(kGarbageText) + lineEnd();
    const std::int32_t value = memory_[static_cast<std::size_t>(number)];
    return (number == kStatusNumber ? hexPatternText(value) : wireValue(number, value)) + lineEnd();
}

std::string DriverCore::answerWrite(int number, std::string_view text)
{
    const std::optional<std::int32_t> value = parseWireValue(number, text);
    if (number == kStatusNumber || !value)
        return {};
    memory_[static_cast<std::size_t>(number)] = number == faults_.storesWrong ? *value + 1 : *value;
    return acknowledgement(number >= faults_.ackCharFrom ? faults_.ackChar : kAck);
}

// The save names no number, so a stop at number n leaves it answered; only
// complete silence mutes it.
std::string DriverCore::answerSave()
{
    if (faults_.silent)
        return {};
    ++saves_;
    return acknowledgement(faults_.ackChar);
}

// The byte after the acknowledgement is a CR; a CR LF driver ends only its reply
// lines that way, so that fault stays apart from the acknowledgement's.
std::string DriverCore::acknowledgement(char first) const
{
    std::string bytes(1, first);
    if (!faults_.ackOnly)
        bytes += kCr;
    return bytes;
}

std::string DriverCore::lineEnd() const
{
    return faults_.crlf ? std::string{kCr, kLf} : std::string(1, kCr);
}

bool DriverCore::silencedAt(int number) const
{
    return faults_.silent || (faults_.silentFrom >= 0 && number >= faults_.silentFrom);
}

std::uint64_t DriverCore::answerStartUs(std::string_view line) const
{
    constexpr std::uint64_t kUsPerMs = 1000;
    const bool late = parseNumber(line).value_or(0) >= faults_.delayFrom;
    return late ? static_cast<std::uint64_t>(faults_.delayMs) * kUsPerMs : 0;
}

std::uint64_t DriverCore::schedule(const std::string& bytes, std::uint64_t startUs, std::vector<ReplyBatch>& out) const
{
    const std::size_t pieces = std::min<std::size_t>(std::max(faults_.batches, 1), bytes.size());
    std::uint64_t delayUs = startUs;
    std::size_t sent = 0;
    for (std::size_t piece = 0; piece < pieces; ++piece) {
        // Sizes differ by one at most, the longer ones first.
        const std::size_t size = bytes.size() / pieces + (piece < bytes.size() % pieces ? 1 : 0);
        sent += size;
        const std::uint64_t lastByteUs = faults_.paced ? startUs + sent * kByteTimeUs : startUs;
        delayUs = piece == 0 ? lastByteUs : std::max(lastByteUs, delayUs + kBatchGapUs);
        out.push_back(ReplyBatch{delayUs, bytes.substr(sent - size, size)});
    }
    return delayUs;
}

}  // namespace vk::sim
