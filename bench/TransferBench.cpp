// How close vk785n's backup and restore come to the wire: each against the
// paced simulated driver on a pseudo-terminal, next to the floor, the time the
// bytes of every exchange need both ways at 9600 baud plus the simulator's own
// turnaround. The goal is at most 1.05. A pseudo-terminal carries our commands
// at once, so the time can fall below that floor; the second ratio is to the
// same exchanges made by the plainest client there is (blocking reads on the
// line), which is what this line and simulator allow at best.

#include "bench/PacedLink.h"
#include "cli/DriveTasks.h"
#include "link/DriveCommands.h"
#include "params/ParameterTable.h"
#include "platform/SystemPort.h"
#include "platform/TracingSerialPort.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

using namespace vk;
using std::chrono::steady_clock;
using Millis = std::chrono::duration<double, std::milli>;

constexpr int kRuns = 7;
constexpr double kByteMs = 10.0 / 9.6;  // 8N1 at 9600 baud
constexpr double kGoal = 1.05;

struct Floor {
    double commandsMs = 0;  // our bytes at 9600 baud
    double repliesMs = 0;   // until the simulator's last reply byte, after each command
    double totalMs() const { return commandsMs + repliesMs; }
};

Floor floorOf(const sim::DriverCore& core, const std::vector<std::string>& commands)
{
    sim::DriverCore probe = core;
    Floor floor;
    for (const std::string& command : commands) {
        const auto replies = probe.receive(command);
        floor.commandsMs += static_cast<double>(command.size()) * kByteMs;
        floor.repliesMs += replies.empty() ? 0 : static_cast<double>(replies.back().delayUs) / 1e3;
    }
    return floor;
}

std::vector<std::string> backupCommands()
{
    std::vector<std::string> commands{twoDigitNumber(kStatusNumber) + "\r"};
    for (const int number : bulkReadNumbers())
        commands.push_back(twoDigitNumber(number) + "\r");
    return commands;
}

std::vector<std::string> restoreCommands(const std::vector<cli::FileValue>& values)
{
    std::vector<std::string> commands;
    commands.reserve(2 * values.size());
    for (const cli::FileValue& v : values)
        commands.push_back(writeCommand(v.number, v.value) + "\r");
    for (const cli::FileValue& v : values)
        commands.push_back(twoDigitNumber(v.number) + "\r");
    return commands;
}

double medianMs(const std::function<bool()>& task)
{
    std::vector<double> runs;
    for (int i = 0; i < kRuns; ++i) {
        const auto before = steady_clock::now();
        if (!task())
            return -1;
        runs.push_back(Millis(steady_clock::now() - before).count());
    }
    std::nth_element(runs.begin(), runs.begin() + kRuns / 2, runs.end());
    return runs[kRuns / 2];
}

// The exchanges as the plainest client makes them: write the command, block
// until the reply's last byte (a CR; the second byte of a write's ".\r").
bool plainExchanges(int fd, const std::vector<std::string>& commands)
{
    for (const std::string& command : commands) {
        if (::write(fd, command.data(), command.size()) != static_cast<ssize_t>(command.size()))
            return false;
        const bool isWrite = command.find('=') != std::string::npos;
        std::string reply;
        for (char c = 0; isWrite ? reply.size() < 2 : c != '\r';) {
            if (::read(fd, &c, 1) != 1)
                return false;
            reply += c;
        }
    }
    return true;
}

double plainMedianMs(const std::string& device, const std::vector<std::string>& commands)
{
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY);
    termios raw{};
    ::tcgetattr(fd, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(fd, TCSANOW, &raw);
    const double ms = fd < 0 ? -1 : medianMs([&] { return plainExchanges(fd, commands); });
    ::close(fd);
    return ms;
}

bool report(const char* what, double measured, const Floor& floor, double plainMs)
{
    const double ratio = measured / floor.totalMs();
    std::printf("%-22s median %6.1f ms of %d; floor %6.1f ms, ratio %.3f (goal <= %.2f: %s); "
                "plain client %6.1f ms, ratio %.3f\n",
                what, measured, kRuns, floor.totalMs(), ratio, kGoal, ratio <= kGoal ? "met" : "MISSED", plainMs,
                measured / plainMs);
    return ratio <= kGoal;
}

void noProgress(int, int, int)
{
}

// The backup once more, on a driver of its own, with every byte written to a
// trace file as it goes.
double tracedBackupMs(const sim::DriverCore& core)
{
    const auto traceFile = std::filesystem::temp_directory_path()
        / ("vk785n-bench-" + std::to_string(::getpid()) + ".trace");
    bench::PacedLink traced(core, tracingOpener(systemPortOpener(), std::make_shared<LineTrace>(traceFile)));
    const double ms = medianMs(
        [&] { return cli::backupDrive(traced.link, noProgress).outcome == cli::ExitStatus::Done; });
    std::filesystem::remove(traceFile);
    return ms;
}

}  // namespace

int main()
{
    const sim::DriverCore core = bench::paced(sim::DriverCore());
    bench::PacedLink paced(core, systemPortOpener());
    DriveLink& link = paced.link;
    const std::string& device = paced.driver.devicePath();
    std::printf("simulated driver on %s, bytes paced at 9600 baud\n", device.c_str());

    cli::BackupResult backup;
    const double backupMs = medianMs([&] {
        backup = cli::backupDrive(link, noProgress);
        return backup.outcome == cli::ExitStatus::Done;
    });
    // What a restore writes and reads back: the backup's file, as the bulk write sends it.
    std::stringstream file;
    cli::writeParameterFile(file, {}, backup.values);
    const std::vector<cli::FileValue> restored = cli::readParameterFile(file, "backup").values;
    std::vector<cli::FileValue> written;
    for (const cli::FileValue& v : restored)
        if (v.number != 24 && v.number != 25)
            written.push_back(v);
    const double restoreMs = medianMs(
        [&] { return cli::restoreDrive(link, restored, false, noProgress).outcome == cli::ExitStatus::Done; });
    if (backupMs < 0 || restoreMs < 0) {
        std::fprintf(stderr, "vk785n-transfer-bench: a transfer failed\n");
        return 1;
    }
    link.ClosePort();
    const double tracedMs = tracedBackupMs(core);
    const auto backupSeries = backupCommands();
    const auto restoreSeries = restoreCommands(written);
    bool met = report("backup", backupMs, floorOf(core, backupSeries), plainMedianMs(device, backupSeries));
    met &= report("restore with read-back", restoreMs, floorOf(core, restoreSeries),
                  plainMedianMs(device, restoreSeries));
    std::printf("backup with --trace    median %6.1f ms of %d; ratio to the backup without it %.3f\n", tracedMs, kRuns,
                tracedMs / backupMs);
    return met ? 0 : 2;
}
