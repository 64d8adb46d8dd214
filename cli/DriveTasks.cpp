#include "cli/DriveTasks.h"

#include "cli/Interrupt.h"
#include "link/DriveLink.h"
#include "params/ParameterSet.h"
#include "params/ParameterTable.h"
#include "params/ParameterValue.h"

#include <algorithm>

namespace vk::cli {
namespace {

// Number 18 is written but the drive does not answer its read.
constexpr int kUnreadable = 18;

std::string numberText(int number)
{
    return twoDigitNumber(number);
}

template <typename Result>
Result ended(Result result, ExitStatus status, std::string message)
{
    result.outcome = status;
    result.message = std::move(message);
    return result;
}

std::string notAcknowledged(const DriveLink& link, int number)
{
    const auto& state = link.state();
    if (state.TimedOut)
        return "number " + numberText(number) + " was not acknowledged in time";
    return "number " + numberText(number) + " was acknowledged with '" + std::string(1, state.AckChar)
           + "' instead of '.'";
}

std::string writtenList(const std::vector<int>& written)
{
    if (written.empty())
        return "nothing was written";
    std::string list;
    for (const int number : written)
        list += (list.empty() ? "" : " ") + numberText(number);
    return "written before it: " + list;
}

// Writes in the bulk write's order; false with the reason set at the first failure.
bool writeAll(DriveLink& link, const std::vector<FileValue>& values, RestoreResult& result,
              const ProgressStep& progress)
{
    std::vector<const FileValue*> toWrite;
    for (const int number : bulkWriteNumbers())
        if (const FileValue* v = findValue(values, number))
            toWrite.push_back(v);
    for (std::size_t i = 0; i < toWrite.size(); ++i) {
        const FileValue& v = *toWrite[i];
        if (interruptRequested()) {
            result = ended(result, ExitStatus::Interrupted, "interrupted; " + writtenList(result.written));
            return false;
        }
        progress(v.number, static_cast<int>(i) + 1, static_cast<int>(toWrite.size()));
        if (!link.awaitOutputRoom(ParameterSet::kWriteRoomBytes, ParameterSet::kWriteRoomBudget)) {
            result = ended(result, ExitStatus::NoAnswer, "the line took no more bytes before number " + numberText(v.number)
                                                             + "; " + writtenList(result.written));
            return false;
        }
        if (!writeParameter(link, v.number, v.value)) {
            result = ended(result, ExitStatus::NoAnswer, notAcknowledged(link, v.number) + "; " + writtenList(result.written));
            return false;
        }
        result.written.push_back(v.number);
    }
    return true;
}

bool readBackAll(DriveLink& link, const std::vector<FileValue>& values, RestoreResult& result)
{
    for (const int number : result.written) {
        if (number == kUnreadable)
            continue;
        const auto reply = readParameter(link, number);
        if (!reply) {
            result = ended(result, ExitStatus::NoAnswer,
                           "number " + numberText(number) + " did not answer the read-back; all were written");
            return false;
        }
        const FileValue& v = *findValue(values, number);
        if (parameterValue(number, *reply).value != v.value)
            result.mismatches.push_back({number, v.text, *reply});
    }
    if (!result.mismatches.empty()) {
        result = ended(result, ExitStatus::Mismatch, "the drive holds other values than were written");
        return false;
    }
    return true;
}

// The numbers of the table that have the flag, in order.
std::vector<int> numbersWhere(bool ParameterEntry::*flag)
{
    std::vector<int> numbers;
    for (const ParameterEntry& entry : parameterTable())
        if (entry.*flag)
            numbers.push_back(entry.number);
    return numbers;
}

}  // namespace

std::vector<int> bulkReadNumbers()
{
    return numbersWhere(&ParameterEntry::read);
}

std::vector<int> bulkWriteNumbers()
{
    return numbersWhere(&ParameterEntry::written);
}

BackupResult backupDrive(DriveLink& link, const ProgressStep& progress)
{
    BackupResult result;
    result.statusWord = queryStatus(link);
    if (result.statusWord.status < 0)
        return ended(result, ExitStatus::NoAnswer, "no answer to the status query");
    const std::vector<int> numbers = bulkReadNumbers();
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const int number = numbers[i];
        progress(number, static_cast<int>(i) + 1, static_cast<int>(numbers.size()));
        const auto reply = readParameter(link, number);
        if (!reply)
            return ended(result, ExitStatus::NoAnswer, "number " + numberText(number) + " did not answer");
        const ValueFromText value = parameterValue(number, *reply);
        if (!value.value)
            return ended(result, ExitStatus::NoAnswer, "number " + numberText(number) + ": " + value.problem);
        result.values.push_back(FileValue{number, *reply, *value.value, 0});
    }
    return result;
}

RestoreResult restoreDrive(DriveLink& link, const std::vector<FileValue>& values, bool save, const ProgressStep& progress)
{
    RestoreResult result;
    for (const FileValue& v : values)
        if (!parameterEntry(v.number)->written)
            result.notWritten.push_back(v.number);
    if (!writeAll(link, values, result, progress) || !readBackAll(link, values, result) || !save)
        return result;
    const SaveResult saved = saveDrive(link);
    result.saved = saved.outcome == ExitStatus::Done;
    return result.saved ? result : ended(result, saved.outcome, saved.message + "; all were written and read back");
}

DiffResult diffDrive(DriveLink& link, const std::vector<FileValue>& values)
{
    DiffResult result;
    for (const FileValue& v : values) {
        if (v.number == kUnreadable) {
            result.notCompared.push_back(v.number);
            continue;
        }
        const auto reply = readParameter(link, v.number);
        if (!reply)
            return ended(result, ExitStatus::NoAnswer, "number " + numberText(v.number) + " did not answer");
        if (parameterValue(v.number, *reply).value != v.value)
            result.differences.push_back({v.number, v.text, *reply});
    }
    if (!result.differences.empty())
        result.outcome = ExitStatus::Differences;
    return result;
}

SaveResult saveDrive(DriveLink& link)
{
    SaveResult result;
    result.statusWord = queryStatus(link);
    if (result.statusWord.status < 0)
        return ended(result, ExitStatus::NoAnswer, "no answer to the status query before the save");
    if ((result.statusWord.status & kServoOnMask) != 0)
        return ended(result, ExitStatus::SaveRefused, "the servo is on: the drive cannot save now");
    if (!SaveParam(link))
        return ended(result, ExitStatus::NoAnswer, "the save was not acknowledged");
    return result;
}

}  // namespace vk::cli
