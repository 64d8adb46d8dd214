#include "sim/SimulatorProcess.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vk::sim {
namespace {

constexpr auto kStartBudget = std::chrono::seconds(5);
constexpr auto kEndBudget = std::chrono::seconds(5);
constexpr auto kEndCheck = std::chrono::milliseconds(10);
constexpr std::size_t kPathLimit = 4096;

[[noreturn]] void failToStart(const std::filesystem::path& program, const std::string& why)
{
    throw SimulatorStartError("cannot start " + program.string() + ": " + why);
}

// Only async-signal-safe calls: the parent may have threads.
[[noreturn]] void becomeSimulator(const char* program, char* const* argv, int pathWriteEnd, int logFd, pid_t parent)
{
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (::getppid() != parent)
        ::_exit(1);
    ::dup2(pathWriteEnd, STDOUT_FILENO);
    if (logFd >= 0)
        ::dup2(logFd, STDERR_FILENO);
    ::execv(program, argv);
    ::_exit(127);
}

bool ended(pid_t child)
{
    return ::waitpid(child, nullptr, WNOHANG) == child;
}

}  // namespace

SimulatorProcess::SimulatorProcess(const std::filesystem::path& program, const std::vector<std::string>& options,
                                   SimulatorLog log)
{
    if (::access(program.c_str(), X_OK) != 0)
        failToStart(program, std::strerror(errno));
    std::vector<std::string> args{program.string()};
    args.insert(args.end(), options.begin(), options.end());
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (auto& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
        failToStart(program, std::strerror(errno));
    const int logFd = log == SimulatorLog::Discarded ? ::open("/dev/null", O_WRONLY | O_CLOEXEC) : -1;
    const pid_t parent = ::getpid();
    child_ = ::fork();
    if (child_ == 0)
        becomeSimulator(argv.front(), argv.data(), ends[1], logFd, parent);
    const int forkError = errno;
    ::close(ends[1]);
    if (logFd >= 0)
        ::close(logFd);
    if (child_ < 0) {
        ::close(ends[0]);
        failToStart(program, std::strerror(forkError));
    }
    // Kept open while the child runs: a write to a closed pipe would end it.
    output_ = ends[0];
    try {
        devicePath_ = readFirstLine(output_);
    } catch (const SimulatorStartError&) {
        end();
        throw;
    }
}

SimulatorProcess::~SimulatorProcess()
{
    end();
}

void SimulatorProcess::end()
{
    if (output_ >= 0)
        ::close(output_);
    output_ = -1;
    if (child_ <= 0)
        return;
    ::kill(child_, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + kEndBudget;
    while (!ended(child_)) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(child_, SIGKILL);
            ::waitpid(child_, nullptr, 0);
            break;
        }
        ::usleep(std::chrono::microseconds(kEndCheck).count());
    }
    child_ = -1;
}

std::string SimulatorProcess::readFirstLine(int fd) const
{
    const auto deadline = std::chrono::steady_clock::now() + kStartBudget;
    std::string line;
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd input{fd, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&input, 1, static_cast<int>(left.count())) == 0)
            throw SimulatorStartError("the simulator gave no device path within 5 s");
        char c = 0;
        const ssize_t n = ::read(fd, &c, 1);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw SimulatorStartError(
                "the simulator ended without a device path (vk785n-sim run with the same options says why)");
        if (c == '\n')
            return line;
        if (line.size() == kPathLimit)
            throw SimulatorStartError("the simulator's first line is no device path");
        line += c;
    }
}

std::filesystem::path SimulatorProcess::besideThisProgram()
{
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return (ec ? std::filesystem::path(".") : self.parent_path()) / "vk785n-sim";
}

}  // namespace vk::sim
