#include "sim/SimulatorProcess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr auto kLimit = 5s;

// Reads from fd until the text read ends with `end`, the writer closes, or the limit passes.
std::string readUntil(int fd, std::string_view end, Clock::duration limit = kLimit)
{
    const auto deadline = Clock::now() + limit;
    std::string text;
    while (!text.ends_with(end) && Clock::now() < deadline) {
        pollfd readable{fd, POLLIN, 0};
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        // Never negative: poll would wait for ever.
        if (poll(&readable, 1, static_cast<int>(std::max<std::int64_t>(left.count(), 0)) + 1) <= 0)
            continue;
        char byte = 0;
        if (read(fd, &byte, 1) != 1)
            break;
        text += byte;
    }
    return text;
}

// vk785n-sim as a child process, with its stdout and stderr on pipes.
class SimProcess {
public:
    explicit SimProcess(const std::vector<std::string>& args)
    {
        int out[2] = {-1, -1};
        int err[2] = {-1, -1};
        if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
        std::vector<std::string> words{VK_SIM_PROGRAM};
        words.insert(words.end(), args.begin(), args.end());
        std::vector<char*> argv;
        argv.reserve(words.size() + 1);
        for (auto& word : words)
            argv.push_back(word.data());
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, VK_SIM_PROGRAM, &actions, nullptr, argv.data(), environ) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        close(err[1]);
        stdout_ = out[0];
        stderr_ = err[0];
    }
    ~SimProcess()
    {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        close(stdout_);
        close(stderr_);
    }
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    bool started() const { return pid_ > 0; }
    std::string firstLine()
    {
        std::string line = readUntil(stdout_, "\n");
        if (line.ends_with('\n'))
            line.pop_back();
        return line;
    }
    std::string errors() { return readUntil(stderr_, "\x04never"); }
    void signal(int number) { kill(pid_, number); }
    // The exit status, or nullopt when it did not exit normally within the limit.
    std::optional<int> exitStatus()
    {
        const auto deadline = Clock::now() + kLimit;
        int status = 0;
        pid_t ended = 0;
        while ((ended = waitpid(pid_, &status, WNOHANG)) == 0 && Clock::now() < deadline)
            std::this_thread::sleep_for(5ms);
        if (ended != pid_)
            return std::nullopt;
        pid_ = -1;
        return WIFEXITED(status) ? std::optional<int>(WEXITSTATUS(status)) : std::nullopt;
    }

private:
    pid_t pid_ = -1;
    int stdout_ = -1;
    int stderr_ = -1;
};

