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

bool writeWhole(const std::filesystem::path& file, const std::vector<std::string>& lines)
{
    std::filesystem::path temp = file;
    temp += ".new";
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
    std::filesystem::rename(temp, file, ec);
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
