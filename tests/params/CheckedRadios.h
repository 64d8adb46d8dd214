#pragma once

#include "tests/support/MemoryControls.h"

#include <set>

namespace vk::test {

// The numbers of the radio buttons that are checked.
inline std::set<int> checkedRadios(const ParameterControls& controls)
{
    std::set<int> checked;
    for (int radio = 1; radio <= kParameterRadios; ++radio) {
        if (controls.radioChecked(radio))
            checked.insert(radio);
    }
    return checked;
}

}  // namespace vk::test
