#include "tests/support/MemoryControls.h"

#include "params/FlagsWord.h"

#include <stdexcept>

namespace vk::test {

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
    for (int edit = 1; edit <= kParameterEdits; ++edit)
        setEditText(edit, std::string(openingEditText(edit)));
    for (const RadioGroup& group : allRadioGroups())
        checkRadio(group.choices.front().radio);
}

std::string MemoryControls::editText(int editNumber) const
{
    return edits_[slot(editNumber, kParameterEdits)];
}

void MemoryControls::setEditText(int editNumber, const std::string& text)
{
    edits_[slot(editNumber, kParameterEdits)] = text;
}

bool MemoryControls::radioChecked(int radioNumber) const
{
    return radios_[slot(radioNumber, kParameterRadios)];
}

void MemoryControls::checkRadio(int radioNumber)
{
    for (const RadioChoice& choice : groupOf(radioNumber).choices)
        radios_[slot(choice.radio, kParameterRadios)] = choice.radio == radioNumber;
}

}  // namespace vk::test
