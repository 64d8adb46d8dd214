#include "platform/settings/SettingsPaths.h"

#include <cstdlib>

namespace vk {

namespace {

// A variable's value, or nullptr when it is unset or empty.
const char* variable(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : nullptr;
}

}  // namespace

std::filesystem::path settingsFolder()
{
    if (const char* xdg = variable("XDG_CONFIG_HOME"))
        return std::filesystem::path(xdg) / "vk785n";
#ifdef _WIN32
    // Where Windows keeps a user's settings that roam with the user.
    if (const char* appData = variable("APPDATA"))
        return std::filesystem::path(appData) / "vk785n";
#endif
    const char* home = variable("HOME");
    return std::filesystem::path(home != nullptr ? home : ".") / ".config" / "vk785n";
}

}  // namespace vk
