#pragma once

#include "cli/ExitStatus.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vk {
class DriveLink;
}

namespace vk::cli {

// What one exchange of the companion came to: the drive's reply, or why there
// is none to trust. The companion takes a reply only where the window's link
// completed one and nothing about it is in doubt.
struct Answer {
    std::optional<std::string> text;        // the reply line without its CR
    ExitStatus failure = ExitStatus::Done;  // NoAnswer, DeviceGone or Interrupted when there is no text
    std::string problem;                    // why, in words: "number 06 did not answer" ...
    std::string received;                   // the bytes that came back when they made no reply

    explicit operator bool() const { return text.has_value(); }
};

// The reply to the read of a number (the status query for 31). No reply is
// taken from a line that echoes what it is sent, nor one with a CR inside
// (a late answer run together with this one).
Answer askNumber(DriveLink& link, int number);

// A reply that repeats its command is an echo only when another command comes
// back as itself too: a drive may well hold 22 in number 22. One check for the
// doctor and the commands.
bool echoConfirmed(DriveLink& link, int suspectNumber);

// The status word a status reply stands for; nullopt when it is no 32-bit hex number.
std::optional<std::int32_t> statusWordOf(const Answer& status);

// How a write of one number ended, as the companion reports it. A write not
// acknowledged in time may still have been stored: the drive may be slow.
enum class WriteEnd { Acknowledged, WrongByte, NotInTime, Echo, Interrupted, DeviceGone };
WriteEnd writeNumber(DriveLink& link, int number, std::int32_t value);

// What a failed write end says of the line, for the report.
extern const std::string_view kEchoProblem;
extern const std::string_view kGoneProblem;

}  // namespace vk::cli
