#include "cli/DriveTasks.h"
#include "link/DriveLink.h"
#include "sim/DriverCore.h"
#include "support/FakeClock.h"
#include "tests/support/FakeSerialPort.h"
#include "tests/support/NamedCase.h"

#include <gtest/gtest.h>

#include <sstream>

namespace vk::cli {
namespace {

using test::PrintTo;

using test::FakeClock;
using test::FakeSerialPort;

// The drive tasks against the simulated driver's core on a fake line, so
// that its faults and their time-outs run in no time.
class DriveTasks : public ::testing::Test {
protected:
    void SetUp() override
    {
        link.state().PortNumber = 1;
        ASSERT_TRUE(link.OpenPort());
    }

    // A backup as restore reads it back from its file.
    std::vector<FileValue> backedUp()
    {
        const BackupResult backup = backupDrive(link, noProgress);
        EXPECT_EQ(backup.outcome, ExitStatus::Done) << backup.message;
        std::stringstream file;
        writeParameterFile(file, {}, backup.values);
        const ParameterFile read = readParameterFile(file, "backup");
        EXPECT_TRUE(read.errors.empty());
        return read.values;
    }

    static void noProgress(int, int, int) {}

    FakeClock clock;
    sim::DriverCore driver;
    DriveLink link{clock,
                   [this](const std::string&) {
                       auto port = std::make_unique<FakeSerialPort>(clock);
                       port->attachDriver(driver);
                       return port;
                   },
                   DeviceMap{}};
};

TEST_F(DriveTasks, BackupThenRestoreWritesBackWhatWasReadInTheWindowsOrder)
{
    driver.setParameter(4, 0x46);
    driver.setParameter(22, -7);
    std::vector<FileValue> values = backedUp();
    ASSERT_EQ(values.size(), 16u);
    EXPECT_EQ(values[4].text, "046");
    values.push_back({18, "12", 12, 0});
    driver = sim::DriverCore();

    const RestoreResult restored = restoreDrive(link, values, false, noProgress);
    EXPECT_EQ(restored.outcome, ExitStatus::Done) << restored.message;
    EXPECT_EQ(restored.written, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 18, 22, 23}));
    EXPECT_EQ(restored.notWritten, (std::vector<int>{24, 25}));
    EXPECT_EQ(driver.parameter(4), 0x46);
    EXPECT_EQ(driver.parameter(22), -7);
    EXPECT_EQ(driver.parameter(18), 12);
    EXPECT_EQ(driver.commands()[4], "04=046");
    EXPECT_EQ(driver.saveCount(), 0);
}

struct FaultCase {
    const char* name;
    sim::SimFaults faults;
    std::int32_t status;
    bool save;
    ExitStatus outcome;
    std::vector<int> written;
    std::string message;
    std::size_t stopAfterCommands = SIZE_MAX;  // Ctrl+C once the drive has had this many
    std::optional<int> mayBeWritten = {};
};

class RestoreFaults : public DriveTasks, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(RestoreFaults, StopAtTheFirstFailureAndSayWhatWasWritten)
{
    const std::vector<FileValue> values = backedUp();
    const FaultCase& c = GetParam();
    driver.faults() = c.faults;
    driver.setStatusWord(c.status);
    const std::size_t commandsBefore = driver.commands().size();
    link.setStopRequest([&] { return driver.commands().size() - commandsBefore >= c.stopAfterCommands; });
    const RestoreResult result = restoreDrive(link, values, c.save, noProgress);
    EXPECT_EQ(result.outcome, c.outcome);
    EXPECT_EQ(result.written, c.written);
    EXPECT_EQ(result.message, c.message);
    EXPECT_EQ(result.mayBeWritten, c.mayBeWritten);
    EXPECT_EQ(result.saved, c.outcome == ExitStatus::Done && c.save);
    if (c.message.ends_with("nothing was saved")) {
        EXPECT_EQ(driver.saveCount(), 0);
    }
    // Nothing is sent once the stop is asked for.
    if (c.stopAfterCommands != SIZE_MAX) {
        EXPECT_EQ(driver.commands().size() - commandsBefore, c.stopAfterCommands);
    }
}

const std::vector<int> kAll = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 22, 23};

