#include "platform/settings/ProfileFile.h"

#include "platform/settings/FileAccess.h"
#include "platform/settings/TextOps.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <optional>
#include <string_view>
#include <system_error>
#include <vector>

#include <unistd.h>

namespace vk {
namespace {

using settings_text::lowered;
using settings_text::trimmed;

bool sameName(std::string_view a, std::string_view b)
{
    return lowered(a) == lowered(b);
}

std::optional<std::string_view> sectionName(std::string_view line)
{
    line = trimmed(line);
    if (line.size() < 2 || line.front() != '[' || line.back() != ']')
        return std::nullopt;
    return trimmed(line.substr(1, line.size() - 2));
}

bool isKeyLine(std::string_view line, std::string_view key)
{
    auto eq = line.find('=');
    return eq != std::string_view::npos && sameName(trimmed(line.substr(0, eq)), key);
}

std::vector<std::string> readLines(const std::filesystem::path& file)
{
    std::vector<std::string> lines;
    std::ifstream in(file, std::ios::binary);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// Keeps a file's CR LF line ends when its lines carry them.
std::string lineEnd(const std::vector<std::string>& lines)
{
    return !lines.empty() && !lines.front().empty() && lines.front().back() == '\r' ? "\r" : "";
}

void setKey(std::vector<std::string>& lines, const std::string& section, const std::string& key,
            const std::string& value)
{
    const std::string entry = key + "=" + value + lineEnd(lines);
    bool inSection = false;
    std::size_t insertAt = lines.size();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (auto name = sectionName(lines[i])) {
            if (inSection)
                break;
            inSection = sameName(*name, section);
            if (inSection)
                insertAt = i + 1;
            continue;
        }
        if (!inSection)
            continue;
        if (isKeyLine(lines[i], key)) {
            lines[i] = entry;
            return;
        }
        if (!trimmed(lines[i]).empty())
            insertAt = i + 1;
    }
    if (insertAt < lines.size() || inSection) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), entry);
        return;
    }
    lines.push_back("[" + section + "]" + lineEnd(lines));
    lines.push_back(entry);
}

// The file a path stands for: a link is followed, so the link stays a link.
std::filesystem::path targetOf(const std::filesystem::path& file)
{
    std::error_code ec;
    const auto target = std::filesystem::canonical(file, ec);
    return ec ? file : target;
}

// Writes beside the file and renames over it, so a failed write never leaves
// half a file; the file keeps its permissions.
bool writeWhole(const std::filesystem::path& file, const std::vector<std::string>& lines)
{
    const std::filesystem::path target = targetOf(file);
    std::filesystem::path temp = target;
    temp += ".new" + std::to_string(::getpid());
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        for (const auto& line : lines)
            out << line << '\n';
        out.flush();
        if (!out) {
            std::error_code ec;
            std::filesystem::remove(temp, ec);
            return false;
        }
    }
    std::error_code ec;
    if (const auto kept = std::filesystem::status(target, ec); !ec)
        std::filesystem::permissions(temp, kept.permissions(), ec);
    std::filesystem::rename(temp, target, ec);
    if (ec)
        std::filesystem::remove(temp, ec);
    return !ec;
}

}  // namespace

bool writeProfileString(const std::filesystem::path& file, const std::string& section, const std::string& key,
                        const std::string& value)
{
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    if (!mayWrite(file))
        return false;
    auto lines = readLines(file);
    setKey(lines, section, key, value);
    return writeWhole(file, lines);
}

}  // namespace vk
