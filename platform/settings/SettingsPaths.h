#pragma once

#include <filesystem>

namespace vk {

// The per-user folder of both settings stores: $XDG_CONFIG_HOME/vk785n,
// or ~/.config/vk785n when XDG_CONFIG_HOME is unset or empty.
std::filesystem::path settingsFolder();

}  // namespace vk
