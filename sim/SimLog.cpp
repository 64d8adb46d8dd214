#include "sim/SimLog.h"

#include <cstdio>
#include <ctime>

namespace vk::sim {

std::string timeOfDay(std::chrono::system_clock::time_point at)
{
    const std::time_t seconds = std::chrono::system_clock::to_time_t(at);
    const auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(at.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", local.tm_hour, local.tm_min, local.tm_sec,
                  static_cast<int>(millis));
    return text;
}

void logLine(std::ostream& out, std::string_view what, std::string_view bytes)
{
    out << timeOfDay(std::chrono::system_clock::now()) << ' ' << what << ' ' << escapedBytes(bytes) << std::endl;
}

}  // namespace vk::sim
