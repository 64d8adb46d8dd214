#pragma once

#include <filesystem>

namespace vk {

// Whether a settings file may be written: absent (and so creatable), or a
// regular file with a write bit that this user may use. The bits are honoured
// even for root, so a file made read-only by hand is left alone.
bool mayWrite(const std::filesystem::path& file);

}  // namespace vk
