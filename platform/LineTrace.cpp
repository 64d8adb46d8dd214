#include "platform/LineTrace.h"

#include "platform/EscapedBytes.h"

#include <cerrno>
#include <cstdio>
#include <string>
#include <system_error>

namespace vk {
namespace {

// Wide enough for a command or a reply of the driver, so the hex columns line up.
constexpr int kTextColumn = 24;

std::string hexBytes(std::string_view bytes)
{
    std::string hex;
    char pair[4];
    for (const char c : bytes) {
        std::snprintf(pair, sizeof pair, " %02X", static_cast<unsigned>(static_cast<unsigned char>(c)));
        hex += pair;
    }
    return hex;
}

}  // namespace

LineTrace::LineTrace(const std::filesystem::path& file) : file_(std::fopen(file.string().c_str(), "wb"))
{
    if (file_ == nullptr)
        throw std::system_error(errno, std::generic_category(), file.string());
    // Unbuffered: each line goes to the file whole as it is recorded.
    std::setvbuf(file_, nullptr, _IONBF, 0);
}

LineTrace::~LineTrace()
{
    std::fclose(file_);
}

void LineTrace::record(std::string_view device, std::string_view direction, std::string_view bytes)
{
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_).count();
    char time[32];
    std::snprintf(time, sizeof time, "%10.3f ", ms);
    std::string text = escapedBytes(bytes);
    text.resize(std::max<std::size_t>(text.size(), kTextColumn), ' ');
    const std::string line = time + std::string(device) + " " + std::string(direction) + " " + text + hexBytes(bytes) + "\n";
    // A trace that cannot be written must not stop the exchange it watches.
    std::fwrite(line.data(), 1, line.size(), file_);
}

}  // namespace vk
