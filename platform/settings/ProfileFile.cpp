#include "platform/settings/ProfileFile.h"

#include "platform/ReplacedFile.h"
#include "platform/settings/FileAccess.h"
#include "platform/settings/TextOps.h"

#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace vk {
namespace {

using settings_text::lowered;
using settings_text::trimmed;

struct Line {
    std::string text;
    std::string end;  // "\r\n", "\n" or a CR alone
};

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

// New lines end as the file's first line does.
std::string lineEnd(const std::vector<Line>& lines)
{
    return lines.empty() ? "\n" : lines.front().end;
}

// Lines as any platform ends them, each with its own end, so lines left alone
// are written back byte for byte; an unended last line gets the file's end.
std::vector<Line> splitLines(std::string_view bytes)
{
    std::vector<Line> lines;
    while (!bytes.empty()) {
        const auto stop = bytes.find_first_of("\r\n");
        if (stop == std::string_view::npos) {
            lines.push_back({std::string(bytes), lineEnd(lines)});
            break;
        }
        const std::size_t endSize = bytes.substr(stop, 2) == "\r\n" ? 2 : 1;
        lines.push_back({std::string(bytes.substr(0, stop)), std::string(bytes.substr(stop, endSize))});
        bytes.remove_prefix(stop + endSize);
    }
    return lines;
}

std::string joinLines(const std::vector<Line>& lines)
{
    std::string text;
    for (const auto& line : lines)
        text.append(line.text).append(line.end);
    return text;
}

void setKey(std::vector<Line>& lines, const std::string& section, const std::string& entry, std::string_view key)
{
    bool inSection = false;
    std::size_t insertAt = lines.size();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (auto name = sectionName(lines[i].text)) {
            if (inSection)
                break;
            inSection = sameName(*name, section);
            if (inSection)
                insertAt = i + 1;
            continue;
        }
        if (!inSection)
            continue;
        if (isKeyLine(lines[i].text, key)) {
            lines[i].text = entry;
            return;
        }
        if (!trimmed(lines[i].text).empty())
            insertAt = i + 1;
    }
    if (insertAt < lines.size() || inSection) {
        // The end of the line before: a CR alone there is never followed by
        // an LF, so the new line cannot join an empty LF line after it.
        const Line added{entry, lines[insertAt - 1].end};
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), added);
        return;
    }
    const std::string end = lineEnd(lines);
    lines.push_back({"[" + section + "]", end});
    lines.push_back({entry, end});
}

bool isOneLine(std::string_view s)
{
    return s.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

// Whether the entry reads back as written: a line break or NUL would cut it,
// '=' in the key would move the split, and a bracketed entry is a section.
bool storable(const std::string& section, std::string_view key, const std::string& entry)
{
    return isOneLine(section) && isOneLine(entry) && key.find('=') == std::string_view::npos && !sectionName(entry);
}

// The file written whole or not at all, keeping its permissions.
bool writeWhole(const std::filesystem::path& target, const std::string& text)
{
    std::string problem;
    std::optional<ReplacedFile> file = ReplacedFile::prepare(target, problem);
    return file && file->commit(text, problem);
}

bool isComment(std::string_view line)
{
    line = trimmed(line);
    return line.starts_with(';') || line.starts_with('#');
}

}  // namespace

std::vector<ProfileEntry> readProfileSection(const std::filesystem::path& file, const std::string& section)
{
    std::vector<ProfileEntry> entries;
    const auto lines = splitLines(readWhole(file).value_or(""));
    bool inSection = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view text = lines[i].text;
        if (const auto name = sectionName(text)) {
            inSection = sameName(*name, trimmed(section));
            continue;
        }
        const auto eq = text.find('=');
        if (!inSection || isComment(text) || eq == std::string_view::npos)
            continue;
        entries.push_back({std::string(trimmed(text.substr(0, eq))), std::string(trimmed(text.substr(eq + 1))),
                           static_cast<int>(i) + 1});
    }
    return entries;
}

bool writeProfileString(const std::filesystem::path& file, const std::string& section, const std::string& key,
                        const std::string& value)
{
    const std::string sectionTrimmed(trimmed(section));
    const std::string_view keyTrimmed = trimmed(key);
    const std::string entry = std::string(keyTrimmed) + "=" + value;
    if (!storable(sectionTrimmed, keyTrimmed, entry))
        return false;
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    const auto target = linkTarget(file);
    if (!target || !mayWrite(*target))
        return false;
    const auto bytes = readWhole(*target);
    // A NUL says the text is not 8-bit (UTF-16 without a mark, say): lines
    // added in ASCII would damage it.
    if (!bytes || bytes->find('\0') != std::string::npos)
        return false;
    auto lines = splitLines(*bytes);
    setKey(lines, sectionTrimmed, entry, keyTrimmed);
    return writeWhole(*target, joinLines(lines));
}

}  // namespace vk
