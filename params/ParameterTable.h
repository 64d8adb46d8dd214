#pragma once

#include "params/FlagsWord.h"

#include <span>
#include <string_view>
#include <vector>

namespace vk {

// What the terminal knows of one parameter number.
struct ParameterEntry {
    int number = 0;
    std::string_view meaning;
    int edit = 0;                      // the EditN that shows it, 0 for none
    const FlagsWord* flags = nullptr;  // the radio groups that show it, if any
    bool read = false;                 // asked for by the bulk read
    bool written = false;              // sent by the bulk write
};

// One entry for every number 0..31, indexed by number.
std::span<const ParameterEntry> parameterTable();
// The entry of a number, or nullptr outside 0..31.
const ParameterEntry* parameterEntry(int number);

// The numbers the bulk read asks for and the ones the bulk write sends, in the
// order they go.
const std::vector<int>& bulkReadNumbers();
const std::vector<int>& bulkWriteNumbers();
// Whether the bulk read asks for a number: 18 is written and never read.
bool readable(int number);
// The one number the bulk write sends and the bulk read never asks for (18).
int writtenOnlyNumber();
// The number an edit shows; throws std::out_of_range for an edit that shows none.
int numberShownBy(int editNumber);

}  // namespace vk
