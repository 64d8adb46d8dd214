#include "cli/Json.h"

#include <gtest/gtest.h>

namespace vk::cli {
namespace {

TEST(JsonString, EscapesWhatJsonCannotCarryAsItIs)
{
    const std::pair<std::string, std::string> cases[] = {
        {"plain 075", "\"plain 075\""},
        {"say \"hi\"", "\"say \\\"hi\\\"\""},
        {"C:\\dir", "\"C:\\\\dir\""},
        {"a\r\n\tb", "\"a\\r\\n\\tb\""},
        {std::string("\x00\x01\x1f", 3), "\"\\u0000\\u0001\\u001f\""},
        {"\x7f", "\"\x7f\""},
        {"ドライバ", "\"ドライバ\""},                   // well-formed UTF-8 stays as it is
        {"\xF0\x9F\x94\x8C", "\"\xF0\x9F\x94\x8C\""},   // four bytes
        {"\xff\xfe", "\"\\u00ff\\u00fe\""},             // bytes that are no UTF-8
        {"\xE3\x83", "\"\\u00e3\\u0083\""},             // a sequence cut short
        {"\xC0\xAF", "\"\\u00c0\\u00af\""},             // an overlong '/'
        {"\xED\xA0\x80", "\"\\u00ed\\u00a0\\u0080\""},  // a surrogate
        {"\xE3\x83"
         "A",
         "\"\\u00e3\\u0083A\""},  // an ASCII byte after a cut sequence is itself
    };
    for (const auto& [text, json] : cases)
        EXPECT_EQ(jsonString(text), json) << text;
}

TEST(Json, ObjectsAndArraysJoinTheirMembers)
{
    Json inner = Json::array();
    inner.add("", 1).add("", "two");
    Json json = Json::object();
    json.add("n", -5).add("ok", true).add("list", std::vector<int>{0, 18}).add("in", inner).add("k\"", "v");
    EXPECT_EQ(json.text(), R"({"n":-5,"ok":true,"list":[0,18],"in":[1,"two"],"k\"":"v"})");
    EXPECT_EQ(Json::object().text(), "{}");
}

}  // namespace
}  // namespace vk::cli
