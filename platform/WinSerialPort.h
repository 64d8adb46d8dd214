#pragma once

#include "platform/SerialPort.h"

#include <memory>
#include <optional>
#include <string>

#include <windows.h>

namespace vk {

// A COM port of Windows, held for exclusive use until destroyed.
class WinSerialPort final : public SerialPort {
public:
    // Opens and configures COMn (or \\.\COMn): 9600 8N1, RTS/CTS and XON/XOFF,
    // DTR raised, and drops the input that was waiting. Throws PortOpenError
    // when the port is missing or held by another program.
    static std::unique_ptr<WinSerialPort> open(const std::string& name);
    ~WinSerialPort() override;

    WinSerialPort(const WinSerialPort&) = delete;
    WinSerialPort& operator=(const WinSerialPort&) = delete;

    std::uint32_t bytesWaitingIn() override;
    std::uint32_t bytesWaitingOut() override;
    std::ptrdiff_t read(char* buffer, std::size_t max) override;
    std::ptrdiff_t write(std::string_view bytes, Tick timeoutMs) override;
    void waitReadable(Tick ms) override;
    void waitOutputRoom(Tick ms) override;
    std::optional<bool> clearToSend() override;

private:
    WinSerialPort(HANDLE handle, HANDLE lock) : handle_(handle), lock_(lock) {}
    void configureLine();
    COMSTAT queueStatus();
    // Reads block at most this long for their first byte; 0 returns at once.
    void setReadWait(Tick ms);

    HANDLE handle_;
    HANDLE lock_;  // ours among our programs, see takePortLock
    // A byte a wait took from the port to learn it had come; the next read's first.
    std::optional<char> waited_;
};

}  // namespace vk
