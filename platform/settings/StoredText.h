#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vk {

// How a settings file stores its text, and so how text added to it must be stored.
enum class TextForm {
    EightBit,    // the bytes as they are, behind a UTF-8 mark or none
    Utf16Le,     // UTF-16LE behind the mark FF FE, as the Windows registry editor exports
    Unwritable,  // UTF-16BE, UTF-32, a cut UTF-16 unit, a NUL in 8-bit text: nothing can be added safely
};

struct StoredText {
    std::string text;  // UTF-8 when decoded, else the bytes as stored; never the byte-order mark
    TextForm form = TextForm::EightBit;
};

StoredText decodeText(std::string_view bytes);

// Text as it must be added to a file of the given form: nullopt when the form
// takes nothing, or the text cannot be stored in it.
std::optional<std::string> encodeText(std::string_view text, TextForm form);

}  // namespace vk
