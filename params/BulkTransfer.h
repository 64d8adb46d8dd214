#pragma once

#include "link/DriveLink.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

namespace vk {

// The walks of the bulk read and the bulk write, for the window and vk785n
// alike; what a caller adds (its reply rule, progress, reports) comes in
// through the callbacks.

// Asks for each number in turn and hands each reply on; returns the first
// number ask has no reply for, nullopt when every one answered.
std::optional<int> readEach(std::span<const int> numbers,
                            const std::function<std::optional<std::string>(int number)>& ask,
                            const std::function<void(int number, const std::string& reply)>& take);

// Where a bulk write stopped: at a number the line had no room for, or one
// whose write failed.
struct WriteStop {
    int number = 0;
    bool noRoom = false;
};

inline constexpr std::uint32_t kWriteRoomBytes = 10;
inline constexpr Budget kWriteRoomBudget{5000};

// Visits each number in turn: waits for output room, then writes the value
// valueOf gives, if it gives one; nullopt when every visit went through.
// Exceptions of valueOf pass through, after the numbers before it were written.
std::optional<WriteStop> writeEach(DriveLink& link, std::span<const int> numbers,
                                   const std::function<std::optional<std::int32_t>(int number)>& valueOf,
                                   const std::function<bool(int number, std::int32_t value)>& write);

}  // namespace vk
