#include "cli/DriveTasks.h"
#include "link/DriveLink.h"
#include "sim/DriverCore.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeSerialPort.h"
#include "tests/support/NamedCase.h"

#include <gtest/gtest.h>

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

    std::vector<FileValue> backedUp()
    {
        const BackupResult backup = backupDrive(link, noProgress);
        EXPECT_EQ(backup.outcome, ExitStatus::Done) << backup.message;
        return backup.values;
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
};

class RestoreFaults : public DriveTasks, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(RestoreFaults, StopAtTheFirstFailureAndSayWhatWasWritten)
{
    const std::vector<FileValue> values = backedUp();
    driver.faults() = GetParam().faults;
    driver.setStatusWord(GetParam().status);
    const RestoreResult result = restoreDrive(link, values, GetParam().save, noProgress);
    EXPECT_EQ(result.outcome, GetParam().outcome);
    EXPECT_EQ(result.written, GetParam().written);
    EXPECT_EQ(result.message, GetParam().message);
    EXPECT_EQ(result.saved, GetParam().outcome == ExitStatus::Done && GetParam().save);
}

const std::vector<int> kAll = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 22, 23};

INSTANTIATE_TEST_SUITE_P(
    , RestoreFaults,
    ::testing::Values(
        FaultCase{"WrongAckAtSix", {.ackChar = 'x', .ackCharFrom = 6}, 0, false, ExitStatus::NoAnswer, {0, 1, 2, 3, 4, 5},
                  "number 06 was acknowledged with 'x' instead of '.'; written before it: 00 01 02 03 04 05"},
        FaultCase{"SilentFromEight", {.silentFrom = 8}, 0, false, ExitStatus::NoAnswer, {0, 1, 2, 3, 4, 5, 6, 7},
                  "number 08 was not acknowledged in time; written before it: 00 01 02 03 04 05 06 07"},
        FaultCase{"SilentAtOnce", {.silent = true}, 0, false, ExitStatus::NoAnswer, {},
                  "number 00 was not acknowledged in time; nothing was written"},
        FaultCase{"StoresWrong", {.storesWrong = 9}, 0, false, ExitStatus::Mismatch, kAll,
                  "the drive holds other values than were written"},
        FaultCase{"SaveWithServoOn", {}, 0x8001, true, ExitStatus::SaveRefused, kAll,
                  "the servo is on: the drive cannot save now; all were written and read back"},
        FaultCase{"SaveAcknowledgedWrongly", {.ackChar = '?', .ackCharFrom = 31}, 0, true, ExitStatus::NoAnswer, kAll,
                  "the save was not acknowledged; all were written and read back"},
        FaultCase{"Saved", {}, 0x80, true, ExitStatus::Done, kAll, ""}),
    [](const auto& info) { return std::string(info.param.name); });

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

TEST_F(DriveTasks, DiffComparesThroughTheWindowsCodec)
{
    const std::vector<FileValue> values = {{6, "0", 0, 1}, {4, "046", 0x46, 2}, {22, "$500", 1280, 3}, {18, "3", 3, 4}};
    driver.setParameter(6, 15);
    driver.setParameter(4, 0x46);
    const DiffResult result = diffDrive(link, values);
    EXPECT_EQ(result.outcome, ExitStatus::Differences);
    ASSERT_EQ(result.differences.size(), 1u);
    EXPECT_EQ(result.differences[0].number, 6);
    EXPECT_EQ(result.differences[0].driveText, "15");
    EXPECT_EQ(result.notCompared, (std::vector<int>{18}));
}

// A backup that restore would refuse is no backup.
TEST_F(DriveTasks, BackupRefusesAReplyTheFileCouldNotHold)
{
    driver.faults().garbage = true;
    BackupResult result = backupDrive(link, noProgress);
    EXPECT_EQ(result.outcome, ExitStatus::NoAnswer);
    EXPECT_EQ(result.message, "number 00: 'ZZ?' is no integer");
    driver.faults() = {};
    driver.setParameter(4, 0x08);
    result = backupDrive(link, noProgress);
    EXPECT_EQ(result.outcome, ExitStatus::NoAnswer);
    EXPECT_EQ(result.message, "number 04: '008' is out of range for flags word 4: the window's buttons cannot show it");
}

}  // namespace
}  // namespace vk::cli
