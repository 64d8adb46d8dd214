#include "platform/settings/ProfileFile.h"
#include "support/TempFolder.h"

#include "tests/support/NamedCase.h"

#include <gtest/gtest.h>

namespace vk {
namespace {

using test::PrintTo;

// Links are what these tests are about; where the system makes none (Windows
// without developer rights, Wine), they are reported skipped, not passed.
#define SKIP_WITHOUT_SYMLINKS(folder)                                                                                  \
    do {                                                                                                               \
        std::error_code noLinks;                                                                                       \
        std::filesystem::create_symlink("probe", (folder) / "link-probe", noLinks);                                    \
        if (noLinks)                                                                                                   \
            GTEST_SKIP() << "this system makes no symbolic links: " << noLinks.message();                              \
        std::filesystem::remove((folder) / "link-probe");                                                              \
    } while (false)

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
    ::testing::Values(ProfileCase{"NoFile", nullptr, "[PortSetting]\nPortID=3\n"},
                      ProfileCase{"ReplacedInPlace", "[PortSetting]\nBaudRate=0\nportid = 7\nX=1\n",
                                  "[PortSetting]\nBaudRate=0\nPortID=3\nX=1\n"},
                      ProfileCase{"AddedAtSectionEnd", "[a]\nk=1\n[portsetting]\nBaudRate=0\n\n[b]\nk=2\n",
                                  "[a]\nk=1\n[portsetting]\nBaudRate=0\nPortID=3\n\n[b]\nk=2\n"},
                      ProfileCase{"SectionAppended", "; remark\n[Other]\nPortID=9\n",
                                  "; remark\n[Other]\nPortID=9\n[PortSetting]\nPortID=3\n"},
                      ProfileCase{"SectionIsTheLastLine", "[PortSetting]\n", "[PortSetting]\nPortID=3\n"},
                      ProfileCase{"CrLfKept", "[PortSetting]\r\nPortID=1\r\n", "[PortSetting]\r\nPortID=3\r\n"},
                      ProfileCase{"CrOnlyKept", "[PortSetting]\rPortID=1\r[b]\rk=2",
                                  "[PortSetting]\rPortID=3\r[b]\rk=2\r"},
                      ProfileCase{"EachLineKeepsItsEnd", "[a]\r\nk=1\n[PortSetting]\rX=1\r\n\n[b]\rk=2",
                                  "[a]\r\nk=1\n[PortSetting]\rX=1\r\nPortID=3\r\n\n[b]\rk=2\r\n"}),
    test::caseName<ProfileCase>);

struct NamesCase {
    const char* name;
    std::string section;
    std::string key;
    std::string value;
    const char* after;  // nullptr: refused, the file left as it was
};

class ProfileNames : public ::testing::TestWithParam<NamesCase> {};

TEST_P(ProfileNames, WritesOnlyWhatReadsBackAsGiven)
{
    test::TempFolder dir;
    const auto file = dir / "DudAved.ini";
    const std::string before = "[PortSetting]\nPortID=1\n";
    test::writeFile(file, before);
    EXPECT_EQ(writeProfileString(file, GetParam().section, GetParam().key, GetParam().value),
              GetParam().after != nullptr);
    EXPECT_EQ(test::readFile(file), GetParam().after != nullptr ? GetParam().after : before);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, ProfileNames,
    ::testing::Values(NamesCase{"SpacesAroundNames", " PortSetting ", " PortID ", "3", "[PortSetting]\nPortID=3\n"},
                      NamesCase{"LineBreakInValue", "PortSetting", "PortID", "3\n[Other]", nullptr},
                      NamesCase{"NulInKey", "PortSetting", std::string("Port\0ID", 7), "3", nullptr},
                      NamesCase{"EqualsInKey", "PortSetting", "Port=ID", "3", nullptr},
                      NamesCase{"EntryReadsAsASection", "PortSetting", "[PortID", "3]", nullptr}),
    test::caseName<NamesCase>);

TEST(ProfileFile, RefusesFilesThatCannotBeWritten)
{
    test::TempFolder dir;
    std::filesystem::create_directory(dir / "DudAved.ini");
    EXPECT_FALSE(writeProfileString(dir / "DudAved.ini", "PortSetting", "PortID", "1"));

    test::writeFile(dir / "plain", "x");
    EXPECT_FALSE(writeProfileString(dir / "plain" / "DudAved.ini", "PortSetting", "PortID", "1"));

    const auto readOnly = dir / "ro.ini";
    test::writeFile(readOnly, "[PortSetting]\nPortID=5\n");
    std::filesystem::permissions(readOnly, std::filesystem::perms(0444));
    EXPECT_FALSE(writeProfileString(readOnly, "PortSetting", "PortID", "1"));
    EXPECT_EQ(test::readFile(readOnly), "[PortSetting]\nPortID=5\n");

    // A NUL says the text is not 8-bit (UTF-16 without a mark): a line added
    // in ASCII would damage it.
    const std::string wide("[\0P\0]\0\n\0", 8);
    test::writeFile(dir / "wide.ini", wide);
    EXPECT_FALSE(writeProfileString(dir / "wide.ini", "PortSetting", "PortID", "1"));
    EXPECT_EQ(test::readFile(dir / "wide.ini"), wide);
}

TEST(ProfileFile, AWrittenFileKeepsItsPermissionsAndALinkStaysALink)
{
    test::TempFolder dir;
    SKIP_WITHOUT_SYMLINKS(dir.path());
    const auto target = dir / "kept.ini";
    test::writeFile(target, "[PortSetting]\nPortID=5\n");
    std::filesystem::permissions(target, std::filesystem::perms(0600));
    std::filesystem::create_symlink(target, dir / "DudAved.ini");

    ASSERT_TRUE(writeProfileString(dir / "DudAved.ini", "PortSetting", "PortID", "1"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "DudAved.ini"));
    EXPECT_EQ(test::readFile(target), "[PortSetting]\nPortID=1\n");
    EXPECT_EQ(std::filesystem::status(target).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2) << "no temporary file left";
}

struct LinkCase {
    const char* name;
    std::vector<std::pair<const char*, const char*>> links;  // link, its target; the first is DudAved.ini
    const char* written;                                     // nullptr: the write fails
};

class ProfileLinks : public ::testing::TestWithParam<LinkCase> {};

TEST_P(ProfileLinks, WritesThroughADanglingLinkAndStopsAtALoop)
{
    test::TempFolder dir;
    SKIP_WITHOUT_SYMLINKS(dir.path());
    std::filesystem::create_directory(dir / "conf");
    for (const auto& [link, target] : GetParam().links)
        std::filesystem::create_symlink(target, dir / link);

    EXPECT_EQ(writeProfileString(dir / "DudAved.ini", "PortSetting", "PortID", "1"), GetParam().written != nullptr);
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "DudAved.ini"));
    if (GetParam().written != nullptr) {
        EXPECT_EQ(test::readFile(dir / GetParam().written), "[PortSetting]\nPortID=1\n");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Chains, ProfileLinks,
    ::testing::Values(LinkCase{"Dangling", {{"DudAved.ini", "kept.ini"}}, "kept.ini"},
                      LinkCase{"RelativeToTheLinksFolder",
                               {{"DudAved.ini", "conf/link.ini"}, {"conf/link.ini", "kept.ini"}},
                               "conf/kept.ini"},
                      LinkCase{
                          "Loop", {{"DudAved.ini", "conf/link.ini"}, {"conf/link.ini", "../DudAved.ini"}}, nullptr}),
    test::caseName<LinkCase>);

}  // namespace
}  // namespace vk
