#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vk::cli {

// A JSON text built member by member: enough for vk785n's results.
class Json {
public:
    static Json object();
    static Json array();

    // Members of an object; values of an array take an empty key.
    Json& add(std::string_view key, std::string_view text);
    Json& add(std::string_view key, const char* text) { return add(key, std::string_view(text)); }
    Json& add(std::string_view key, std::int64_t number);
    Json& add(std::string_view key, int number) { return add(key, std::int64_t{number}); }
    Json& add(std::string_view key, bool flag);
    Json& add(std::string_view key, const Json& nested);
    Json& add(std::string_view key, const std::vector<int>& numbers);

    std::string text() const { return open_ + body_ + close_; }

private:
    Json(char open, char close) : open_(1, open), close_(1, close) {}
    Json& member(std::string_view key, const std::string& value);

    std::string open_;
    std::string body_;
    std::string close_;
};

// A text as a JSON string, quotes included.
std::string jsonString(std::string_view text);

}  // namespace vk::cli
