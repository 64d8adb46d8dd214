#pragma once

#include "cli/DriveAnswers.h"
#include "cli/ExitStatus.h"
#include "cli/ParameterFile.h"

#include <functional>
#include <optional>
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
    Answer status;                      // its text need not be a status word
    std::vector<BackedUpValue> values;  // every reply, in the order read
};

struct ReadBackMismatch {
    int number = 0;
    std::string written;
    std::string readBack;
};

struct RestoreResult : TaskEnd {
    std::vector<int> written;                  // acknowledged, in the order written
    std::optional<int> mayBeWritten;           // sent, its acknowledgement late or missing
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
    Answer status;
};

// Reads the status word and every number the bulk read asks for, keeping each
// reply exactly as it came, with a note where the window would show or write
// it differently. A failed exchange ends it.
BackupResult backupDrive(DriveLink& link, const ProgressStep& progress);
// Writes the values the bulk write sends, in its order and wire form, each
// acknowledged; reads each back but 18 and compares the values exactly; then,
// asked to, stores them as the window's SAVE does. The first failure ends it,
// and nothing is saved after one.
RestoreResult restoreDrive(DriveLink& link, const std::vector<FileValue>& values, bool save,
                           const ProgressStep& progress);
// The drive's values against the file's, exactly.
DiffResult diffDrive(DriveLink& link, const std::vector<FileValue>& values);
// The window's SAVE, only on a status word that was read and says servo off.
SaveResult saveDrive(DriveLink& link);

}  // namespace vk::cli
