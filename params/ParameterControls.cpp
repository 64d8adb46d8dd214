#include "params/ParameterControls.h"

#include <array>

namespace vk {

std::string_view openingEditText(int editNumber)
{
    // A rotary encoder of 2048 lines without interpolation on an 8-pole motor.
    constexpr std::array<std::string_view, 3> kFirstEdits = {"2048", "1", "8"};
    const bool listed = editNumber >= 1 && editNumber <= static_cast<int>(kFirstEdits.size());
    return listed ? kFirstEdits[static_cast<std::size_t>(editNumber - 1)] : "0";
}

}  // namespace vk
