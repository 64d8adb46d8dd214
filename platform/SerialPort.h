#pragma once

#include "platform/Clock.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace vk {

// One open serial line. The line settings are applied by whoever opens it;
// this is what the exchanges need of it afterwards.
class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Received bytes waiting to be read (0 when the count cannot be had).
    virtual std::uint32_t bytesWaitingIn() = 0;
    // Bytes handed over but not yet sent on the line.
    virtual std::uint32_t bytesWaitingOut() = 0;
    // Reads at most max bytes that are already waiting. Returns the count, or -1 on failure.
    virtual std::ptrdiff_t read(char* buffer, std::size_t max) = 0;
    // Writes all bytes, giving up after timeoutMs. Returns the count written, or -1.
    virtual std::ptrdiff_t write(std::string_view bytes, Tick timeoutMs) = 0;
    // Blocks until a byte is waiting or ms have passed, whichever comes first.
    virtual void waitReadable(Tick ms) = 0;
    // Blocks until the output queue may have drained some, at most ms.
    virtual void waitOutputRoom(Tick ms) = 0;
    // Whether the far end lets us send (CTS); nullopt for a line without modem
    // lines, a pseudo-terminal say.
    virtual std::optional<bool> clearToSend() { return std::nullopt; }
    // Whether the device went away (a USB adapter pulled out, the far end of
    // a pseudo-terminal closed): once true it stays so, and nothing more can pass.
    virtual bool lineLost() const { return false; }
    // Drops what was written but not yet sent, so that releasing the line
    // never waits for bytes it cannot send (CTS low holds them for good).
    virtual void discardUnsentOutput() {}

    // Reads and drops every byte waiting at this moment; one arriving meanwhile stays.
    void dropWaitingInput();
};

// Opens the device at a path for exclusive use with the driver's line settings.
// When it cannot be had it throws PortOpenError saying why, or returns nullptr
// where there is no reason to give.
using PortOpener = std::function<std::unique_ptr<SerialPort>(const std::string& devicePath)>;

}  // namespace vk
