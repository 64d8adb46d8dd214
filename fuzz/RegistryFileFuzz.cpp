// The registry store: the input's first line names a key, the rest is the file.
// Making sure the key exists writes nothing when the file plainly holds it, and
// otherwise only appends; afterwards the key is read, every value read before
// reads the same, and a second call changes nothing. A refusal leaves the file
// alone, and a plain key in a plain export is never refused.

#include "fuzz/FuzzSupport.h"
#include "platform/settings/RegistryFile.h"
#include "support/TempFolder.h"

#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace vk::fuzz {
namespace {

constexpr std::string_view kUtf16LeMark = "\xFF\xFE";

struct ValueName {
    std::string keyPath;
    std::string name;
};

// What a person reading the file takes it to hold: the keys ("[path]" lines that
// do not continue a wrapped line) and the value names under them.
struct PlainContent {
    std::set<std::string> keyPaths;  // lower-cased: the registry ignores case
    std::vector<ValueName> values;
};

std::string lowered(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower;
}

// A UTF-16LE export read as its ASCII characters.
std::string readableText(std::string_view bytes)
{
    if (!bytes.starts_with(kUtf16LeMark))
        return std::string(bytes);
    std::string text;
    for (std::size_t i = kUtf16LeMark.size(); i + 1 < bytes.size(); i += 2)
        text += bytes[i + 1] == '\0' ? bytes[i] : '?';
    return text;
}

PlainContent plainContent(std::string_view bytes)
{
    PlainContent content;
    std::string keyPath;
    bool continued = false;
    for (const std::string& rawLine : linesOf(readableText(bytes))) {
        const std::string_view line = trimmed(rawLine);
        if (!continued && line.starts_with('[') && line.ends_with(']')) {
            keyPath = line.substr(1, line.size() - 2);
            content.keyPaths.insert(lowered(keyPath));
        } else if (line.starts_with('"')) {
            content.values.push_back({keyPath, std::string(line.substr(1, line.find('"', 1) - 1))});
        }
        continued = line.ends_with('\\');
    }
    return content;
}

// 8-bit text, or UTF-16LE behind its mark as the Windows registry editor writes it.
bool isPlainExport(std::string_view bytes)
{
    if (bytes.starts_with(kUtf16LeMark))
        return bytes.size() % 2 == 0 && !bytes.starts_with(std::string_view("\xFF\xFE\0\0", 4));
    return !bytes.starts_with("\xFE\xFF") && bytes.find('\0') == std::string_view::npos;
}

bool sameValue(const std::optional<RegValue>& a, const std::optional<RegValue>& b)
{
    return a.has_value() == b.has_value() && (!a || (a->type == b->type && a->data == b->data));
}

void checkCreateKey(const std::filesystem::path& file, const std::string& keyPath, const std::string& text)
{
    test::writeFile(file, text);
    const RegistryFile before = RegistryFile::read(file);
    const PlainContent plainBefore = plainContent(text);
    const bool created = RegistryFile::createKey(file, keyPath);
    const std::string written = test::readFile(file);
    FUZZ_CHECK(created || written == text);
    FUZZ_CHECK(created || !isPrintableAscii(keyPath) || !isPlainExport(text));
    if (!created)
        return;
    FUZZ_CHECK(written.starts_with(text));
    FUZZ_CHECK(!plainBefore.keyPaths.contains(lowered(keyPath)) || written == text);

    const RegistryFile after = RegistryFile::read(file);
    FUZZ_CHECK(after.hasKey(keyPath));
    for (const auto& [path, name] : plainBefore.values) {
        FUZZ_CHECK(!before.hasKey(path) || after.hasKey(path));
        FUZZ_CHECK(sameValue(before.value(path, name), after.value(path, name)));
    }
    FUZZ_CHECK(RegistryFile::createKey(file, keyPath));
    FUZZ_CHECK(test::readFile(file) == written);
}

}  // namespace
}  // namespace vk::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const vk::test::TempFolder folder;
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string keyPath(vk::fuzz::takeLine(input));
    vk::fuzz::checkCreateKey(folder / "registry.reg", keyPath, std::string(input));
    return 0;
}
