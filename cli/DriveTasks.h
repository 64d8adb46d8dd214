#pragma once

#include "cli/ExitStatus.h"
#include "cli/ParameterFile.h"
#include "link/DriveCommands.h"

#include <functional>
#include <string>
#include <vector>

namespace vk {
class DriveLink;
}

namespace vk::cli {

// Where a transfer stands: the number under way, the how-many-th of how many.
using ProgressStep = std::function<void(int number, int step, int steps)>;

// How a task on one drive ended; message says what went wrong, in words.
struct TaskEnd {
    ExitStatus outcome = ExitStatus::Done;
    std::string message;
};

struct BackupResult : TaskEnd {
    StatusReply statusWord;
    std::vector<FileValue> values;  // the read numbers, in the order read
};

struct ReadBackMismatch {
    int number = 0;
    std::string written;
    std::string readBack;
};

struct RestoreResult : TaskEnd {
    std::vector<int> written;                  // acknowledged, in the order written
    std::vector<int> notWritten;               // held by the file, the drive's own (24, 25)
    std::vector<ReadBackMismatch> mismatches;  // of the written numbers but 18
    bool saved = false;
};

struct Difference {
    int number = 0;
    std::string fileText;
    std::string driveText;
};

struct DiffResult : TaskEnd {
    std::vector<Difference> differences;
    std::vector<int> notCompared;  // held by the file but not readable (18)
};

struct SaveResult : TaskEnd {
    StatusReply statusWord;
};

// The numbers a backup reads and the ones a restore writes, in the window's order.
std::vector<int> bulkReadNumbers();
std::vector<int> bulkWriteNumbers();

// Reads the status word and every number the bulk read asks for. A reply the
// file's checker would refuse ends it: a backup that cannot be restored is no backup.
BackupResult backupDrive(DriveLink& link, const ProgressStep& progress);
// Writes the values the bulk write sends, in its order and wire form, each
// acknowledged; reads each back but 18; then, asked to, stores them as the
// window's SAVE does. The first failure ends it.
RestoreResult restoreDrive(DriveLink& link, const std::vector<FileValue>& values, bool save,
                           const ProgressStep& progress);
// The drive's values against the file's, through the window's codec.
DiffResult diffDrive(DriveLink& link, const std::vector<FileValue>& values);
// The window's SAVE: refused while the status word says servo on.
SaveResult saveDrive(DriveLink& link);

}  // namespace vk::cli
