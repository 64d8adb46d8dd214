#include "platform/settings/RegistryFile.h"
#include "support/TempFolder.h"

#include "tests/support/NamedCase.h"

#include <gtest/gtest.h>

namespace vk {
namespace {

using test::PrintTo;
using namespace std::string_literals;

constexpr const char* kKey = "HKEY_CURRENT_USER\\viv.ini\\COMPORT";
constexpr const char* kStoreKey = "HKEY_CURRENT_USER\\viv.ini";

const std::string kMarkLe = "\xFF\xFE";
const std::string kMarkBe = "\xFE\xFF";

// ASCII text as UTF-16 stores it.
std::string utf16(std::string_view text, bool bigEndian = false)
{
    std::string out;
    for (char c : text)
        out += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    return out;
}

// As the Windows registry editor exports: CR LF, long hex data wrapped.
const std::string kEditorExport =
    "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\viv.ini\\COMPORT]\r\n"
    "\"Path\"=hex(2):25,00,53,00,79,00,73,00,74,00,65,00,6d,00,52,00,6f,00,6f,00,74,\\\r\n"
    "  00,25,00,00,00\r\n\"PortID\"=dword:00000003\r\n\r\n";

struct ValueCase {
    const char* line;
    bool found;
    std::uint32_t type;
    std::vector<std::uint8_t> data;
};

void PrintTo(const ValueCase& c, std::ostream* out)
{
    *out << c.line;
}

class RegistryValueForms : public ::testing::TestWithParam<ValueCase> {};

TEST_P(RegistryValueForms, ParsesEachStoredForm)
{
    test::TempFolder dir;
    test::writeFile(dir / "r.reg", std::string("REGEDIT4\r\n\r\n[") + kKey + "]\r\n" + GetParam().line + "\r\n");
    auto v = RegistryFile::read(dir / "r.reg").value(kKey, "PortID");
    ASSERT_EQ(v.has_value(), GetParam().found);
    if (!v)
        return;
    EXPECT_EQ(v->type, GetParam().type);
    EXPECT_EQ(v->data, GetParam().data);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, RegistryValueForms,
    ::testing::Values(ValueCase{"\"PortID\"=dword:00000003", true, kRegDword, {3, 0, 0, 0}},
                      ValueCase{"\"portid\"=dword:0001ff02", true, kRegDword, {2, 0xff, 1, 0}},
                      ValueCase{"\"PortID\"=\"2\"", true, kRegSz, {'2', 0}},
                      ValueCase{"\"PortID\"=\"a\\\"b\"", true, kRegSz, {'a', '"', 'b', 0}},
                      ValueCase{"\"PortID\"=hex(3):03,00,00,00", true, 3, {3, 0, 0, 0}},
                      ValueCase{"\"PortID\"=hex:01,02", true, kRegBinary, {1, 2}},
                      ValueCase{
                          "\"PortID\"=hex(b):01,02,03,04,\\\r\n  05,06,07,08", true, 0xb, {1, 2, 3, 4, 5, 6, 7, 8}},
                      ValueCase{"\"PortID\"=dword:123456789", false, 0, {}},
                      ValueCase{"\"PortID\"=hex(3):zz", false, 0, {}}, ValueCase{"\"PortID\"=3", false, 0, {}},
                      ValueCase{"\"Other\"=dword:00000001", false, 0, {}}));

TEST(RegistryFile, KeysAreFoundWithoutRegardToCaseAndAbsentFileIsEmpty)
{
    test::TempFolder dir;
    test::writeFile(dir / "r.reg", "REGEDIT4\n\n[HKEY_CURRENT_USER\\VIV.INI]\n");
    EXPECT_TRUE(RegistryFile::read(dir / "r.reg").hasKey("HKEY_CURRENT_USER\\viv.ini"));
    EXPECT_FALSE(RegistryFile::read(dir / "r.reg").hasKey(kKey));
    EXPECT_FALSE(RegistryFile::read(dir / "none.reg").hasKey("HKEY_CURRENT_USER\\viv.ini"));
}

TEST(RegistryFile, CreateKeyAppendsOnlyWhatIsMissing)
{
    test::TempFolder dir;
    const auto file = dir / "sub" / "r.reg";
    ASSERT_TRUE(RegistryFile::createKey(file, "HKEY_CURRENT_USER\\viv.ini"));
    EXPECT_EQ(test::readFile(file), "REGEDIT4\n\n[HKEY_CURRENT_USER\\viv.ini]\n");
    ASSERT_TRUE(RegistryFile::createKey(file, "HKEY_CURRENT_USER\\viv.ini"));
    EXPECT_EQ(test::readFile(file), "REGEDIT4\n\n[HKEY_CURRENT_USER\\viv.ini]\n");

    test::writeFile(file, "REGEDIT4\n; a remark kept as it is\n[Other]\n\"x\"=garbage");
    ASSERT_TRUE(RegistryFile::createKey(file, "HKEY_CURRENT_USER\\viv.ini"));
    EXPECT_EQ(test::readFile(file),
              "REGEDIT4\n; a remark kept as it is\n[Other]\n\"x\"=garbage\n\n[HKEY_CURRENT_USER\\viv.ini]\n");
}

TEST(RegistryFile, ReadsTheEditorsUtf16ExportAndMarkedUtf8)
{
    test::TempFolder dir;
    const std::string keyFirst = kEditorExport.substr(kEditorExport.find('['));
    for (const std::string& stored : {kMarkLe + utf16(kEditorExport), "\xEF\xBB\xBF" + keyFirst}) {
        SCOPED_TRACE(stored);
        test::writeFile(dir / "r.reg", stored);
        const auto v = RegistryFile::read(dir / "r.reg").value(kKey, "PortID");
        ASSERT_TRUE(v.has_value());
        EXPECT_EQ(v->data, (std::vector<std::uint8_t>{3, 0, 0, 0}));
    }
}

struct AppendCase {
    const char* name;
    std::string before;
    std::string keyPath;
    std::optional<std::string> appended;  // nullopt: refused, the file left as it was
};

class RegistryKeyAppends : public ::testing::TestWithParam<AppendCase> {};

TEST_P(RegistryKeyAppends, AppendsAKeyThatReadsBackOrRefuses)
{
    test::TempFolder dir;
    const auto file = dir / "r.reg";
    test::writeFile(file, GetParam().before);
    ASSERT_EQ(RegistryFile::createKey(file, GetParam().keyPath), GetParam().appended.has_value());
    EXPECT_EQ(test::readFile(file), GetParam().before + GetParam().appended.value_or(""));
    if (GetParam().appended) {
        EXPECT_TRUE(RegistryFile::read(file).hasKey(GetParam().keyPath));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, RegistryKeyAppends,
    ::testing::Values(
        AppendCase{"CrLfKept", "REGEDIT4\r\n\r\n[Other]\r\n", kStoreKey, "\r\n[HKEY_CURRENT_USER\\viv.ini]\r\n"},
        AppendCase{"Utf16LeExport", kMarkLe + utf16(kEditorExport), kStoreKey,
                   utf16("\r\n[HKEY_CURRENT_USER\\viv.ini]\r\n")},
        AppendCase{"Utf16LeNonAsciiKey", kMarkLe + utf16("REGEDIT4\r\n"), "HKEY_CURRENT_USER\\\xC3\xA9\xF0\x9F\x98\x80",
                   utf16("\r\n[HKEY_CURRENT_USER\\") + "\xE9\0\x3D\xD8\0\xDE"s + utf16("]\r\n")},
        AppendCase{"ContinuedLastLineUnended", "REGEDIT4\n[Other]\n\"x\"=hex:01,\\", kStoreKey,
                   "\n\n[HKEY_CURRENT_USER\\viv.ini]\n"},
        AppendCase{"ContinuedAfterEscapedBackslash", "[Other]\n\"x\"=\\\\\n", kStoreKey,
                   "\n[HKEY_CURRENT_USER\\viv.ini]\n"},
        AppendCase{"EmptyFileGetsAHeader", "", kStoreKey, "REGEDIT4\n\n[HKEY_CURRENT_USER\\viv.ini]\n"},
        AppendCase{"Utf16Be", kMarkBe + utf16("REGEDIT4\r\n", true), kStoreKey, std::nullopt},
        AppendCase{"Utf16LeOddByteCount", kMarkLe + utf16("REGEDIT4\r\n") + "\r", kStoreKey, std::nullopt},
        AppendCase{"Utf16LeWithoutMark", utf16("REGEDIT4\r\n"), kStoreKey, std::nullopt},
        AppendCase{"LineBreakInKey", "REGEDIT4\n", "HKEY_CURRENT_USER\\a]\n[b", std::nullopt}),
    test::caseName<AppendCase>);

TEST(RegistryFile, CreateKeyFailsWhereNoFileCanBe)
{
    test::TempFolder dir;
    test::writeFile(dir / "plain", "not a folder");
    EXPECT_FALSE(RegistryFile::createKey(dir / "plain" / "r.reg", "HKEY_CURRENT_USER\\viv.ini"));
}

}  // namespace
}  // namespace vk
