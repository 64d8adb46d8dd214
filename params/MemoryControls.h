#pragma once

#include "params/ParameterControls.h"

#include <array>
#include <string>

namespace vk {

// The parameter controls held in memory, starting as the window opens:
// Edit1 "2048", Edit2 "1", Edit3 "8", the other edits "0", the first radio
// button of every group checked. Numbers outside 1..12 / 1..17 throw std::out_of_range.
class MemoryControls : public ParameterControls {
public:
    static constexpr int kEdits = 12;
    static constexpr int kRadios = 17;

    MemoryControls();

    std::string editText(int editNumber) const override;
    void setEditText(int editNumber, const std::string& text) override;
    bool radioChecked(int radioNumber) const override;
    void checkRadio(int radioNumber) override;

private:
    std::array<std::string, kEdits> edits_;
    std::array<bool, kRadios> radios_{};
};

}  // namespace vk
