#pragma once

#include <filesystem>

namespace vk {

// The per-user folder of the settings files: $XDG_CONFIG_HOME/vk785n, or
// when XDG_CONFIG_HOME is unset or empty %APPDATA%\vk785n on Windows and
// ~/.config/vk785n elsewhere.
std::filesystem::path settingsFolder();

}  // namespace vk
