#pragma once

#include "params/ParameterControls.h"

#include <array>
#include <string>

namespace vk::test {

// The parameter controls held in memory, as the window opens: the opening
// edit texts, the first radio button of every group checked. Numbers outside 1..12 / 1..17 throw std::out_of_range.
class MemoryControls : public ParameterControls {
public:
    MemoryControls();

    std::string editText(int editNumber) const override;
    void setEditText(int editNumber, const std::string& text) override;
    bool radioChecked(int radioNumber) const override;
    void checkRadio(int radioNumber) override;

private:
    std::array<std::string, kParameterEdits> edits_;
    std::array<bool, kParameterRadios> radios_{};
};

}  // namespace vk::test
