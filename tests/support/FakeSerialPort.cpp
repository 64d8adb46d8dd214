#include "tests/support/FakeSerialPort.h"

#include "sim/DriverCore.h"

#include <algorithm>
#include <cstring>

namespace vk::test {

void FakeSerialPort::arrive(Tick at, std::string bytes)
{
    auto later = std::find_if(pending_.begin(), pending_.end(), [at](const Arrival& a) { return a.at > at; });
    pending_.insert(later, Arrival{at, std::move(bytes)});
}

void FakeSerialPort::attachDriver(sim::DriverCore& driver)
{
    setResponder([&driver](FakeSerialPort& port, const std::string& written) {
        for (const auto& batch : driver.receive(written))
            port.arriveIn((batch.delayUs + 999) / 1000, batch.bytes);
    });
}

std::string FakeSerialPort::written() const
{
    std::string all;
    for (const auto& w : writes_)
        all += w.bytes;
    return all;
}

void FakeSerialPort::takeArrivals()
{
    while (!pending_.empty() && pending_.front().at <= clock_.tickMs()) {
        queued_ += pending_.front().bytes;
        pending_.pop_front();
    }
}

std::uint32_t FakeSerialPort::bytesWaitingIn()
{
    takeArrivals();
    return static_cast<std::uint32_t>(queued_.size());
}

std::uint32_t FakeSerialPort::bytesWaitingOut()
{
    return clock_.tickMs() < heldUntil_ ? heldOut_ : 0;
}

std::ptrdiff_t FakeSerialPort::read(char* buffer, std::size_t max)
{
    if (failReads_ || lost_)
        return -1;
    takeArrivals();
    const std::size_t n = std::min(max, queued_.size());
    std::memcpy(buffer, queued_.data(), n);
    queued_.erase(0, n);
    return static_cast<std::ptrdiff_t>(n);
}

std::ptrdiff_t FakeSerialPort::write(std::string_view bytes, Tick /*timeoutMs*/)
{
    if (lost_)
        return -1;
    writes_.push_back(Write{clock_.tickMs(), std::string(bytes)});
    if (responder_)
        responder_(*this, writes_.back().bytes);
    return static_cast<std::ptrdiff_t>(bytes.size());
}

void FakeSerialPort::waitReadable(Tick ms)
{
    takeArrivals();
    if (!queued_.empty())
        return;
    Tick until = clock_.tickMs() + ms;
    if (!pending_.empty())
        until = std::min(until, pending_.front().at);
    clock_.advanceTo(until);
}

void FakeSerialPort::waitOutputRoom(Tick ms)
{
    Tick until = clock_.tickMs() + ms;
    if (clock_.tickMs() < heldUntil_)
        until = std::min(until, heldUntil_);
    clock_.advanceTo(until);
}

}  // namespace vk::test
