#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vk {

// A parameter's value given as text, the way the drive shows it: decimal by
// the integer text rule, the flags words 4 and 5 in hexadecimal. Either the
// value the window would write for it, or why it would write none.
struct ValueFromText {
    std::optional<std::int32_t> value;
    std::string problem;  // empty when there is a value
};

// Checks a text for a number the bulk read or the bulk write handles. A flags
// word must be one the window's buttons can show, so that it reads back as written.
ValueFromText parameterValue(int number, std::string_view text);

// TEMP until merged: a note where the window would show or write the reply otherwise.
std::string windowDifference(int number, std::string_view reply);

// The value the window holds after showing a reply text of the drive: the
// integer text rule for an edit, the buttons' pattern for a flags word;
// nullopt for a text that is no value.
std::optional<std::int32_t> shownValue(int number, std::string_view reply);

}  // namespace vk