// Laid out by hand: a case to a line or two, as a table reads.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    , RestoreFaults,
    ::testing::Values(
        FaultCase{"WrongAckAtSix", {.ackChar = 'x', .ackCharFrom = 6}, 0, false, ExitStatus::NoAnswer, {0, 1, 2, 3, 4, 5},
                  "number 06 was acknowledged with 'x' instead of '.'; written before it: 00 01 02 03 04 05"},
        FaultCase{"SilentFromEight", {.silentFrom = 8}, 0, false, ExitStatus::NoAnswer, {0, 1, 2, 3, 4, 5, 6, 7},
                  "number 08 was not acknowledged in time and may have been written; written before it: 00 01 02 03 "
                  "04 05 06 07", SIZE_MAX, 8},
        FaultCase{"AcknowledgedLate", {.delayMs = 2500, .delayFrom = 6}, 0, true, ExitStatus::NoAnswer, {0, 1, 2, 3, 4, 5},
                  "number 06 was not acknowledged in time and may have been written; written before it: 00 01 02 03 "
                  "04 05; nothing was saved", SIZE_MAX, 6},
        FaultCase{"SilentAtOnce", {.silent = true}, 0, false, ExitStatus::NoAnswer, {},
                  "number 00 was not acknowledged in time and may have been written; nothing was written", SIZE_MAX, 0},
        FaultCase{"Echo", {.echo = true}, 0, true, ExitStatus::NoAnswer, {},
                  "the line sends back what it is sent (a loopback plug or a terminal): no drive is there; nothing "
                  "was written; nothing was saved"},
        FaultCase{"StoresWrong", {.storesWrong = 9}, 0, false, ExitStatus::Mismatch, kAll,
                  "the drive holds other values than were written"},
        FaultCase{"InterruptedWhileWriting", {}, 0, true, ExitStatus::Interrupted, {0, 1, 2},
                  "interrupted before number 03 was acknowledged; written before it: 00 01 02; nothing was saved", 4},
        FaultCase{"InterruptedInTheReadBack", {}, 0, true, ExitStatus::Interrupted, kAll,
                  "interrupted in the read-back; all were written; nothing was saved", 16},
        FaultCase{"SaveWithServoOn", {}, 0x8001, true, ExitStatus::SaveRefused, kAll,
                  "the servo is on: the drive cannot save now; all were written and read back"},
        FaultCase{"SaveOnAStatusThatIsNoNumber", {.garbage = true}, 0, true, ExitStatus::Mismatch, kAll,
                  "the drive holds other values than were written; nothing was saved"},
        FaultCase{"SaveAcknowledgedWrongly", {.ackChar = '?', .ackCharFrom = 31}, 0, true, ExitStatus::NoAnswer, kAll,
                  "the save was not acknowledged; all were written and read back"},
        FaultCase{"Saved", {}, 0x80, true, ExitStatus::Done, kAll, ""}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(DriveTasks, AReadBackMismatchNamesTheNumberAndBothValues)
{
    const std::vector<FileValue> values = backedUp();
    driver.faults().storesWrong = 9;
    const RestoreResult result = restoreDrive(link, values, false, noProgress);
    ASSERT_EQ(result.mismatches.size(), 1u);
    EXPECT_EQ(result.mismatches[0].number, 9);
    EXPECT_EQ(result.mismatches[0].written, "100");
    EXPECT_EQ(result.mismatches[0].readBack, "101");
}

TEST_F(DriveTasks, DiffComparesExactValues)
{
    const std::vector<FileValue> values = {
        {6, "0", 0, 1}, {4, "077", 0x77, 2}, {5, "003", 3, 3}, {22, "$500", 1280, 4}, {18, "3", 3, 5}};
    driver.setParameter(6, 15);
    driver.setParameter(4, 0x77);
    driver.setParameter(5, 0x7);  // the window would show 003 as 7's buttons less bit 2
    const DiffResult result = diffDrive(link, values);
    EXPECT_EQ(result.outcome, ExitStatus::Differences);
    ASSERT_EQ(result.differences.size(), 2u);
    EXPECT_EQ(result.differences[0].number, 6);
    EXPECT_EQ(result.differences[0].driveText, "15");
    EXPECT_EQ(result.differences[1].number, 5);
    EXPECT_EQ(result.notCompared, (std::vector<int>{18}));
}

// A backup keeps exactly what the drive answered, notes where the window would
// show or write it otherwise, and restore puts back exactly that.
TEST_F(DriveTasks, BackupKeepsEveryReplyAndRestorePutsItBack)
{
    driver.setParameter(4, 0x77);
    driver.setParameter(5, 0x9);
    BackupResult backup = backupDrive(link, noProgress);
    ASSERT_EQ(backup.outcome, ExitStatus::Done) << backup.message;
    EXPECT_EQ(backup.values[4].text, "077");
    EXPECT_FALSE(backup.values[4].note.empty());
    EXPECT_EQ(backup.values[5].text, "009");
    EXPECT_FALSE(backup.values[5].note.empty());
    EXPECT_TRUE(backup.values[0].note.empty());
    const std::vector<FileValue> values = backedUp();
    driver = sim::DriverCore();
    const RestoreResult restored = restoreDrive(link, values, false, noProgress);
    EXPECT_EQ(restored.outcome, ExitStatus::Done) << restored.message;
    EXPECT_EQ(driver.commands()[4], "04=077");
    EXPECT_EQ(driver.parameter(5), 0x9);
}

// A drive's faults and how a task on it must end.
struct OutcomeCase {
    const char* name;
    sim::SimFaults faults;
    ExitStatus outcome;
    std::string message;
};

class BackupFaults : public DriveTasks, public ::testing::WithParamInterface<OutcomeCase> {};

TEST_P(BackupFaults, EndWithNoFileAndSayWhy)
{
    driver.faults() = GetParam().faults;
    const BackupResult result = backupDrive(link, noProgress);
    EXPECT_EQ(result.outcome, GetParam().outcome);
    EXPECT_EQ(result.message, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    , BackupFaults,
    ::testing::Values(
        OutcomeCase{"Echo",
                    {.echo = true},
                    ExitStatus::NoAnswer,
                    "the line sends back what it is sent (a loopback plug or a terminal): no drive is there"},
        OutcomeCase{"CrLf", {.crlf = true}, ExitStatus::NoAnswer, "no answer to the status query"}),
    [](const auto& info) { return std::string(info.param.name); });

// A drive may hold its own number: 22 in number 22 is no echo.
TEST_F(DriveTasks, AValueEqualToItsNumberIsNoEcho)
{
    driver.setParameter(22, 22);
    const BackupResult result = backupDrive(link, noProgress);
    EXPECT_EQ(result.outcome, ExitStatus::Done) << result.message;
}

class SaveInterlock : public DriveTasks, public ::testing::WithParamInterface<OutcomeCase> {};

TEST_P(SaveInterlock, SavesOnlyOnAStatusReadAsServoOff)
{
    driver.setStatusWord(0x1);
    driver.faults() = GetParam().faults;
    const SaveResult result = saveDrive(link);
    EXPECT_EQ(result.outcome, GetParam().outcome);
    EXPECT_EQ(result.message, GetParam().message);
    EXPECT_EQ(driver.saveCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    , SaveInterlock,
    ::testing::Values(
        OutcomeCase{"ServoOn", {}, ExitStatus::SaveRefused, "the servo is on: the drive cannot save now"},
        OutcomeCase{"StatusNoNumber",
                    {.garbage = true},
                    ExitStatus::SaveRefused,
                    "the status could not be read ('ZZ?' is no status word): not saved"},
        OutcomeCase{"StatusUnanswered",
                    {.silentFrom = 31},
                    ExitStatus::SaveRefused,
                    "the status could not be read (no answer to the status query): not saved"},
        OutcomeCase{
            "Echo",
            {.echo = true},
            ExitStatus::NoAnswer,
            "the line sends back what it is sent (a loopback plug or a terminal): no drive is there; not saved"}),
    [](const auto& info) { return std::string(info.param.name); });

// An adapter pulled out is noticed at once, not at the end of a budget.
TEST_F(DriveTasks, AnUnpluggedAdapterEndsTheRestoreAtOnce)
{
    const std::vector<FileValue> values = backedUp();
    FakeSerialPort& port = static_cast<FakeSerialPort&>(*link.state().port);
    port.setResponder([&](FakeSerialPort& p, const std::string& written) {
        if (written.starts_with("07="))
            p.unplug();
        else
            for (const auto& batch : driver.receive(written))
                p.arriveIn((batch.delayUs + 999) / 1000, batch.bytes);
    });
    const Tick started = clock.tickMs();
    const RestoreResult result = restoreDrive(link, values, true, noProgress);
    EXPECT_EQ(result.outcome, ExitStatus::DeviceGone);
    EXPECT_EQ(result.message,
              "the device went away (was the adapter pulled out?) before number 07 was acknowledged; "
              "written before it: 00 01 02 03 04 05 06; nothing was saved");
    EXPECT_LT(clock.tickMs() - started, 100u);
}

// A late reply that reaches the line with the next one is no value of either.
TEST(DriveAnswers, RepliesRunTogetherAreNoReply)
{
    FakeClock clock;
    DriveLink link{clock,
                   [&](const std::string&) {
                       auto port = std::make_unique<FakeSerialPort>(clock);
                       port->setResponder([](FakeSerialPort& p, const std::string& written) {
                           if (written == "01\r")
                               p.arriveIn(5, "1\r1\r");
                       });
                       return port;
                   },
                   DeviceMap{}};
    ASSERT_TRUE(link.OpenDevice("fake"));
    EXPECT_EQ(askNumber(link, 0).problem, "number 00 did not answer");
    const Answer glued = askNumber(link, 1);
    EXPECT_FALSE(glued);
    EXPECT_EQ(glued.failure, ExitStatus::NoAnswer);
    EXPECT_EQ(glued.problem, "number 01 got '1\\r1' back: two replies run together, a late one first");
}

}  // namespace
}  // namespace vk::cli
