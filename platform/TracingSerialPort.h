#pragma once

#include "platform/LineTrace.h"
#include "platform/SerialPort.h"

#include <memory>
#include <string>

namespace vk {

// A serial port that hands every byte it writes or reads to a trace on its way.
class TracingSerialPort final : public SerialPort {
public:
    TracingSerialPort(std::unique_ptr<SerialPort> port, std::string device, std::shared_ptr<LineTrace> trace);

    std::uint32_t bytesWaitingIn() override { return port_->bytesWaitingIn(); }
    std::uint32_t bytesWaitingOut() override { return port_->bytesWaitingOut(); }
    std::ptrdiff_t read(char* buffer, std::size_t max) override;
    std::ptrdiff_t write(std::string_view bytes, Tick timeoutMs) override;
    void waitReadable(Tick ms) override { port_->waitReadable(ms); }
    void waitOutputRoom(Tick ms) override { port_->waitOutputRoom(ms); }
    std::optional<bool> clearToSend() override { return port_->clearToSend(); }
    bool lineLost() const override { return port_->lineLost(); }
    void discardUnsentOutput() override { port_->discardUnsentOutput(); }

private:
    std::unique_ptr<SerialPort> port_;
    std::string device_;
    std::shared_ptr<LineTrace> trace_;
};

// The opener's ports, each traced.
PortOpener tracingOpener(PortOpener opener, std::shared_ptr<LineTrace> trace);

}  // namespace vk
