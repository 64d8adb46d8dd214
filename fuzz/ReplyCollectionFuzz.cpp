// The line exchange and the driver commands over a port whose every answer,
// delay and read failure comes from the input. Whatever arrives, a reply is made
// of bytes that really came after its command, is no longer than its cut, and
// every wait ends close to its budget.

#include "fuzz/FuzzSupport.h"
#include "fuzz/FuzzedSerialPort.h"
#include "link/DriveCommands.h"
#include "link/DriveLink.h"

#include <algorithm>
#include <memory>

namespace vk::fuzz {
namespace {

constexpr Tick kSendRoomBudgetMs = 1000;
constexpr Tick kReplyBudgetMs = 10000;
constexpr Tick kAckBudgetMs = 2000;
constexpr Tick kLongestBudgetMs = 20000;
// A wait notices its deadline one tick after it.
constexpr Tick kOvershootMs = 1;

enum class Exchange {
    CollectReply,
    AwaitChar,
    QueryStatus,
    ReadParameter,
    WriteParameter,
    SaveParam,
    kMaxValue = SaveParam
};

bool isSubsequence(std::string_view part, std::string_view whole)
{
    auto next = whole.begin();
    for (const char c : part) {
        next = std::find(next, whole.end(), c);
        if (next == whole.end())
            return false;
        ++next;
    }
    return true;
}

class Exchanges {
public:
    Exchanges(const std::uint8_t* data, std::size_t size) : input_(data, size) { link_.OpenPort(); }

    bool inputLeft() { return input_.remaining_bytes() > 0; }

    void runOne()
    {
        start_ = clock_.tickMs();
        before_ = port_->now();
        switch (input_.ConsumeEnum<Exchange>()) {
        case Exchange::CollectReply: return collectReply();
        case Exchange::AwaitChar: return awaitChar();
        case Exchange::QueryStatus: return queryStatus();
        case Exchange::ReadParameter: return readParameter();
        case Exchange::WriteParameter: return writeParameter();
        case Exchange::SaveParam: return saveParam();
        }
    }

private:
    void collectReply()
    {
        const Tick budget = input_.ConsumeIntegralInRange<Tick>(0, kLongestBudgetMs);
        const Reply reply = link_.CollectReply(Budget(budget), input_.ConsumeBool());
        checkWaitedAtMost(budget + kOvershootMs);
        // A time-out keeps what came before it, within the reply's limit; a failed read nothing.
        if (reply.outcome != ReplyOutcome::Complete) {
            FUZZ_CHECK(reply.outcome == ReplyOutcome::TimedOut ? reply.text.size() <= LinkState::kReplyLineChars
                                                               : reply.text.empty());
            return;
        }
        // Complete means the last byte taken was the line's CR.
        FUZZ_CHECK(port_->delivered().size() > before_.read && port_->delivered().back() == '\r');
        checkReplyText(reply.text);
    }

    void awaitChar()
    {
        const Tick budget = input_.ConsumeIntegralInRange<Tick>(0, kLongestBudgetMs);
        link_.AwaitChar(Budget(budget));
        checkWaitedAtMost(budget + kOvershootMs);
        const LinkState& state = link_.state();
        if (state.TimedOut) {
            FUZZ_CHECK(state.AckChar == '?');
            return;
        }
        FUZZ_CHECK(port_->delivered().size() > before_.read && state.AckChar == port_->delivered().back());
    }

    void queryStatus()
    {
        const StatusReply status = vk::queryStatus(link_);
        checkWaitedAtMost(kSendRoomBudgetMs + kReplyBudgetMs + 2 * kOvershootMs);
        if (status.text)
            checkReplyText(*status.text);
        else
            FUZZ_CHECK(status.status == -1);
    }

    void readParameter()
    {
        const auto text = vk::readParameter(link_, input_.ConsumeIntegralInRange(0, 31));
        checkWaitedAtMost(kSendRoomBudgetMs + kReplyBudgetMs + 2 * kOvershootMs);
        if (text)
            checkReplyText(*text);
    }

    void writeParameter()
    {
        const int number = input_.ConsumeIntegralInRange(0, 31);
        const bool acknowledged = vk::writeParameter(link_, number, input_.ConsumeIntegral<std::int32_t>());
        checkWaitedAtMost(kSendRoomBudgetMs + kAckBudgetMs + kReplyBudgetMs + 3 * kOvershootMs);
        FUZZ_CHECK(!acknowledged || answerBytes().find('.') != std::string_view::npos);
    }

    void saveParam()
    {
        const bool acknowledged = vk::SaveParam(link_);
        checkWaitedAtMost(kSendRoomBudgetMs + kReplyBudgetMs + 2 * kOvershootMs);
        FUZZ_CHECK(!acknowledged || answerBytes().find('.') != std::string_view::npos);
    }

    // The bytes an answer may be made of: those that came after its command went
    // out, as the link drops what came before, even when a failed read kept it
    // from dropping them at once; with no command sent, those read in this exchange.
    std::string_view answerBytes() const
    {
        const FuzzedSerialPort::Mark& command = port_->lastWrite();
        const std::size_t first = command.writes > before_.writes ? command.arrived : before_.read;
        return std::string_view(port_->delivered()).substr(std::min(first, port_->delivered().size()));
    }

    void checkReplyText(const std::string& text) const
    {
        FUZZ_CHECK(text.size() <= LinkState::kReplyLineChars);
        FUZZ_CHECK(text.find('\0') == std::string::npos);
        FUZZ_CHECK(isSubsequence(text, answerBytes()));
    }

    void checkWaitedAtMost(Tick ms) { FUZZ_CHECK(clock_.tickMs() - start_ <= ms); }

    FuzzedDataProvider input_;
    test::FakeClock clock_;
    FuzzedSerialPort* port_ = nullptr;
    DriveLink link_{clock_,
                    [this](const std::string&) {
                        auto port = std::make_unique<FuzzedSerialPort>(clock_, input_);
                        port_ = port.get();
                        return port;
                    },
                    DeviceMap{}};
    Tick start_ = 0;
    FuzzedSerialPort::Mark before_;
};

}  // namespace
}  // namespace vk::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    vk::fuzz::Exchanges exchanges(data, size);
    while (exchanges.inputLeft())
        exchanges.runOne();
    return 0;
}
