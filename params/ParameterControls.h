#pragma once

#include <string>
#include <string_view>

namespace vk {

// The window's parameter controls: Edit1..Edit12 and RadioButton1..RadioButton17.
inline constexpr int kParameterEdits = 12;
inline constexpr int kParameterRadios = 17;

// What an edit holds when the window opens: Edit1 "2048", Edit2 "1", Edit3 "8",
// the others "0" (numbers outside 1..12 too).
std::string_view openingEditText(int editNumber);

// The state of the window's parameter controls, by number: the text of
// Edit1..Edit12 and the checked state of RadioButton1..RadioButton17.
// The window implements it; tests and tools use an in-memory one.
class ParameterControls {
public:
    virtual ~ParameterControls() = default;

    virtual std::string editText(int editNumber) const = 0;
    virtual void setEditText(int editNumber, const std::string& text) = 0;
    virtual bool radioChecked(int radioNumber) const = 0;
    // Checks the button and unchecks the others of its group.
    virtual void checkRadio(int radioNumber) = 0;
};

}  // namespace vk
