#pragma once

#include "platform/NumberText.h"
#include "platform/OperatorError.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vk {

// The text of an edit that is not an integer; what() is the message the
// window shows: "'<text>' は数値ではありません".
class ConversionError : public OperatorError {
public:
    explicit ConversionError(const std::string& text);

    const std::string& text() const { return text_; }

private:
    std::string text_;
};

// parseIntegerText, throwing ConversionError for a text that does not fit.
std::int32_t convertIntegerText(const std::string& text);

// The flags words as the driver echoes them: each character shifts in one
// hexadecimal place, '0'..'9' as their value and every other character as 0.
// Longer texts wrap in 32 bits.
std::int32_t StrToHex(std::string_view text);

}  // namespace vk
