#include "platform/ReplacedFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace vk::test {
namespace {

namespace fs = std::filesystem;

// Names in the folder other than the one given: what a replace left behind.
std::vector<std::string> othersThan(const TempFolder& folder, const std::string& name)
{
    std::vector<std::string> others;
    for (const auto& entry : fs::directory_iterator(folder.path()))
        if (entry.path().filename() != name)
            others.push_back(entry.path().filename().string());
    return others;
}

TEST(ReplacedFile, TheOldFileStandsUntilTheCommitAndNothingIsLeftBeside)
{
    TempFolder folder;
    writeFile(folder / "drive.txt", "old\n");
    std::string problem;
    {
        auto file = ReplacedFile::prepare(folder / "drive.txt", problem);
        ASSERT_TRUE(file) << problem;
        EXPECT_EQ(readFile(folder / "drive.txt"), "old\n");
        ASSERT_TRUE(file->commit("new\n", problem)) << problem;
    }
    EXPECT_EQ(readFile(folder / "drive.txt"), "new\n");
    EXPECT_TRUE(othersThan(folder, "drive.txt").empty());
}

TEST(ReplacedFile, AnUncommittedReplaceLeavesTheOldFileAndNoTemporary)
{
    TempFolder folder;
    writeFile(folder / "drive.txt", "old\n");
    std::string problem;
    ASSERT_TRUE(ReplacedFile::prepare(folder / "drive.txt", problem)) << problem;
    EXPECT_EQ(readFile(folder / "drive.txt"), "old\n");
    EXPECT_TRUE(othersThan(folder, "drive.txt").empty());
}

#ifndef _WIN32
TEST(ReplacedFile, KeepsTheModeAndWritesThroughALink)
{
    TempFolder folder;
    writeFile(folder / "real.txt", "old\n");
    ::chmod((folder / "real.txt").c_str(), 0640);
    fs::create_symlink(folder / "real.txt", folder / "link.txt");
    std::string problem;
    auto file = ReplacedFile::prepare(folder / "link.txt", problem);
    ASSERT_TRUE(file) << problem;
    ASSERT_TRUE(file->commit("new\n", problem)) << problem;
    EXPECT_TRUE(fs::is_symlink(folder / "link.txt"));
    EXPECT_EQ(readFile(folder / "real.txt"), "new\n");
    struct stat st {};
    ASSERT_EQ(::stat((folder / "real.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(ReplacedFile, RefusesWhatIsNoFileBeforeAnyWork)
{
    TempFolder folder;
    ::mkfifo((folder / "fifo").c_str(), 0600);
    const std::pair<fs::path, std::string> cases[] = {
        {"/dev/null", "is a device"},
        {folder.path(), "is a folder"},
        {folder / "fifo", "is a FIFO"},
        {folder / "no-such-folder" / "x.txt", ""},
    };
    for (const auto& [path, why] : cases) {
        std::string problem;
        EXPECT_FALSE(ReplacedFile::prepare(path, problem)) << path;
        EXPECT_NE(problem.find(why), std::string::npos) << path << ": " << problem;
    }
    EXPECT_EQ(othersThan(folder, "fifo"), std::vector<std::string>{});
}
#endif

}  // namespace
}  // namespace vk::test
