#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vk {

// Value types as the registry numbers them.
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;

struct RegValue {
    std::uint32_t type = kRegSz;
    std::vector<std::uint8_t> data;  // as stored: text with its NUL, DWORD little-endian
};

// A per-user registry kept as a text file in the form of a registry export
// (REGEDIT4, or UTF-16LE as the Windows registry editor exports). Key paths and
// value names compare without regard to case, as the registry does. Lines it
// does not understand are passed over, never dropped from the file: the only
// write is appending a missing key.
class RegistryFile {
public:
    // The keys and values of the file; an absent file reads as an empty registry.
    static RegistryFile read(const std::filesystem::path& file);

    bool hasKey(const std::string& keyPath) const;
    std::optional<RegValue> value(const std::string& keyPath, const std::string& name) const;

    // Makes sure the key exists in the file, creating the file and its folder
    // if needed; an added key is stored in the file's own encoding and line
    // ends. False when it can be neither found nor added so that it reads back,
    // and then the file is left as it was.
    static bool createKey(const std::filesystem::path& file, const std::string& keyPath);

private:
    static RegistryFile parse(std::string_view bytes);

    using Values = std::map<std::string, RegValue>;  // by lower-cased name
    std::map<std::string, Values> keys_;             // by lower-cased path
};

}  // namespace vk
