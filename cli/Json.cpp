#include "cli/Json.h"

#include <cstdio>

namespace vk::cli {

std::string jsonString(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                out += escaped;
            } else {
                out += c;
            }
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
