#include "platform/settings/RegistryFile.h"

#include "platform/NumberText.h"
#include "platform/settings/FileAccess.h"
#include "platform/settings/StoredText.h"
#include "platform/settings/TextOps.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>
#include <string_view>
#include <system_error>

namespace vk {
namespace {

using settings_text::lowered;
using settings_text::trimmed;

bool startsWith(std::string_view s, std::string_view prefix)
{
    return s.substr(0, prefix.size()) == prefix;
}

// A quoted text with \" and \\ escapes; the rest of the line must be empty.
std::optional<std::string> quotedText(std::string_view s, std::size_t* consumed)
{
    if (s.empty() || s.front() != '"')
        return std::nullopt;
    std::string out;
    for (std::size_t i = 1; i < s.size(); ++i) {
        if (s[i] == '"') {
            *consumed = i + 1;
            return out;
        }
        if (s[i] == '\\' && i + 1 < s.size())
            ++i;
        out += s[i];
    }
    return std::nullopt;
}

std::optional<std::vector<std::uint8_t>> hexBytes(std::string_view s)
{
    std::vector<std::uint8_t> bytes;
    std::string token;
    std::istringstream in{std::string(s)};
    while (std::getline(in, token, ',')) {
        auto b = parseDigits(trimmed(token), 16);
        if (!b || *b > 0xFF)
            return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(*b));
    }
    return bytes;
}

std::optional<RegValue> parseData(std::string_view data)
{
    if (startsWith(data, "\"")) {
        std::size_t used = 0;
        auto text = quotedText(data, &used);
        if (!text || !trimmed(data.substr(used)).empty())
            return std::nullopt;
        RegValue v{kRegSz, {text->begin(), text->end()}};
        v.data.push_back(0);
        return v;
    }
    if (startsWith(data, "dword:")) {
        auto n = data.size() <= 14 ? parseDigits(data.substr(6), 16) : std::nullopt;
        if (!n)
            return std::nullopt;
        return RegValue{kRegDword,
                        {std::uint8_t(*n), std::uint8_t(*n >> 8), std::uint8_t(*n >> 16), std::uint8_t(*n >> 24)}};
    }
    std::uint32_t type = kRegBinary;
    if (startsWith(data, "hex(")) {
        auto close = data.find("):");
        auto t = close == std::string_view::npos ? std::nullopt : parseDigits(data.substr(4, close - 4), 16);
        if (!t)
            return std::nullopt;
        type = *t;
        data.remove_prefix(close + 2);
    } else if (startsWith(data, "hex:")) {
        data.remove_prefix(4);
    } else {
        return std::nullopt;
    }
    auto bytes = hexBytes(data);
    if (!bytes)
        return std::nullopt;
    return RegValue{type, std::move(*bytes)};
}

// Joins lines continued with a trailing backslash, as exports wrap long hex
// data. Only a line's own backslash continues it, so a blank line always ends
// a continuation.
std::vector<std::string> logicalLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    bool continued = false;
    for (std::string line; std::getline(in, line);) {
        std::string_view piece = trimmed(line);
        const bool continues = !piece.empty() && piece.back() == '\\';
        if (continues)
            piece.remove_suffix(1);
        if (continued)
            lines.back() += piece;
        else
            lines.emplace_back(piece);
        continued = continues;
    }
    return lines;
}

// CR LF when the text's first line ends so, as in exports made on Windows.
std::string_view lineEndOf(std::string_view text)
{
    const auto lf = text.find('\n');
    return lf != std::string_view::npos && lf > 0 && text[lf - 1] == '\r' ? "\r\n" : "\n";
}

// What adding a key appends: a header for a file without text, an end for an
// unended last line, and a blank line, so the key never continues the line
// before it.
std::string keyAddition(std::string_view text, const std::string& keyPath)
{
    const std::string_view end = lineEndOf(text);
    std::string added;
    if (text.empty())
        added.append("REGEDIT4").append(end);
    else if (text.back() != '\n')
        added.append(end);
    added.append(end).append("[").append(keyPath).append("]").append(end);
    return added;
}

bool append(const std::filesystem::path& file, const std::string& bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::app);
    out << bytes;
    out.flush();
    return static_cast<bool>(out);
}

}  // namespace

RegistryFile RegistryFile::parse(std::string_view bytes)
{
    RegistryFile reg;
    Values* current = nullptr;
    for (const std::string& line : logicalLines(decodeText(bytes).text)) {
        if (startsWith(line, "[") && line.back() == ']') {
            current = &reg.keys_[lowered(std::string_view(line).substr(1, line.size() - 2))];
            continue;
        }
        std::size_t used = 0;
        auto name = current ? quotedText(line, &used) : std::nullopt;
        if (!name || used >= line.size() || line[used] != '=')
            continue;
        if (auto v = parseData(trimmed(std::string_view(line).substr(used + 1))))
            (*current)[lowered(*name)] = std::move(*v);
    }
    return reg;
}

RegistryFile RegistryFile::read(const std::filesystem::path& file)
{
    return parse(readWhole(file).value_or(""));
}

bool RegistryFile::hasKey(const std::string& keyPath) const
{
    return keys_.count(lowered(keyPath)) != 0;
}

std::optional<RegValue> RegistryFile::value(const std::string& keyPath, const std::string& name) const
{
    auto key = keys_.find(lowered(keyPath));
    if (key == keys_.end())
        return std::nullopt;
    auto v = key->second.find(lowered(name));
    if (v == key->second.end())
        return std::nullopt;
    return v->second;
}

bool RegistryFile::createKey(const std::filesystem::path& file, const std::string& keyPath)
{
    const auto bytes = readWhole(file);
    if (bytes && parse(*bytes).hasKey(keyPath))
        return true;
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    if (!bytes || !mayWrite(file))
        return false;
    const StoredText stored = decodeText(*bytes);
    const auto added = encodeText(keyAddition(stored.text, keyPath), stored.form);
    // A key path that would not read back (a line break in it) is refused
    // rather than written.
    if (!added || !parse(*bytes + *added).hasKey(keyPath))
        return false;
    return append(file, *added);
}

}  // namespace vk
