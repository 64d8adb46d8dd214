#include "params/BulkTransfer.h"

namespace vk {

std::optional<int> readEach(std::span<const int> numbers,
                            const std::function<std::optional<std::string>(int number)>& ask,
                            const std::function<void(int number, const std::string& reply)>& take)
{
    for (const int number : numbers) {
        const std::optional<std::string> reply = ask(number);
        if (!reply)
            return number;
        take(number, *reply);
    }
    return std::nullopt;
}

// Room is waited for before every number visited, one without a value too:
// the window's Send walks 0..25 and has always waited so (a queue full after
// 23 fails its Send at 24), while vk785n visits only the numbers it writes.
std::optional<WriteStop> writeEach(DriveLink& link, std::span<const int> numbers,
                                   const std::function<std::optional<std::int32_t>(int number)>& valueOf,
                                   const std::function<bool(int number, std::int32_t value)>& write)
{
    for (const int number : numbers) {
        if (!link.awaitOutputRoom(kWriteRoomBytes, kWriteRoomBudget))
            return WriteStop{number, true};
        const std::optional<std::int32_t> value = valueOf(number);
        if (value && !write(number, *value))
            return WriteStop{number, false};
    }
    return std::nullopt;
}

}  // namespace vk
