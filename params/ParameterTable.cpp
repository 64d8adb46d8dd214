#include "params/ParameterTable.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

namespace vk {

namespace {

constexpr ParameterEntry unused(int number)
{
    return {number, "unused", 0, nullptr, false, false};
}

// Number 3 has no control and is always written as 0; 24 and 25 are only
// cached; 18 is written but never read back, so Edit12 keeps what the operator typed.
// Laid out by hand: the numbers no control uses share a line.
// clang-format off
const std::array<ParameterEntry, 32> kTable = {{
    {0, "encoder pulses per revolution; resolution in nm for a linear encoder", 1, nullptr, true, true},
    {1, "multiplication by the external interpolator", 2, nullptr, true, true},
    {2, "number of poles (rotary motor) or pole pitch in mm (linear motor)", 3, nullptr, true, true},
    {3, "no control; the window writes it as 0", 0, nullptr, true, true},
    {4, "encoder flags word", 0, &encoderFlags(), true, true},
    {5, "motor and command flags word", 0, &motorFlags(), true, true},
    {6, "commutation offset, electrical degrees", 4, nullptr, true, true},
    {7, "internal pulse frequency, 100 Hz units", 6, nullptr, true, true},
    {8, "full-count setting: position deviation that raises the full-count error", 9, nullptr, true, true},
    {9, "full-count judgement time, ms", 10, nullptr, true, true},
    {10, "low-to-high gain switching speed, kHz", 7, nullptr, true, true},
    {11, "high-to-low gain switching band, kHz below the low-to-high speed", 8, nullptr, true, true},
    unused(12), unused(13), unused(14), unused(15), unused(16), unused(17),
    {18, "commutation check speed after DC excitation, kpps", 12, nullptr, false, true},
    unused(19), unused(20), unused(21),
    {22, "total gain (soft-start gain), 0 to 2560", 5, nullptr, true, true},
    {23, "soft-start acceleration: value / 256 x 1000 pulses/s^2", 11, nullptr, true, true},
    {24, "the drive's own, no control; never written", 0, nullptr, true, false},
    {25, "the drive's own, no control; never written", 0, nullptr, true, false},
    unused(26), unused(27), unused(28), unused(29), unused(30),
    {31, "status reply, asked for by the status query only", 0, nullptr, false, false},
}};
// clang-format on

// The numbers of the table that have the flag, in order.
std::vector<int> numbersWhere(bool ParameterEntry::*flag)
{
    std::vector<int> numbers;
    for (const ParameterEntry& entry : kTable)
        if (entry.*flag)
            numbers.push_back(entry.number);
    return numbers;
}

}  // namespace

std::span<const ParameterEntry> parameterTable()
{
    return kTable;
}

const ParameterEntry* parameterEntry(int number)
{
    if (number < 0 || number >= static_cast<int>(kTable.size()))
        return nullptr;
    return &kTable[static_cast<std::size_t>(number)];
}

const std::vector<int>& bulkReadNumbers()
{
    static const std::vector<int> numbers = numbersWhere(&ParameterEntry::read);
    return numbers;
}

const std::vector<int>& bulkWriteNumbers()
{
    static const std::vector<int> numbers = numbersWhere(&ParameterEntry::written);
    return numbers;
}

bool readable(int number)
{
    const ParameterEntry* entry = parameterEntry(number);
    return entry && entry->read;
}

int writtenOnlyNumber()
{
    return std::find_if(kTable.begin(), kTable.end(),
                        [](const ParameterEntry& entry) { return entry.written && !entry.read; })
        ->number;
}

int numberShownBy(int editNumber)
{
    for (const ParameterEntry& entry : kTable)
        if (editNumber != 0 && entry.edit == editNumber)
            return entry.number;
    throw std::out_of_range("no parameter is shown by Edit" + std::to_string(editNumber));
}

}  // namespace vk
