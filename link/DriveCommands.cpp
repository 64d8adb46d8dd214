#include "link/DriveCommands.h"

#include <cstdio>

namespace vk {
namespace {

constexpr Tick kReplyBudgetMs = 10000;
constexpr Tick kWriteAckBudgetMs = 2000;
constexpr char kAck = '.';
constexpr char kCr = '\r';
constexpr std::string_view kSaveCommand = "$S";

bool acknowledged(const LinkState& state)
{
    return !state.TimedOut && state.AckChar == kAck;
}

// Parameters 4 and 5 are written in hexadecimal, at least three digits.
bool writtenInHex(int number)
{
    return number == 4 || number == 5;
}

std::optional<int> hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return std::nullopt;
}

}  // namespace

std::string twoDigitNumber(int number)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%.2d", number);
    return digits;
}

std::string writeCommand(int number, std::int32_t value)
{
    std::string encoded;
    if (writtenInHex(number)) {
        char digits[16];
        std::snprintf(digits, sizeof digits, "%03X", static_cast<unsigned>(static_cast<std::uint32_t>(value)));
        encoded = digits;
    } else {
        encoded = std::to_string(value);
    }
    return twoDigitNumber(number) + "=" + encoded + kCr;
}

std::optional<std::int32_t> parseStatusWord(const std::string& text)
{
    if (text.empty())
        return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : text) {
        const auto digit = hexDigit(c);
        if (!digit)
            return std::nullopt;
        value = value * 16 + static_cast<std::uint64_t>(*digit);
        if (value > UINT32_MAX)
            return std::nullopt;
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

StatusReply queryStatus(DriveLink& link)
{
    StatusReply status;
    if (!link.SendLine(twoDigitNumber(kStatusNumber)))
        return status;
    Reply reply = link.CollectReply(kReplyBudgetMs, true);
    if (reply.outcome != ReplyOutcome::Complete)
        return status;
    status.status = parseStatusWord(reply.text).value_or(0);
    status.text = std::move(reply.text);
    return status;
}

std::optional<std::string> readParameter(DriveLink& link, int number)
{
    link.SendLine(twoDigitNumber(number));
    Reply reply = link.CollectReply(kReplyBudgetMs, false);
    if (reply.outcome != ReplyOutcome::Complete)
        return std::nullopt;
    return std::move(reply.text);
}

bool writeParameter(DriveLink& link, int number, std::int32_t value)
{
    link.SendLine(writeCommand(number, value));
    link.AwaitChar(kWriteAckBudgetMs);
    if (!acknowledged(link.state()))
        return false;
    // The byte after the "." is the driver's business; even none of it fails nothing.
    link.AwaitChar(kReplyBudgetMs);
    return true;
}

bool SaveParam(DriveLink& link)
{
    link.SendLine(kSaveCommand);
    link.AwaitChar(kReplyBudgetMs);
    if (!acknowledged(link.state()))
        return false;
    // One more byte is taken only if it is already there.
    link.state().ReplyDeadline = link.clock().tickMs() + kReplyBudgetMs;
    link.ReceiveChar(link.state().AckChar);
    return true;
}

}  // namespace vk
