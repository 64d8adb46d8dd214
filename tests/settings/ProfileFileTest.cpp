#include "platform/settings/ProfileFile.h"
#include "tests/support/TempFolder.h"

#include "tests/support/NamedCase.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace vk {
namespace {

using test::PrintTo;

struct ProfileCase {
    const char* name;
    const char* before;  // nullptr: no file
    const char* after;
};

class ProfileWrites : public ::testing::TestWithParam<ProfileCase> {};

TEST_P(ProfileWrites, SetsPortIdAndKeepsTheRest)
{
    test::TempFolder dir;
    const auto file = dir / "DudAved.ini";
    if (GetParam().before != nullptr)
        test::writeFile(file, GetParam().before);
    ASSERT_TRUE(writeProfileString(file, "PortSetting", "PortID", "3"));
    EXPECT_EQ(test::readFile(file), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ProfileWrites,
    ::testing::Values(
        ProfileCase{"NoFile", nullptr, "[PortSetting]\nPortID=3\n"},
        ProfileCase{"ReplacedInPlace", "[PortSetting]\nBaudRate=0\nportid = 7\nX=1\n",
                    "[PortSetting]\nBaudRate=0\nPortID=3\nX=1\n"},
        ProfileCase{"AddedAtSectionEnd", "[a]\nk=1\n[portsetting]\nBaudRate=0\n\n[b]\nk=2\n",
                    "[a]\nk=1\n[portsetting]\nBaudRate=0\nPortID=3\n\n[b]\nk=2\n"},
        ProfileCase{"SectionAppended", "; remark\n[Other]\nPortID=9\n",
                    "; remark\n[Other]\nPortID=9\n[PortSetting]\nPortID=3\n"},
        ProfileCase{"SectionIsTheLastLine", "[PortSetting]\n", "[PortSetting]\nPortID=3\n"},
        ProfileCase{"CrLfKept", "[PortSetting]\r\nPortID=1\r\n", "[PortSetting]\r\nPortID=3\r\n"}),
    test::caseName<ProfileCase>);

TEST(ProfileFile, RefusesFilesThatCannotBeWritten)
{
    test::TempFolder dir;
    std::filesystem::create_directory(dir / "DudAved.ini");
    EXPECT_FALSE(writeProfileString(dir / "DudAved.ini", "PortSetting", "PortID", "1"));

    test::writeFile(dir / "plain", "x");
    EXPECT_FALSE(writeProfileString(dir / "plain" / "DudAved.ini", "PortSetting", "PortID", "1"));

    const auto readOnly = dir / "ro.ini";
    test::writeFile(readOnly, "[PortSetting]\nPortID=5\n");
    ::chmod(readOnly.c_str(), 0444);
    EXPECT_FALSE(writeProfileString(readOnly, "PortSetting", "PortID", "1"));
    EXPECT_EQ(test::readFile(readOnly), "[PortSetting]\nPortID=5\n");
}

TEST(ProfileFile, AWrittenFileKeepsItsPermissionsAndALinkStaysALink)
{
    test::TempFolder dir;
    const auto target = dir / "kept.ini";
    test::writeFile(target, "[PortSetting]\nPortID=5\n");
    ::chmod(target.c_str(), 0600);
    std::filesystem::create_symlink(target, dir / "DudAved.ini");

    ASSERT_TRUE(writeProfileString(dir / "DudAved.ini", "PortSetting", "PortID", "1"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "DudAved.ini"));
    EXPECT_EQ(test::readFile(target), "[PortSetting]\nPortID=1\n");
    EXPECT_EQ(std::filesystem::status(target).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2) << "no temporary file left";
}

}  // namespace
}  // namespace vk
