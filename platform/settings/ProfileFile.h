#pragma once

#include <filesystem>
#include <string>

namespace vk {

// Sets one key of an INI file the way the platform's profile functions do:
// the key is replaced in place when present, added at the end of its section
// otherwise, and the section appended when missing; every other line stays as
// it was, with its own line end. Section and key names compare without regard
// to case and spaces around them. The file is replaced in one step, so a failed
// write never leaves half a file; a symbolic link is written through, even one
// whose target does not exist yet. False when the file cannot be written, is
// not 8-bit text, or the key and value would not read back as given.
bool writeProfileString(const std::filesystem::path& file, const std::string& section, const std::string& key,
                        const std::string& value);

}  // namespace vk
