#include "platform/settings/PortSettings.h"
#include "support/TempFolder.h"

#include "platform/settings/RegistryFile.h"

#include "tests/support/NamedCase.h"

#include <gtest/gtest.h>

namespace vk {
namespace {

using test::PrintTo;

struct ReadCase {
    const char* name;
    const char* registry;  // nullptr: no store file
    std::int32_t port;
    const char* error;  // nullptr: no error
};

class ReadPortNumberCases : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadPortNumberCases, GivesThePortOrTheOperatorsError)
{
    test::TempFolder dir;
    PortSettings settings(dir.path());
    if (GetParam().registry != nullptr)
        test::writeFile(settings.registryFile(), GetParam().registry);
    if (GetParam().error == nullptr) {
        EXPECT_EQ(settings.ReadPortNumber(), GetParam().port);
        return;
    }
    try {
        settings.ReadPortNumber();
        FAIL() << "no error";
    } catch (const SettingsError& e) {
        EXPECT_STREQ(e.what(), GetParam().error);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Stores, ReadPortNumberCases,
    ::testing::Values(
        ReadCase{"NoStore", nullptr, 1, nullptr},
        ReadCase{"NoSection", "REGEDIT4\n[HKEY_CURRENT_USER\\viv.ini]\n", 1, nullptr},
        ReadCase{"NoValue", "REGEDIT4\n[HKEY_CURRENT_USER\\viv.ini\\COMPORT]\n\"Other\"=dword:3\n", 1, nullptr},
        ReadCase{"Dword3", "REGEDIT4\n[HKEY_CURRENT_USER\\viv.ini\\COMPORT]\n\"PortID\"=dword:00000003\n", 3, nullptr},
        ReadCase{"Dword9", "REGEDIT4\n[HKEY_CURRENT_USER\\viv.ini\\COMPORT]\n\"PortID\"=dword:00000009\n", 9, nullptr},
        ReadCase{"Text2", "REGEDIT4\n[HKEY_CURRENT_USER\\viv.ini\\COMPORT]\n\"PortID\"=\"2\"\n", 2, nullptr},
        ReadCase{"TextHex", "REGEDIT4\n[HKEY_CURRENT_USER\\viv.ini\\COMPORT]\n\"PortID\"=\"$4\"\n", 4, nullptr},
        ReadCase{"TextLetters", "REGEDIT4\n[HKEY_CURRENT_USER\\viv.ini\\COMPORT]\n\"PortID\"=\"COM3\"\n", 1, nullptr},
        ReadCase{"TextUpToNul", "REGEDIT4\n[HKEY_CURRENT_USER\\viv.ini\\COMPORT]\n\"PortID\"=hex(1):33,00,39,00\n", 3,
                 nullptr},
        ReadCase{"FourBytesOtherType",
                 "REGEDIT4\n[HKEY_CURRENT_USER\\viv.ini\\COMPORT]\n\"PortID\"=hex(3):03,00,00,00\n", 0,
                 "'PortID' のデータ型が不正です"},
        ReadCase{"LongerThanFour",
                 "REGEDIT4\n[HKEY_CURRENT_USER\\viv.ini\\COMPORT]\n\"PortID\"=hex(4):03,00,00,00,00\n", 0,
                 "'PortID' の取得に失敗しました"}),
    test::caseName<ReadCase>);

TEST(PortSettings, ReadCreatesTheStoreKeyButNeverTheSection)
{
    test::TempFolder dir;
    PortSettings settings(dir.path());
    settings.ReadPortNumber();
    const auto reg = RegistryFile::read(settings.registryFile());
    EXPECT_TRUE(reg.hasKey("HKEY_CURRENT_USER\\viv.ini"));
    EXPECT_FALSE(reg.hasKey("HKEY_CURRENT_USER\\viv.ini\\COMPORT"));
}

TEST(PortSettings, WithoutAStoreKeyTheSectionIsLookedForUnderTheRoot)
{
    test::TempFolder dir;
    PortSettings settings(dir.path());
    test::writeFile(settings.registryFile(), "REGEDIT4\n[HKEY_CURRENT_USER\\COMPORT]\n\"PortID\"=dword:00000002\n");
    std::filesystem::permissions(settings.registryFile(), std::filesystem::perms(0444));
    EXPECT_EQ(settings.ReadPortNumber(), 2);
}

TEST(PortSettings, WritesBothKeysAndKeepsOtherSections)
{
    test::TempFolder dir;
    PortSettings settings(dir.path());
    test::writeFile(settings.profileFile(), "[Mine]\nA=1\n[PortSetting]\nPortID=4\n");
    settings.WritePortSettings(9);
    EXPECT_EQ(test::readFile(settings.profileFile()), "[Mine]\nA=1\n[PortSetting]\nPortID=9\nBaudRate=0\n");
    settings.WritePortSettings(-1);
    EXPECT_EQ(test::readFile(settings.profileFile()), "[Mine]\nA=1\n[PortSetting]\nPortID=-1\nBaudRate=0\n");
}

TEST(PortSettings, UnwritableProfileIsReportedByName)
{
    test::TempFolder dir;
    PortSettings settings(dir.path());
    std::filesystem::create_directory(settings.profileFile());
    try {
        settings.WritePortSettings(1);
        FAIL() << "no error";
    } catch (const SettingsError& e) {
        EXPECT_STREQ(e.what(), "DudAved.ini に書き込めません");
    }
}

}  // namespace
}  // namespace vk
