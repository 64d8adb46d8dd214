#pragma once

#include "link/DriveCommands.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vk::sim {

// Misbehaviours of a driver, to switch on one by one.
struct SimFaults {
    bool silent = false;   // answers nothing at all
    int silentFrom = -1;   // commands naming a number >= this get no answer (-1: off);
                           // the status query names 31, the save names none
    char ackChar = '.';    // first byte of the answer to writes and saves
    int ackCharFrom = 0;   // ackChar answers writes of numbers >= this; lower ones get "."
    bool ackOnly = false;  // writes and saves answered by the first byte alone
    bool crlf = false;     // reply lines end in CR LF instead of CR
    bool garbage = false;  // reads and status queries answered with text that is no number
    int batches = 1;       // each answer split into this many pieces
    bool paced = false;    // bytes leave at 9600 baud, about 1.04 ms each
    int storesWrong = -1;  // a write of this number is acknowledged but stores the value plus one
    bool echo = false;     // sends back every byte it receives and answers nothing (a loopback)
    int delayMs = 0;       // every answer leaves this late: a slow or a late reply
    int delayFrom = 0;     // only answers to commands naming a number >= this are late;
                           // the save names none and is late only from 0
};

// A piece of an answer and when it leaves, in microseconds after the command ended.
struct ReplyBatch {
    std::uint64_t delayUs = 0;
    std::string bytes;
};

// The driver's side of the protocol: a parameter memory, a status word and the
// four commands, with no I/O of its own.
class DriverCore {
public:
    // Numbers 0 to 31, the status word last.
    static constexpr int kParameterCount = kStatusNumber + 1;
    // A line longer than a driver's receive buffer is dropped whole, unanswered,
    // and recorded as kDroppedLine: its bytes past the limit are never kept.
    static constexpr std::size_t kLineLimit = 64;
    static constexpr std::string_view kDroppedLine = "(line over 64 bytes, dropped)";

    explicit DriverCore(SimFaults faults = {});

    // Takes bytes from the line; returns what the driver sends back for every
    // command they complete.
    std::vector<ReplyBatch> receive(std::string_view bytes);

    // Numbers 0 to 31, 31 being the status word; others throw std::out_of_range.
    std::int32_t parameter(int number) const;
    void setParameter(int number, std::int32_t value);
    std::int32_t statusWord() const { return memory_[kStatusNumber]; }
    void setStatusWord(std::int32_t status) { memory_[kStatusNumber] = status; }
    SimFaults& faults() { return faults_; }
    // Every command line received since the last forgetCommands(), without its
    // CR, oldest first.
    const std::vector<std::string>& commands() const { return commands_; }
    // A driver that runs for hours keeps no history once the lines are logged.
    void forgetCommands() { commands_.clear(); }
    int saveCount() const { return saves_; }

private:
    // One byte of the line under way.
    void take(char byte);
    // The bytes answering one command line; empty when it gets no answer.
    std::string answer(std::string_view line);
    std::string answerRead(int number) const;
    std::string answerWrite(int number, std::string_view text);
    std::string answerSave();
    std::string acknowledgement(char first) const;
    std::string lineEnd() const;
    bool silencedAt(int number) const;
    // When the answer to a line may start, in microseconds after it ended.
    std::uint64_t answerStartUs(std::string_view line) const;
    // Splits an answer into batches starting at startUs; returns when its last byte is out.
    std::uint64_t schedule(const std::string& bytes, std::uint64_t startUs, std::vector<ReplyBatch>& out) const;

    SimFaults faults_;
    std::array<std::int32_t, kParameterCount> memory_{};
    std::string pending_;
    bool overflowed_ = false;  // the line under way went past kLineLimit
    std::vector<std::string> commands_;
    int saves_ = 0;
};

}  // namespace vk::sim
