#include "platform/settings/StoredText.h"

#include <cstdint>

namespace vk {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr std::string_view kUtf32LeMark{"\xFF\xFE\0\0", 4};
constexpr char32_t kReplacement = 0xFFFD;

bool startsWith(std::string_view s, std::string_view prefix)
{
    return s.substr(0, prefix.size()) == prefix;
}

bool isHighSurrogate(char32_t u)
{
    return u >= 0xD800 && u < 0xDC00;
}

bool isLowSurrogate(char32_t u)
{
    return u >= 0xDC00 && u < 0xE000;
}

void appendUtf8(std::string& out, char32_t c)
{
    static constexpr unsigned char kLead[] = {0x00, 0xC0, 0xE0, 0xF0};
    const int tail = c < 0x80 ? 0 : c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
    out += static_cast<char>(kLead[tail] | (c >> (6 * tail)));
    for (int i = tail - 1; i >= 0; --i)
        out += static_cast<char>(0x80 | ((c >> (6 * i)) & 0x3F));
}

char32_t unitAt(std::string_view bytes, std::size_t i)
{
    return std::uint8_t(bytes[i]) | std::uint8_t(bytes[i + 1]) << 8;
}

// A lone surrogate reads as U+FFFD and leaves the unit after it alone, so
// text appended behind a damaged end still reads as written.
std::string utf8FromUtf16Le(std::string_view bytes)
{
    std::string out;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t c = unitAt(bytes, i);
        if (isHighSurrogate(c) && i + 3 < bytes.size() && isLowSurrogate(unitAt(bytes, i + 2))) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unitAt(bytes, i + 2) - 0xDC00);
            i += 2;
        } else if (isHighSurrogate(c) || isLowSurrogate(c)) {
            c = kReplacement;
        }
        appendUtf8(out, c);
    }
    return out;
}

// The next code point of UTF-8 text; nullopt when it is ill-formed (cut
// short, overlong, a surrogate, beyond U+10FFFF).
std::optional<char32_t> takeCodePoint(std::string_view& text)
{
    static constexpr unsigned char kLeadBits[] = {0x7F, 0x1F, 0x0F, 0x07};
    static constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
    const std::uint8_t lead = text.front();
    const int tail = lead < 0x80 ? 0 : lead < 0xC2 ? -1 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : lead < 0xF5 ? 3 : -1;
    if (tail < 0 || text.size() <= std::size_t(tail))
        return std::nullopt;
    char32_t c = lead & kLeadBits[tail];
    for (int i = 1; i <= tail; ++i) {
        const std::uint8_t next = text[i];
        if ((next & 0xC0) != 0x80)
            return std::nullopt;
        c = c << 6 | (next & 0x3F);
    }
    if (c < kLeast[tail] || c > 0x10FFFF || isHighSurrogate(c) || isLowSurrogate(c))
        return std::nullopt;
    text.remove_prefix(tail + 1);
    return c;
}

void appendUtf16Le(std::string& out, char32_t c)
{
    const auto unit = [&out](char32_t u) {
        out += static_cast<char>(u & 0xFF);
        out += static_cast<char>(u >> 8);
    };
    if (c < 0x10000)
        return unit(c);
    unit(0xD800 + ((c - 0x10000) >> 10));
    unit(0xDC00 + ((c - 0x10000) & 0x3FF));
}

std::optional<std::string> utf16LeFromUtf8(std::string_view text)
{
    std::string out;
    while (!text.empty()) {
        const auto c = takeCodePoint(text);
        if (!c)
            return std::nullopt;
        appendUtf16Le(out, *c);
    }
    return out;
}

}  // namespace

StoredText decodeText(std::string_view bytes)
{
    // No registry editor writes these; they are kept as bytes and never added to.
    if (startsWith(bytes, kUtf32LeMark) || startsWith(bytes, kUtf16BeMark))
        return {std::string(bytes), TextForm::Unwritable};
    if (startsWith(bytes, kUtf16LeMark)) {
        bytes.remove_prefix(kUtf16LeMark.size());
        return {utf8FromUtf16Le(bytes), bytes.size() % 2 == 0 ? TextForm::Utf16Le : TextForm::Unwritable};
    }
    if (startsWith(bytes, kUtf8Mark))
        bytes.remove_prefix(kUtf8Mark.size());
    // A NUL in 8-bit text most likely means UTF-16 without a mark.
    const bool isText = bytes.find('\0') == std::string_view::npos;
    return {std::string(bytes), isText ? TextForm::EightBit : TextForm::Unwritable};
}

std::optional<std::string> encodeText(std::string_view text, TextForm form)
{
    switch (form) {
    case TextForm::EightBit:
        return text.find('\0') == std::string_view::npos ? std::optional<std::string>(text) : std::nullopt;
    case TextForm::Utf16Le: return utf16LeFromUtf8(text);
    case TextForm::Unwritable: break;
    }
    return std::nullopt;
}

}  // namespace vk
