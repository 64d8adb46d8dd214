#pragma once

#include <filesystem>
#include <string>

namespace vk {

// Sets one key of an INI file the way the platform's profile functions do:
// the key is replaced in place when present, added at the end of its section
// otherwise, and the section appended when missing; every other line stays as
// it was. Section and key names compare without regard to case. The file is
// replaced in one step, so a failed write never leaves half a file.
// False when the file cannot be written.
bool writeProfileString(const std::filesystem::path& file, const std::string& section, const std::string& key,
                        const std::string& value);

}  // namespace vk
