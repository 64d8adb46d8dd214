#include "platform/TracingSerialPort.h"

namespace vk {

TracingSerialPort::TracingSerialPort(std::unique_ptr<SerialPort> port, std::string device,
                                     std::shared_ptr<LineTrace> trace)
    : port_(std::move(port)), device_(std::move(device)), trace_(std::move(trace))
{
}

std::ptrdiff_t TracingSerialPort::read(char* buffer, std::size_t max)
{
    const std::ptrdiff_t got = port_->read(buffer, max);
    if (got > 0)
        trace_->record(device_, "rx", std::string_view(buffer, static_cast<std::size_t>(got)));
    return got;
}

std::ptrdiff_t TracingSerialPort::write(std::string_view bytes, Tick timeoutMs)
{
    const std::ptrdiff_t sent = port_->write(bytes, timeoutMs);
    if (sent > 0)
        trace_->record(device_, "tx", bytes.substr(0, static_cast<std::size_t>(sent)));
    return sent;
}

PortOpener tracingOpener(PortOpener opener, std::shared_ptr<LineTrace> trace)
{
    return [opener = std::move(opener),
            trace = std::move(trace)](const std::string& device) -> std::unique_ptr<SerialPort> {
        auto port = opener(device);
        if (!port)
            return nullptr;
        return std::make_unique<TracingSerialPort>(std::move(port), device, trace);
    };
}

}  // namespace vk
