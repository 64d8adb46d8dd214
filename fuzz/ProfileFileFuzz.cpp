// The profile writer: the input's first three lines are a section, a key and a
// value, the rest is the INI file. After a write the key reads back with its value
// in the section, the file differs only by that one entry (and its section when it
// had none), and writing the same again changes nothing. A refusal leaves the file
// alone, and plain names and values in a text file are never refused.

#include "fuzz/FuzzSupport.h"
#include "platform/settings/ProfileFile.h"
#include "support/TempFolder.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vk::fuzz {
namespace {

bool sameName(std::string_view a, std::string_view b)
{
    const auto sameLetter = [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), sameLetter);
}

std::optional<std::string_view> sectionOf(std::string_view line)
{
    line = trimmed(line);
    if (line.size() < 2 || line.front() != '[' || line.back() != ']')
        return std::nullopt;
    return trimmed(line.substr(1, line.size() - 2));
}

bool isEntryOf(std::string_view line, std::string_view key)
{
    const std::size_t equals = line.find('=');
    return equals != std::string_view::npos && sameName(trimmed(line.substr(0, equals)), trimmed(key));
}

// Lines ended by LF, CR LF or a CR alone, as files from any platform have them.
std::vector<std::string> profileLines(std::string_view text)
{
    std::string withLfEnds;
    for (std::size_t i = 0; i < text.size(); ++i) {
        withLfEnds += text[i] == '\r' ? '\n' : text[i];
        if (text.substr(i, 2) == "\r\n")
            ++i;
    }
    return linesOf(withLfEnds);
}

// The value as a profile reader finds it: in the first section of that name, the
// text after the "=" of the key's first line.
std::optional<std::string> profileValue(const std::vector<std::string>& lines, std::string_view section,
                                        std::string_view key)
{
    bool inSection = false;
    for (const std::string& line : lines) {
        if (const auto name = sectionOf(line)) {
            if (inSection)
                return std::nullopt;
            inSection = sameName(*name, trimmed(section));
        } else if (inSection && isEntryOf(line, key)) {
            return line.substr(line.find('=') + 1);
        }
    }
    return std::nullopt;
}

bool isPlainName(std::string_view name)
{
    return isPrintableAscii(name) && name.find_first_of("[]=") == std::string_view::npos;
}

// Only the entry for the key may go; at most it and its section come in.
void checkOnlyTheEntryChanged(const std::vector<std::string>& before, const std::vector<std::string>& after,
                              std::string_view key)
{
    const auto head = std::mismatch(before.begin(), before.end(), after.begin(), after.end()).first;
    const auto common = static_cast<std::size_t>(head - before.begin());
    const auto tail =
        std::mismatch(before.rbegin(), before.rend() - common, after.rbegin(), after.rend() - common).first;
    const auto commonTail = static_cast<std::size_t>(tail - before.rbegin());
    const std::span lost(before.begin() + common, before.size() - common - commonTail);
    FUZZ_CHECK(lost.empty() || (lost.size() == 1 && isEntryOf(lost.front(), key)));
    FUZZ_CHECK(after.size() - common - commonTail <= 2);
}

void checkWrite(const std::filesystem::path& file, const std::string& section, const std::string& key,
                const std::string& value, const std::string& text)
{
    test::writeFile(file, text);
    const bool wrote = writeProfileString(file, section, key, value);
    const std::string written = test::readFile(file);
    FUZZ_CHECK(wrote || written == text);
    const bool plain = isPlainName(section) && isPlainName(key) && isPrintableAscii(value)
        && text.find('\0') == std::string::npos;
    FUZZ_CHECK(wrote || !plain);
    if (!wrote)
        return;
    const std::vector<std::string> after = profileLines(written);
    FUZZ_CHECK(profileValue(after, section, key) == value);
    checkOnlyTheEntryChanged(profileLines(text), after, key);
    FUZZ_CHECK(writeProfileString(file, section, key, value));
    FUZZ_CHECK(test::readFile(file) == written);
}

}  // namespace
}  // namespace vk::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const vk::test::TempFolder folder;
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string section(vk::fuzz::takeLine(input));
    const std::string key(vk::fuzz::takeLine(input));
    const std::string value(vk::fuzz::takeLine(input));
    vk::fuzz::checkWrite(folder / "DudAved.ini", section, key, value, std::string(input));
    return 0;
}
