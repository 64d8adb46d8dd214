#include "platform/settings/RegistryFile.h"

#include "platform/settings/FileAccess.h"
#include "platform/settings/TextOps.h"

#include <algorithm>
#include <cctype>
#include <charconv>
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

std::optional<std::uint32_t> hexNumber(std::string_view s)
{
    std::uint32_t v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v, 16);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size())
        return std::nullopt;
    return v;
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
        auto b = hexNumber(trimmed(token));
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
        auto n = data.size() <= 14 ? hexNumber(data.substr(6)) : std::nullopt;
        if (!n)
            return std::nullopt;
        return RegValue{kRegDword, {std::uint8_t(*n), std::uint8_t(*n >> 8), std::uint8_t(*n >> 16), std::uint8_t(*n >> 24)}};
    }
    std::uint32_t type = kRegBinary;
    if (startsWith(data, "hex(")) {
        auto close = data.find("):");
        auto t = close == std::string_view::npos ? std::nullopt : hexNumber(data.substr(4, close - 4));
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

// Joins lines continued with a trailing backslash, as exports wrap long hex data.
std::vector<std::string> logicalLines(std::istream& in)
{
    std::vector<std::string> lines;
    std::string line;
    bool continued = false;
    while (std::getline(in, line)) {
        std::string_view piece = trimmed(line);
        if (continued)
            lines.back() += piece;
        else
            lines.emplace_back(piece);
        continued = !lines.back().empty() && lines.back().back() == '\\';
        if (continued)
            lines.back().pop_back();
    }
    return lines;
}

}  // namespace

RegistryFile RegistryFile::read(const std::filesystem::path& file)
{
    RegistryFile reg;
    std::ifstream in(file, std::ios::binary);
    Values* current = nullptr;
    for (const std::string& line : logicalLines(in)) {
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
    if (read(file).hasKey(keyPath))
        return true;
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    if (!mayWrite(file))
        return false;
    const bool fresh = !std::filesystem::exists(file, ec);
    std::ofstream out(file, std::ios::binary | std::ios::app);
    if (!out)
        return false;
    if (fresh)
        out << "REGEDIT4\n";
    out << "\n[" << keyPath << "]\n";
    out.flush();
    return static_cast<bool>(out);
}

}  // namespace vk
