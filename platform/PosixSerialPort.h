#pragma once

#include "platform/SerialPort.h"

#include <memory>
#include <string>

namespace vk {

// A serial device of a POSIX system, held for exclusive use until destroyed.
class PosixSerialPort final : public SerialPort {
public:
    // Opens and configures the device: 9600 8N1, raw, RTS/CTS and XON/XOFF,
    // DTR raised, and drops the input that was waiting. Throws PortOpenError
    // when the device is missing, not ours to open, held by another opener,
    // or no terminal.
    static std::unique_ptr<PosixSerialPort> open(const std::string& path);
    ~PosixSerialPort() override;

    PosixSerialPort(const PosixSerialPort&) = delete;
    PosixSerialPort& operator=(const PosixSerialPort&) = delete;

    std::uint32_t bytesWaitingIn() override;
    std::uint32_t bytesWaitingOut() override;
    std::ptrdiff_t read(char* buffer, std::size_t max) override;
    std::ptrdiff_t write(std::string_view bytes, Tick timeoutMs) override;
    void waitReadable(Tick ms) override;
    void waitOutputRoom(Tick ms) override;
    std::optional<bool> clearToSend() override;
    bool lineLost() const override { return lost_; }
    void discardUnsentOutput() override;

private:
    explicit PosixSerialPort(int fd) : fd_(fd) {}
    void configureLine();
    // Notes a failure that says the device is gone; the result passes through.
    int noteLoss(int result);
    std::uint32_t queueCount(unsigned long request);

    int fd_ = -1;
    bool lost_ = false;
};

std::unique_ptr<SerialPort> openPosixSerialPort(const std::string& path);

}  // namespace vk
