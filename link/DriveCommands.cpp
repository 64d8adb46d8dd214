#include "link/DriveCommands.h"

#include "platform/NumberText.h"

#include <cstdio>

namespace vk {
namespace {

constexpr Budget kReplyBudget{10000};
constexpr Budget kWriteAckBudget{2000};
constexpr char kAck = '.';
constexpr char kCr = '\r';
constexpr std::string_view kSaveCommand = "$S";

bool acknowledged(const LinkState& state)
{
    return !state.TimedOut && state.AckChar == kAck;
}

// The flags words travel as at least three hexadecimal digits, so that a
// read echoes what was written.
constexpr int kFlagsWordDigits = 3;

}  // namespace

std::string twoDigitNumber(int number)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%.2d", number);
    return digits;
}

bool travelsInHex(int number)
{
    return number == 4 || number == 5;
}

std::string wireValue(int number, std::int32_t value)
{
    return travelsInHex(number) ? hexPatternText(value, kFlagsWordDigits) : std::to_string(value);
}

std::optional<std::int32_t> parseWireValue(int number, std::string_view text)
{
    if (travelsInHex(number))
        return parseHexPattern(text);
    // Nothing writes a plus sign; a driver need not take one.
    return text.starts_with('+') ? std::nullopt : parseDecimal(text);
}

std::string writeCommand(int number, std::int32_t value)
{
    return twoDigitNumber(number) + "=" + wireValue(number, value) + kCr;
}

std::optional<std::int32_t> parseStatusWord(const std::string& text)
{
    return parseHexPattern(text);
}

Reply exchangeRead(DriveLink& link, int number)
{
    // Only the status query gives up when its line could not be sent, or a read failed.
    const bool status = number == kStatusNumber;
    if (!link.SendLine(twoDigitNumber(number)) && status)
        return {};
    return link.CollectReply(kReplyBudget, status);
}

StatusReply queryStatus(DriveLink& link)
{
    StatusReply status;
    Reply reply = exchangeRead(link, kStatusNumber);
    if (reply.outcome != ReplyOutcome::Complete)
        return status;
    status.status = parseStatusWord(reply.text).value_or(0);
    status.text = std::move(reply.text);
    return status;
}

std::optional<std::string> readParameter(DriveLink& link, int number)
{
    Reply reply = exchangeRead(link, number);
    if (reply.outcome != ReplyOutcome::Complete)
        return std::nullopt;
    return std::move(reply.text);
}

bool writeParameter(DriveLink& link, int number, std::int32_t value)
{
    link.SendLine(writeCommand(number, value));
    link.AwaitChar(kWriteAckBudget);
    if (!acknowledged(link.state()))
        return false;
    // The byte after the "." is the driver's business; even none of it fails nothing.
    link.AwaitChar(kReplyBudget);
    return true;
}

bool SaveParam(DriveLink& link)
{
    link.SendLine(kSaveCommand);
    link.AwaitChar(kReplyBudget);
    if (!acknowledged(link.state()))
        return false;
    // One more byte is taken only if it is already there.
    link.state().ReplyDeadline = link.deadlineIn(kReplyBudget);
    link.ReceiveChar(link.state().AckChar);
    return true;
}

}  // namespace vk
