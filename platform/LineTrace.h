#pragma once

#include <chrono>
#include <filesystem>
#include <mutex>
#include <string_view>
#include <system_error>

namespace vk {

// Every byte that crosses a serial line, written to a file as it happens: one
// line per write and per read, with the milliseconds since the trace began,
// the device, the direction, the bytes as text and in hexadecimal:
//      12.345 /dev/ttyUSB0 tx 31\r                    33 31 0D
// Each line is one write to the file, unbuffered, so a crash or a kill keeps
// every line before it; lines of several drives never mix within a line.
// A trace that cannot be written never stops the exchange it watches: the
// failure is kept for error() and close() to tell.
class LineTrace {
public:
    // Creates or empties the file; throws std::system_error when it cannot.
    // Never waits: a FIFO no program reads is refused at once (ENXIO).
    explicit LineTrace(const std::filesystem::path& file);
    ~LineTrace();
    LineTrace(const LineTrace&) = delete;
    LineTrace& operator=(const LineTrace&) = delete;

    // direction: "tx" for bytes sent, "rx" for bytes received.
    void record(std::string_view device, std::string_view direction, std::string_view bytes);

    // The first failure to write a line or to close the file; empty (no error)
    // while all went well. Safe from several threads.
    std::error_code error() const;
    // Closes the file; returns the first failure of any write or of the close.
    // Later records are dropped.
    std::error_code close();

private:
    mutable std::mutex mutex_;
    int fd_;  // -1 once closed
    std::error_code error_;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace vk
