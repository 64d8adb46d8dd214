#include "platform/ReplacedFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <utility>

#ifdef _WIN32
#include <io.h>
#include <process.h>
#include <windows.h>
#else
#include <csignal>
#include <unistd.h>
#endif

namespace vk {
namespace fs = std::filesystem;
namespace {

// Linux gives up on a path after as many links.
constexpr int kMaxLinks = 40;
constexpr std::string_view kPartSuffix = ".part";

#ifdef _WIN32
constexpr int kCreateFlags = O_WRONLY | O_CREAT | O_EXCL | O_BINARY;
int syncFile(int fd)
{
    return ::_commit(fd);
}
// Windows has no way to sync a folder from here; its rename is journalled.
int syncFolder(const fs::path&)
{
    return 0;
}
bool processAlive(long pid)
{
    const HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
    if (process == nullptr)
        return false;
    const bool running = ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    ::CloseHandle(process);
    return running;
}
long processId()
{
    return ::_getpid();
}
#else
constexpr int kCreateFlags = O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC;
int syncFile(int fd)
{
    return ::fsync(fd);
}
// The rename is durable only once the folder that holds it is.
int syncFolder(const fs::path& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    // Some file systems cannot sync a folder at all; they keep nothing to lose.
    const int result = ::fsync(fd) == 0 || errno == EINVAL ? 0 : -1;
    const int error = errno;
    ::close(fd);
    errno = error;
    return result;
}
bool processAlive(long pid)
{
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}
long processId()
{
    return ::getpid();
}
#endif

std::string systemProblem()
{
    return std::strerror(errno);
}

// What a path that is no regular file is, for a refusal; empty for a file or none.
std::string notAFile(const fs::path& target)
{
    std::error_code ec;
    const fs::file_status status = fs::status(target, ec);
    if (ec || !fs::exists(status) || fs::is_regular_file(status))
        return {};
    if (fs::is_directory(status))
        return "is a folder";
    if (fs::is_fifo(status))
        return "is a FIFO";
    return fs::is_character_file(status) || fs::is_block_file(status) ? "is a device" : "is no regular file";
}

fs::path folderOf(const fs::path& target)
{
    return target.has_parent_path() ? target.parent_path() : fs::path(".");
}

std::string partPrefix(const fs::path& target)
{
    return "." + target.filename().string() + ".";
}

// A run killed before its rename leaves ".NAME.PID.part"; one whose process is gone is removed.
void clearLeftovers(const fs::path& target)
{
    const std::string prefix = partPrefix(target);
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(folderOf(target), ec)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with(prefix) || !name.ends_with(kPartSuffix))
            continue;
        const std::string pid = name.substr(prefix.size(), name.size() - prefix.size() - kPartSuffix.size());
        if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos || pid.size() > 9)
            continue;
        if (!processAlive(std::stol(pid)))
            fs::remove(entry.path(), ec);
    }
}

bool writeAll(int fd, std::string_view text)
{
    while (!text.empty()) {
        const auto n = ::write(fd, text.data(), static_cast<unsigned>(text.size()));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        text.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

}  // namespace

std::optional<fs::path> linkTarget(fs::path file)
{
    for (int links = 0; links <= kMaxLinks; ++links) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(file, ec)))
            return file;
        const fs::path next = fs::read_symlink(file, ec);
        if (ec)
            return std::nullopt;
        // A relative target counts from the link's folder; an absolute one replaces it.
        file = file.parent_path() / next;
    }
    return std::nullopt;
}

std::optional<ReplacedFile> ReplacedFile::prepare(const fs::path& path, std::string& problem)
{
    const std::optional<fs::path> target = linkTarget(path);
    if (!target) {
        problem = "its links make a loop or too long a chain";
        return std::nullopt;
    }
    if (const std::string what = notAFile(*target); !what.empty()) {
        problem = (*target == path ? "it " : target->string() + " ") + what + ", not a file";
        return std::nullopt;
    }
    clearLeftovers(*target);
    const fs::path temporary = folderOf(*target)
        / (partPrefix(*target) + std::to_string(processId()) + std::string(kPartSuffix));
    const int fd = ::open(temporary.string().c_str(), kCreateFlags, 0666);
    if (fd < 0) {
        problem = systemProblem();
        return std::nullopt;
    }
    std::error_code ec;
    if (const fs::file_status kept = fs::status(*target, ec); !ec)
        fs::permissions(temporary, kept.permissions(), ec);
    return ReplacedFile(*target, temporary, fd);
}

ReplacedFile::ReplacedFile(fs::path target, fs::path temporary, int fd)
    : target_(std::move(target)), temporary_(std::move(temporary)), fd_(fd)
{
}

ReplacedFile::ReplacedFile(ReplacedFile&& other) noexcept
    : target_(std::move(other.target_)), temporary_(std::move(other.temporary_)), fd_(std::exchange(other.fd_, -1))
{
    other.temporary_.clear();
}

ReplacedFile::~ReplacedFile()
{
    if (fd_ >= 0)
        ::close(fd_);
    std::error_code ec;
    if (!temporary_.empty())
        fs::remove(temporary_, ec);
}

bool ReplacedFile::commit(std::string_view text, std::string& problem)
{
    const bool written = writeAll(fd_, text) && syncFile(fd_) == 0;
    const std::string writeProblem = written ? "" : systemProblem();
    const bool closed = ::close(std::exchange(fd_, -1)) == 0;
    if (!written || !closed) {
        problem = written ? systemProblem() : writeProblem;
        return false;
    }
    std::error_code ec;
    fs::rename(temporary_, target_, ec);
    if (ec) {
        problem = ec.message();
        return false;
    }
    temporary_.clear();
    if (syncFolder(folderOf(target_)) != 0) {
        problem = "written, but its folder could not be synced: " + systemProblem();
        return false;
    }
    return true;
}

}  // namespace vk
