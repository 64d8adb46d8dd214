#include "platform/settings/RegistryFile.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace vk {
namespace {

constexpr const char* kKey = "HKEY_CURRENT_USER\\viv.ini\\COMPORT";

struct ValueCase {
    const char* line;
    bool found;
    std::uint32_t type;
    std::vector<std::uint8_t> data;
};

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
                      ValueCase{"\"PortID\"=hex(b):01,02,03,04,\\\r\n  05,06,07,08", true, 0xb, {1, 2, 3, 4, 5, 6, 7, 8}},
                      ValueCase{"\"PortID\"=dword:123456789", false, 0, {}},
                      ValueCase{"\"PortID\"=hex(3):zz", false, 0, {}},
                      ValueCase{"\"PortID\"=3", false, 0, {}},
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
              "REGEDIT4\n; a remark kept as it is\n[Other]\n\"x\"=garbage\n[HKEY_CURRENT_USER\\viv.ini]\n");
}

TEST(RegistryFile, CreateKeyFailsWhereNoFileCanBe)
{
    test::TempFolder dir;
    test::writeFile(dir / "plain", "not a folder");
    EXPECT_FALSE(RegistryFile::createKey(dir / "plain" / "r.reg", "HKEY_CURRENT_USER\\viv.ini"));
}

}  // namespace
}  // namespace vk