// The terminal's end, opened as a terminal program would, in raw mode.
class TerminalEnd {
public:
    explicit TerminalEnd(const std::string& path) : fd_(open(path.c_str(), O_RDWR | O_NOCTTY))
    {
        termios settings{};
        if (fd_ >= 0 && tcgetattr(fd_, &settings) == 0) {
            cfmakeraw(&settings);
            tcsetattr(fd_, TCSANOW, &settings);
        }
    }
    ~TerminalEnd() { close(fd_); }
    TerminalEnd(const TerminalEnd&) = delete;
    TerminalEnd& operator=(const TerminalEnd&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    std::string exchange(std::string_view command)
    {
        if (write(fd_, command.data(), command.size()) != static_cast<ssize_t>(command.size()))
            return {};
        return readUntil(fd_, "\r");
    }
    std::string readLine() { return readUntil(fd_, "\r"); }

private:
    int fd_ = -1;
};

TEST(SimProgram, AnswersOnItsTerminalAndEndsCleanlyOnSigterm)
{
    SimProcess sim({"--status", "8001", "--verbose"});
    ASSERT_TRUE(sim.started());
    const std::string path = sim.firstLine();
    ASSERT_TRUE(path.starts_with("/dev/")) << path;
    {
        TerminalEnd terminal(path);
        ASSERT_TRUE(terminal.isOpen()) << path;
        EXPECT_EQ(terminal.exchange("31\r"), "8001\r");
        EXPECT_EQ(terminal.exchange("22=7\r\r"), ".\r");
    }
    // A second terminal program finds the simulator still there after the first closed.
    TerminalEnd again(path);
    EXPECT_EQ(again.exchange("22\r"), "7\r");

    sim.signal(SIGTERM);
    EXPECT_EQ(sim.exitStatus(), 0);
    const std::string log = sim.errors();
    EXPECT_NE(log.find(" rx 31\n"), std::string::npos) << log;
    EXPECT_NE(log.find(" tx 8001\\r\n"), std::string::npos) << log;
}

// A window polls once a second: its queries are logged only on request, a
// line the simulator drops always.
TEST(SimProgram, LogsTrafficOnlyWhenAskedAndTroublesAlways)
{
    const std::string overLong = std::string(70, '1') + "\r";
    struct Case {
        std::vector<std::string> args;
        std::string sent;
        std::vector<std::string> logged;
        std::vector<std::string> notLogged;
    };
    const std::vector<Case> cases = {
        {{}, "31\r", {}, {}},
        {{"--verbose"}, "31\r", {" rx 31\n", " tx 0\\r\n"}, {}},
        {{}, overLong + "31\r", {" rx (line over 64 bytes, dropped)\n"}, {" rx 31", " tx "}},
        {{"--verbose"}, overLong + "31\r", {" rx (line over 64 bytes, dropped)\n", " rx 31\n"}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args) + " " + ::testing::PrintToString(c.sent));
        SimProcess sim(c.args);
        ASSERT_TRUE(sim.started());
        {
            TerminalEnd terminal(sim.firstLine());
            ASSERT_TRUE(terminal.isOpen());
            EXPECT_EQ(terminal.exchange(c.sent), "0\r");
        }
        sim.signal(SIGTERM);
        EXPECT_EQ(sim.exitStatus(), 0);
        const std::string log = sim.errors();
        if (c.logged.empty()) {
            EXPECT_EQ(log, "");
        }
        for (const std::string& text : c.logged)
            EXPECT_NE(log.find(text), std::string::npos) << text << " not in:\n" << log;
        for (const std::string& text : c.notLogged)
            EXPECT_EQ(log.find(text), std::string::npos) << text << " in:\n" << log;
    }
}

TEST(SimProgram, PutsStaleBytesOnTheLineBeforeAnyoneOpensIt)
{
    SimProcess sim({"--stale", "9\\r"});
    ASSERT_TRUE(sim.started());
    TerminalEnd terminal(sim.firstLine());
    ASSERT_TRUE(terminal.isOpen());
    EXPECT_EQ(terminal.readLine(), "9\r");
    EXPECT_EQ(terminal.exchange("00\r"), "2048\r");
    sim.signal(SIGINT);
    EXPECT_EQ(sim.exitStatus(), 0);
}

TEST(SimProgram, RefusesABadOptionWithStatus2)
{
    SimProcess sim({"--batches", "0"});
    ASSERT_TRUE(sim.started());
    EXPECT_EQ(sim.exitStatus(), 2);
    EXPECT_NE(sim.errors().find("--batches"), std::string::npos);
}

// The programs' --simulate: the simulator answers on the line it names, and
// ends with its owner.
TEST(SimulatorProcess, StartsTheSimulatorAndEndsItWithItsOwner)
{
    std::string path;
    {
        const vk::sim::SimulatorProcess sim(VK_SIM_PROGRAM, {"--status", "1"});
        path = sim.devicePath();
        TerminalEnd terminal(path);
        ASSERT_TRUE(terminal.isOpen()) << path;
        EXPECT_EQ(terminal.exchange("31\r"), "1\r");
    }
    // The kernel frees a pseudo-terminal's node from a work queue, a moment after its last close.
    for (int tries = 0; tries < 100 && access(path.c_str(), F_OK) == 0; ++tries)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_NE(access(path.c_str(), F_OK), 0) << "the line outlived the simulator by a second";
}

TEST(SimulatorProcess, SaysWhyItCouldNotStart)
{
    const auto startError = [](const std::string& program, const std::vector<std::string>& options) -> std::string {
        try {
            vk::sim::SimulatorProcess sim(program, options);
        } catch (const vk::sim::SimulatorStartError& error) {
            return error.what();
        }
        return "started";
    };
    EXPECT_EQ(startError("/nonexistent/vk785n-sim", {}),
              "cannot start /nonexistent/vk785n-sim: No such file or directory");
    EXPECT_EQ(startError(VK_SIM_PROGRAM, {"--bogus"}),
              "the simulator ended without a device path (vk785n-sim run with the same options says why)");
}

}  // namespace
