#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vk {

// The file a path stands for: links are followed, dangling ones too, so a
// link stays a link. nullopt for a loop or too long a chain.
std::optional<std::filesystem::path> linkTarget(std::filesystem::path file);

// A file replaced whole or not at all: the text goes to a temporary beside
// it, synced, renamed over it and the folder synced, so that a power loss
// leaves the old file or the new one, never a part. The new file keeps the
// old one's permissions.
class ReplacedFile {
public:
    // Checks the target before any work is done for it: a link is written
    // through to the file it names; a device, FIFO or folder is refused.
    // Creates the temporary, clearing those that killed runs left. nullopt
    // with `problem` set when the file cannot be written.
    static std::optional<ReplacedFile> prepare(const std::filesystem::path& path, std::string& problem);

    ReplacedFile(ReplacedFile&& other) noexcept;
    ReplacedFile& operator=(ReplacedFile&&) = delete;
    ReplacedFile(const ReplacedFile&) = delete;
    ReplacedFile& operator=(const ReplacedFile&) = delete;
    ~ReplacedFile();  // removes the temporary unless committed

    // Puts the text in place of the target; false with `problem` set when a
    // step failed, the target then left as it was.
    bool commit(std::string_view text, std::string& problem);

    const std::filesystem::path& target() const { return target_; }

private:
    ReplacedFile(std::filesystem::path target, std::filesystem::path temporary, int fd);

    std::filesystem::path target_;
    std::filesystem::path temporary_;
    int fd_ = -1;
};

}  // namespace vk
