#pragma once

#include "link/DriveLink.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vk {

inline constexpr int kStatusNumber = 31;
inline constexpr std::int32_t kServoOnMask = 0x0001;
inline constexpr std::int32_t kAlarmMask = 0xE080;

struct StatusReply {
    std::int32_t status = -1;         // -1 when the exchange failed, 0 for a non-hex reply
    std::optional<std::string> text;  // the reply line, when one completed
};

// "%0.2d" of the number.
std::string twoDigitNumber(int number);
// Whether a parameter's value travels in hexadecimal (the flags words 4 and 5)
// rather than in decimal.
bool travelsInHex(int number);
// A value as it travels, both ways: "1280", "-5", flags words as "046".
std::string wireValue(int number, std::int32_t value);
// A value as it travels; nullopt when the text is not one.
std::optional<std::int32_t> parseWireValue(int number, std::string_view text);
// The write command with its own CR: "04=046\r", "22=1280\r".
std::string writeCommand(int number, std::int32_t value);
// The status reply read as "$"+text; nullopt when it is not a 32-bit hex number.
std::optional<std::int32_t> parseStatusWord(const std::string& text);

// The read of a number, the status query for 31, as the link collected it:
// after a time-out its text holds what arrived before the deadline.
Reply exchangeRead(DriveLink& link, int number);
StatusReply queryStatus(DriveLink& link);
// The value text of one parameter, or nullopt on time-out (TimedOut left set).
std::optional<std::string> readParameter(DriveLink& link, int number);
// True when the driver acknowledged with "."; the byte after it is awaited and not examined.
bool writeParameter(DriveLink& link, int number, std::int32_t value);
bool SaveParam(DriveLink& link);

}  // namespace vk
