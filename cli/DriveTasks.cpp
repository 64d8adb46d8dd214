#include "cli/DriveTasks.h"

#include "cli/Report.h"

#include "link/DriveCommands.h"
#include "link/DriveLink.h"
#include "params/ParameterSet.h"
#include "params/ParameterTable.h"
#include "params/ParameterValue.h"
#include "platform/EscapedBytes.h"

#include <algorithm>

namespace vk::cli {
namespace {

// Whether the drive answers the read of a number: 18 is written and never read.
bool readable(int number)
{
    return parameterEntry(number)->read;
}

template <typename Result>
Result ended(Result result, ExitStatus status, std::string message)
{
    result.outcome = status;
    result.message = std::move(message);
    return result;
}

template <typename Result>
Result ended(Result result, const Answer& failed, const std::string& after = {})
{
    return ended(std::move(result), failed.failure, failed.problem + after);
}

std::string writeProblem(const DriveLink& link, WriteEnd end, int number)
{
    const std::string subject = "number " + twoDigitNumber(number);
    switch (end) {
    case WriteEnd::WrongByte:
        return subject + " was acknowledged with '" + escapedBytes(std::string(1, link.state().AckChar)) + "' instead of '.'";
    case WriteEnd::NotInTime: return subject + " was not acknowledged in time and may have been written";
    case WriteEnd::Echo: return std::string(kEchoProblem);
    case WriteEnd::Interrupted: return "interrupted before " + subject + " was acknowledged";
    case WriteEnd::DeviceGone: return std::string(kGoneProblem) + " before " + subject + " was acknowledged";
    case WriteEnd::Acknowledged: break;
    }
    return {};
}

ExitStatus writeOutcome(WriteEnd end)
{
    switch (end) {
    case WriteEnd::Interrupted: return ExitStatus::Interrupted;
    case WriteEnd::DeviceGone: return ExitStatus::DeviceGone;
    default: return ExitStatus::NoAnswer;
    }
}

std::string writtenList(const std::vector<int>& written)
{
    return written.empty() ? "nothing was written" : "written before it: " + numberList(written);
}

// The values to write, in the bulk write's order.
std::vector<const FileValue*> inWriteOrder(const std::vector<FileValue>& values)
{
    std::vector<const FileValue*> ordered;
    for (const int number : bulkWriteNumbers())
        if (const FileValue* v = findValue(values, number))
            ordered.push_back(v);
    return ordered;
}

// Writes in the bulk write's order; false with the reason set at the first failure.
bool writeAll(DriveLink& link, const std::vector<FileValue>& values, RestoreResult& result, const ProgressStep& progress)
{
    const std::vector<const FileValue*> toWrite = inWriteOrder(values);
    for (std::size_t i = 0; i < toWrite.size(); ++i) {
        const FileValue& v = *toWrite[i];
        progress(v.number, static_cast<int>(i) + 1, static_cast<int>(toWrite.size()));
        if (!link.awaitOutputRoom(ParameterSet::kWriteRoomBytes, ParameterSet::kWriteRoomBudget)) {
            const WriteEnd end = link.stopRequested() ? WriteEnd::Interrupted
                                 : link.lineLost()    ? WriteEnd::DeviceGone
                                                      : WriteEnd::NotInTime;
            const std::string why = end == WriteEnd::NotInTime ? "the line took no more bytes before number " + twoDigitNumber(v.number)
                                                               : writeProblem(link, end, v.number);
            result = ended(result, writeOutcome(end), why + "; " + writtenList(result.written));
            return false;
        }
        const WriteEnd end = writeNumber(link, v.number, v.value);
        if (end != WriteEnd::Acknowledged) {
            if (end == WriteEnd::NotInTime)
                result.mayBeWritten = v.number;
            result = ended(result, writeOutcome(end), writeProblem(link, end, v.number) + "; " + writtenList(result.written));
            return false;
        }
        result.written.push_back(v.number);
    }
    return true;
}

// Whether the drive's reply stands for exactly the value given.
bool holds(int number, const std::string& reply, std::int32_t value)
{
    return parameterValue(number, reply).value == value;
}

bool readBackAll(DriveLink& link, const std::vector<FileValue>& values, RestoreResult& result)
{
    for (const int number : result.written) {
        if (!readable(number))
            continue;
        const Answer reply = askNumber(link, number);
        if (!reply) {
            result = ended(result, reply, " in the read-back; all were written");
            return false;
        }
        const FileValue& v = *findValue(values, number);
        if (!holds(number, *reply.text, v.value))
            result.mismatches.push_back({number, v.text, *reply.text});
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
    result.status = askNumber(link, kStatusNumber);
    if (!result.status)
        return ended(result, result.status);
    const std::vector<int> numbers = bulkReadNumbers();
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const int number = numbers[i];
        progress(number, static_cast<int>(i) + 1, static_cast<int>(numbers.size()));
        const Answer reply = askNumber(link, number);
        if (!reply)
            return ended(result, reply);
        result.values.push_back(BackedUpValue{number, *reply.text, windowDifference(number, *reply.text)});
    }
    return result;
}

RestoreResult restoreDrive(DriveLink& link, const std::vector<FileValue>& values, bool save, const ProgressStep& progress)
{
    RestoreResult result;
    for (const FileValue& v : values)
        if (!parameterEntry(v.number)->written)
            result.notWritten.push_back(v.number);
    if (!writeAll(link, values, result, progress) || !readBackAll(link, values, result))
        return save ? ended(result, result.outcome, result.message + "; nothing was saved") : result;
    if (!save)
        return result;
    const SaveResult saved = saveDrive(link);
    result.saved = saved.outcome == ExitStatus::Done;
    return result.saved ? result : ended(result, saved.outcome, saved.message + "; all were written and read back");
}

DiffResult diffDrive(DriveLink& link, const std::vector<FileValue>& values)
{
    DiffResult result;
    for (const FileValue& v : values) {
        if (!readable(v.number)) {
            result.notCompared.push_back(v.number);
            continue;
        }
        const Answer reply = askNumber(link, v.number);
        if (!reply)
            return ended(result, reply);
        if (!holds(v.number, *reply.text, v.value))
            result.differences.push_back({v.number, v.text, *reply.text});
    }
    if (!result.differences.empty())
        result.outcome = ExitStatus::Differences;
    return result;
}

SaveResult saveDrive(DriveLink& link)
{
    SaveResult result;
    result.status = askNumber(link, kStatusNumber);
    if (result.status.failure == ExitStatus::Interrupted || result.status.problem == kEchoProblem)
        return ended(result, result.status, "; not saved");
    const std::optional<std::int32_t> word = statusWordOf(result.status);
    if (!word) {
        const std::string why = result.status ? "'" + escapedBytes(*result.status.text) + "' is no status word" : result.status.problem;
        return ended(result, ExitStatus::SaveRefused, "the status could not be read (" + why + "): not saved");
    }
    if ((*word & kServoOnMask) != 0)
        return ended(result, ExitStatus::SaveRefused, "the servo is on: the drive cannot save now");
    if (!SaveParam(link)) {
        if (link.stopRequested())
            return ended(result, ExitStatus::Interrupted, "interrupted after the save was asked for: the drive may have saved");
        return ended(result, ExitStatus::NoAnswer, "the save was not acknowledged");
    }
    return result;
}

}  // namespace vk::cli
