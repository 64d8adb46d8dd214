#include "cli/Json.h"

#include <cstdio>

namespace vk::cli {

namespace {

// The length a UTF-8 sequence with this first byte has, 0 for no first byte.
std::size_t leadLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    return lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
}

// The length of the well-formed UTF-8 sequence at the start of text, 0 if none.
std::size_t utf8Length(std::string_view text)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    const std::size_t length = leadLength(lead);
    if (length == 0 || text.size() < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i)
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
    // Overlong forms, surrogates and code points above U+10FFFF.
    const unsigned char second = length > 1 ? byte(1) : 0;
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) || (lead == 0xF0 && second < 0x90)
        || (lead == 0xF4 && second > 0x8F))
        return 0;
    return length;
}

std::string escapedCharacter(unsigned code)
{
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\u%04x", code);
    return escaped;
}

}  // namespace

// Any bytes give valid JSON: a byte that is no part of UTF-8 is written as the
// character of the same number (U+0080 to U+00FF). That is lossy (a lone 0xC3
// and the UTF-8 of U+00C3 read alike), so a drive's reply is escaped with
// escapedBytes before it gets here.
std::string jsonString(std::string_view text)
{
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        const std::size_t length = utf8Length(text.substr(i));
        if (length > 1) {
            out += text.substr(i, length);
            i += length;
            continue;
        }
        ++i;
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (length == 0 || static_cast<unsigned char>(c) < 0x20)
                out += escapedCharacter(static_cast<unsigned char>(c));
            else
                out += c;
        }
    }
    return out + "\"";
}

Json Json::object()
{
    return Json('{', '}');
}

Json Json::array()
{
    return Json('[', ']');
}

Json& Json::member(std::string_view key, const std::string& value)
{
    if (!body_.empty())
        body_ += ",";
    if (open_ == "{")
        body_ += jsonString(key) + ":";
    body_ += value;
    return *this;
}

Json& Json::add(std::string_view key, std::string_view text)
{
    return member(key, jsonString(text));
}

Json& Json::add(std::string_view key, std::int64_t number)
{
    return member(key, std::to_string(number));
}

Json& Json::add(std::string_view key, bool flag)
{
    return member(key, flag ? "true" : "false");
}

Json& Json::add(std::string_view key, const Json& nested)
{
    return member(key, nested.text());
}

Json& Json::add(std::string_view key, const std::vector<int>& numbers)
{
    Json list = array();
    for (const int n : numbers)
        list.add("", n);
    return add(key, list);
}

}  // namespace vk::cli
