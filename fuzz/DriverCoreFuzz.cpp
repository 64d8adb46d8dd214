// The simulated driver's command handling: the first input bytes choose its
// faults and how the line is cut, the rest reaches it in pieces, played several
// times as a driver that runs for hours would see it. An answer needs a command that was sent, the memory
// changes only by a write, a silent command changes nothing, and the memory in use
// stops growing once the input has been seen.

#include "fuzz/FuzzSupport.h"
#include "sim/DriverCore.h"

#include <fuzzer/FuzzedDataProvider.h>
#include <sanitizer/allocator_interface.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace vk::fuzz {
namespace {

using sim::DriverCore;

constexpr std::size_t kChoiceBytes = 13;
constexpr int kRounds = 8;
constexpr int kSettledRounds = 2;  // by then every buffer has reached the size the input needs
constexpr std::size_t kGrowthSlackBytes = 256;
constexpr std::size_t kLongestAnswer = 13;  // "-2147483648\r\n"

sim::SimFaults faultsFrom(FuzzedDataProvider& choices)
{
    sim::SimFaults faults;
    faults.silent = choices.ConsumeBool();
    faults.silentFrom = choices.ConsumeIntegralInRange(-1, DriverCore::kParameterCount);
    faults.ackChar = choices.ConsumeBool() ? choices.ConsumeIntegral<char>() : '.';
    faults.ackCharFrom = choices.ConsumeIntegralInRange(0, DriverCore::kParameterCount);
    faults.ackOnly = choices.ConsumeBool();
    faults.crlf = choices.ConsumeBool();
    faults.garbage = choices.ConsumeBool();
    faults.batches = choices.ConsumeIntegralInRange(1, 4);
    faults.paced = choices.ConsumeBool();
    faults.storesWrong = choices.ConsumeIntegralInRange(-1, kStatusNumber - 1);
    return faults;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The two-digit number a command line starts with, or -1.
int numberOf(const std::string& line)
{
    return line.size() >= 2 && isDigit(line[0]) && isDigit(line[1]) ? (line[0] - '0') * 10 + (line[1] - '0') : -1;
}

bool isCommand(const std::string& line)
{
    const int number = numberOf(line);
    return line == "$S" || (number >= 0 && number < DriverCore::kParameterCount);
}

bool writes(const std::vector<std::string>& lines, int number)
{
    const auto writesNumber = [number](const std::string& line) {
        return numberOf(line) == number && line.size() > 2 && line[2] == '=';
    };
    return std::any_of(lines.begin(), lines.end(), writesNumber);
}

std::array<std::int32_t, DriverCore::kParameterCount> memoryOf(const DriverCore& driver)
{
    std::array<std::int32_t, DriverCore::kParameterCount> memory{};
    for (int number = 0; number < DriverCore::kParameterCount; ++number)
        memory[static_cast<std::size_t>(number)] = driver.parameter(number);
    return memory;
}

void checkPiece(DriverCore& driver, std::string_view piece)
{
    const auto memoryBefore = memoryOf(driver);
    const int savesBefore = driver.saveCount();
    const std::vector<sim::ReplyBatch> batches = driver.receive(piece);
    const std::vector<std::string>& sent = driver.commands();

    std::size_t answered = 0;
    std::uint64_t lastDelayUs = 0;
    for (const auto& batch : batches) {
        FUZZ_CHECK(!batch.bytes.empty() && batch.delayUs >= lastDelayUs);
        answered += batch.bytes.size();
        lastDelayUs = batch.delayUs;
    }
    const auto commands = static_cast<std::size_t>(std::count_if(sent.begin(), sent.end(), isCommand));
    FUZZ_CHECK(answered <= kLongestAnswer * commands);

    const auto memoryAfter = memoryOf(driver);
    for (int number = 0; number < DriverCore::kParameterCount; ++number) {
        if (memoryAfter[static_cast<std::size_t>(number)] != memoryBefore[static_cast<std::size_t>(number)])
            FUZZ_CHECK(number != kStatusNumber && writes(sent, number) && answered > 0);
    }
    if (driver.saveCount() != savesBefore)
        FUZZ_CHECK(std::count(sent.begin(), sent.end(), "$S") > 0 && answered > 0);
    driver.forgetCommands();
}

}  // namespace
}  // namespace vk::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vk::fuzz;
    const std::size_t choiceBytes = std::min(size, kChoiceBytes);
    FuzzedDataProvider choices(data, choiceBytes);
    const std::size_t pieceSize = choices.ConsumeIntegralInRange<std::size_t>(1, 64);
    DriverCore driver(faultsFrom(choices));
    const std::string_view sent(reinterpret_cast<const char*>(data) + choiceBytes, size - choiceBytes);

    std::size_t settledBytes = 0;
    for (int round = 1; round <= kRounds; ++round) {
        for (std::size_t at = 0; at < sent.size(); at += pieceSize)
            checkPiece(driver, sent.substr(at, pieceSize));
        const std::size_t inUse = __sanitizer_get_current_allocated_bytes();
        if (round == kSettledRounds)
            settledBytes = inUse;
        if (round > kSettledRounds)
            FUZZ_CHECK(inUse <= settledBytes + kGrowthSlackBytes);
    }
    return 0;
}
