#pragma once

#include <array>
#include <string>

namespace vk {

// The last reply text of every parameter number; slot 31 holds the last status
// reply. Slots start as empty text, so a terminal whose port never opened
// shows nothing rather than "0".
class ParameterCache {
public:
    static constexpr int kSlots = 32;

    // Every slot to "0".
    void reset();
    // Throw std::out_of_range for a number outside 0..31.
    void store(int number, std::string text);
    const std::string& fetch(int number) const;

private:
    std::array<std::string, kSlots> slots_;
};

}  // namespace vk
