#include "platform/SerialPort.h"

#include <algorithm>
#include <array>

namespace vk {
namespace {

// Dropped bytes pass through a buffer of this size, as often as needed.
constexpr std::size_t kScratchSize = 132;

}  // namespace

void SerialPort::dropWaitingInput()
{
    std::array<char, kScratchSize> scratch;
    for (std::uint32_t left = bytesWaitingIn(); left > 0;) {
        const std::ptrdiff_t n = read(scratch.data(), std::min<std::size_t>(left, scratch.size()));
        if (n <= 0)
            return;
        left -= static_cast<std::uint32_t>(n);
    }
}

}  // namespace vk
