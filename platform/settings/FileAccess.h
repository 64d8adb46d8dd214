#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace vk {

// Whether a settings file may be written: absent (and so creatable), or a
// regular file with a write bit that this user may use. The bits are honoured
// even for root, so a file made read-only by hand is left alone.
bool mayWrite(const std::filesystem::path& file);

// The bytes of a settings file; empty when it does not exist, nullopt when it
// exists but cannot be read (writing it blind would lose what it holds).
std::optional<std::string> readWhole(const std::filesystem::path& file);

}  // namespace vk
