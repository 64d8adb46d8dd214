#pragma once

#include "link/DriveLink.h"
#include "params/ParameterCache.h"
#include "params/ParameterControls.h"

#include <cstdint>
#include <string>

namespace vk {

// The driver's parameters as the terminal holds them: the cache of reply
// texts, the status word, and the bulk read and write between the driver and
// the controls. Every wait is the link's; nothing here is shown to the operator.
class ParameterSet {
public:
    // The bulk write visits 0..25 and waits for output room before each one.
    static constexpr int kLastWriteVisit = 25;

    ParameterSet(DriveLink& link, ParameterControls& controls);

    ParameterCache& cache() { return cache_; }
    const ParameterCache& cache() const { return cache_; }

    std::int32_t StatusWord() const { return statusWord_; }
    bool ValuePresent() const { return valuePresent_; }

    // Shows a reply text in the controls of a number the bulk read asks for;
    // does nothing for any other number.
    void EditWrite(int number, const std::string& text);
    // The value the bulk write sends for a number; ValuePresent says whether it sends one.
    // Throws ConversionError when the number's edit does not hold an integer.
    std::int32_t GetEditValue(int number);

    // Reads 0..11 and 22..25 into the cache and the controls; false at the first
    // number that was not answered in time, with TimedOut cleared.
    bool ReadParam();
    // Writes every number that has a value, 0 first; false at the first failure,
    // TimedOut left as the link set it. A ConversionError passes through after
    // the numbers before it have been written.
    bool UpdateParam();
    // The status query: -1 when it failed, 0 for a reply that is not hexadecimal,
    // else the value; kept as StatusWord. A completed reply's text goes to slot 31.
    std::int32_t ReadStat();

private:
    DriveLink& link_;
    ParameterControls& controls_;
    ParameterCache cache_;
    std::int32_t statusWord_ = 0;
    bool valuePresent_ = false;
};

}  // namespace vk
