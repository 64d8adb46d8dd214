#pragma once

#include "platform/Clock.h"
#include "platform/SerialPort.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace vk {

// Bytes waiting in each direction, as last read from the port.
struct QueueStatus {
    std::uint32_t cbInQue = 0;
    std::uint32_t cbOutQue = 0;
};

enum class LinkPhase { Closed, Open, Failed };

// The one record of the serial link, alive for the whole run.
struct LinkState {
    static constexpr std::uint32_t kQueueSize = 1024;
    static constexpr std::size_t kReceiveBufferSize = 128;
    static constexpr std::size_t kLinePieceChars = 63;
    static constexpr std::size_t kReplyLineChars = 64;

    std::int32_t PortNumber = 0;
    LinkPhase phase = LinkPhase::Closed;
    std::unique_ptr<SerialPort> port;
    QueueStatus queueStatus;

    // Input from before the last command that its drop could not read (a read
    // failed): skipped before any byte counts as the reply.
    std::uint32_t StaleBytes = 0;

    std::string OutgoingLine;
    Tick ReplyDeadline = 0;
    bool TimedOut = false;
    std::array<char, kReceiveBufferSize> ReceiveBuffer{};
    char AckChar = '\0';
};

}  // namespace vk
