#pragma once

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string_view>

namespace vk {

// Every byte that crosses a serial line, written to a file as it happens: one
// line per write and per read, with the milliseconds since the trace began,
// the device, the direction, the bytes as text and in hexadecimal:
//      12.345 /dev/ttyUSB0 tx 31\r                    33 31 0D
// Each line is one write to the file, unbuffered, so a crash or a kill keeps
// every line before it; lines of several drives never mix within a line.
class LineTrace {
public:
    // Creates or empties the file; throws std::system_error when it cannot.
    explicit LineTrace(const std::filesystem::path& file);
    ~LineTrace();
    LineTrace(const LineTrace&) = delete;
    LineTrace& operator=(const LineTrace&) = delete;

    // direction: "tx" for bytes sent, "rx" for bytes received.
    void record(std::string_view device, std::string_view direction, std::string_view bytes);

private:
    std::FILE* file_;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace vk
