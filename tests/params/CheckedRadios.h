#pragma once

#include "params/MemoryControls.h"

#include <set>

namespace vk::test {

// The numbers of the radio buttons that are checked.
inline std::set<int> checkedRadios(const ParameterControls& controls)
{
    std::set<int> checked;
    for (int radio = 1; radio <= MemoryControls::kRadios; ++radio) {
        if (controls.radioChecked(radio))
            checked.insert(radio);
    }
    return checked;
}

}  // namespace vk::test
