#pragma once

#include <filesystem>
#include <string>
#include <vector>

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

// One key of a section, as a profile file holds it.
struct ProfileEntry {
    std::string key;
    std::string value;
    int line = 0;  // from 1
};

// The keys of one section of an INI file, in file order, names and values
// without the spaces around them; lines that are no KEY=VALUE and ";" or "#"
// comments are passed over. Empty when the file or the section is missing.
std::vector<ProfileEntry> readProfileSection(const std::filesystem::path& file, const std::string& section);

}  // namespace vk
