#include "params/MemoryControls.h"

#include "params/FlagsWord.h"

#include <stdexcept>

namespace vk {

namespace {

std::size_t slot(int number, int count)
{
    if (number < 1 || number > count)
        throw std::out_of_range("control number " + std::to_string(number));
    return static_cast<std::size_t>(number - 1);
}

const RadioGroup& groupOf(int radioNumber)
{
    for (const RadioGroup& group : allRadioGroups()) {
        for (const RadioChoice& choice : group.choices) {
            if (choice.radio == radioNumber)
                return group;
        }
    }
    throw std::out_of_range("radio button " + std::to_string(radioNumber));
}

}  // namespace

MemoryControls::MemoryControls()
{
    edits_.fill("0");
    edits_[0] = "2048";
    edits_[1] = "1";
    edits_[2] = "8";
    for (const RadioGroup& group : allRadioGroups())
        checkRadio(group.choices.front().radio);
}

std::string MemoryControls::editText(int editNumber) const
{
    return edits_[slot(editNumber, kEdits)];
}

void MemoryControls::setEditText(int editNumber, const std::string& text)
{
    edits_[slot(editNumber, kEdits)] = text;
}

bool MemoryControls::radioChecked(int radioNumber) const
{
    return radios_[slot(radioNumber, kRadios)];
}

void MemoryControls::checkRadio(int radioNumber)
{
    for (const RadioChoice& choice : groupOf(radioNumber).choices)
        radios_[slot(choice.radio, kRadios)] = choice.radio == radioNumber;
}

}  // namespace vk
