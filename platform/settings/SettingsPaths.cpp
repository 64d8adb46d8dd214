#include "platform/settings/SettingsPaths.h"

#include <cstdlib>

namespace vk {

std::filesystem::path settingsFolder()
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && *xdg != '\0')
        return std::filesystem::path(xdg) / "vk785n";
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home != nullptr ? home : ".") / ".config" / "vk785n";
}

}  // namespace vk
