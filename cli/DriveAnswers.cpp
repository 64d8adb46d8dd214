#include "cli/DriveAnswers.h"

#include "link/DriveCommands.h"
#include "link/DriveLink.h"
#include "platform/EscapedBytes.h"

namespace vk::cli {
namespace {

constexpr char kCr = '\r';

// The reply text as the window's link reads it, or nullopt when none completed.
std::optional<std::string> replyTo(DriveLink& link, int number)
{
    Reply reply = exchangeRead(link, number);
    return reply.outcome == ReplyOutcome::Complete ? std::optional(std::move(reply.text)) : std::nullopt;
}

Answer refused(DriveLink& link, std::string problem, std::string received = {})
{
    if (link.stopRequested())
        return {std::nullopt, ExitStatus::Interrupted, "interrupted", {}};
    if (link.lineLost())
        return {std::nullopt, ExitStatus::DeviceGone, std::string(kGoneProblem), {}};
    return {std::nullopt, ExitStatus::NoAnswer, std::move(problem), std::move(received)};
}

}  // namespace

const std::string_view kGoneProblem = "the device went away (was the adapter pulled out?)";
const std::string_view kEchoProblem =
    "the line sends back what it is sent (a loopback plug or a terminal): no drive is there";

bool echoConfirmed(DriveLink& link, int suspectNumber)
{
    const int probe = suspectNumber == 0 ? kStatusNumber : 0;
    return replyTo(link, probe) == twoDigitNumber(probe);
}

Answer askNumber(DriveLink& link, int number)
{
    const std::string subject = number == kStatusNumber ? "the status query" : "number " + twoDigitNumber(number);
    Reply reply = exchangeRead(link, number);
    if (reply.outcome != ReplyOutcome::Complete)
        return refused(link, number == kStatusNumber ? "no answer to the status query" : subject + " did not answer",
                       std::move(reply.text));
    const std::string& text = reply.text;
    if (text.find(kCr) != std::string::npos)
        return refused(link,
                       subject + " got '" + escapedBytes(text) + "' back: two replies run together, a late one first",
                       text + kCr);
    if (text == twoDigitNumber(number) && echoConfirmed(link, number))
        return refused(link, std::string(kEchoProblem), text + kCr);
    return {std::move(reply.text), ExitStatus::Done, {}, {}};
}

std::optional<std::int32_t> statusWordOf(const Answer& status)
{
    return status ? parseStatusWord(*status.text) : std::nullopt;
}

WriteEnd writeNumber(DriveLink& link, int number, std::int32_t value)
{
    if (writeParameter(link, number, value))
        return WriteEnd::Acknowledged;
    if (link.stopRequested())
        return WriteEnd::Interrupted;
    if (link.lineLost())
        return WriteEnd::DeviceGone;
    const LinkState& state = link.state();
    if (state.TimedOut)
        return WriteEnd::NotInTime;
    // An echo starts with the command's own first digit.
    if (state.AckChar == twoDigitNumber(number).front() && echoConfirmed(link, number))
        return WriteEnd::Echo;
    return WriteEnd::WrongByte;
}

}  // namespace vk::cli
