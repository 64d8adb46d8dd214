#include "cli/DriveTasks.h"

#include "cli/Report.h"

#include "link/DriveCommands.h"
#include "link/DriveLink.h"
#include "params/BulkTransfer.h"
#include "params/ParameterTable.h"
#include "params/ParameterValue.h"
#include "platform/EscapedBytes.h"

#include <algorithm>

namespace vk::cli {
namespace {

template <typename Result>
Result ended(Result result, ExitStatus status, const std::string& message)
{
    result.outcome = status;
    result.message = message;
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
        return subject + " was acknowledged with '" + escapedBytes(std::string(1, link.state().AckChar))
            + "' instead of '.'";
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

// The numbers of the file, in the bulk write's order.
std::vector<int> inWriteOrder(const std::vector<FileValue>& values)
{
    std::vector<int> ordered;
    for (const int number : bulkWriteNumbers())
        if (findValue(values, number))
            ordered.push_back(number);
    return ordered;
}

// Why a write stopped for want of room: the line took no more bytes in time,
// or a stop or an unplug ended the wait.
WriteEnd roomEnd(const DriveLink& link)
{
    return link.stopRequested() ? WriteEnd::Interrupted : link.lineLost() ? WriteEnd::DeviceGone : WriteEnd::NotInTime;
}

// Writes in the bulk write's order; false with the reason set at the first failure.
bool writeAll(DriveLink& link, const std::vector<FileValue>& values, RestoreResult& result,
              const ProgressStep& progress)
{
    const std::vector<int> numbers = inWriteOrder(values);
    const int steps = static_cast<int>(numbers.size());
    const auto valueOf = [&](int number) {
        progress(number, static_cast<int>(result.written.size()) + 1, steps);
        return std::optional(findValue(values, number)->value);
    };
    WriteEnd end = WriteEnd::Acknowledged;
    const auto write = [&](int number, std::int32_t value) {
        end = writeNumber(link, number, value);
        if (end == WriteEnd::Acknowledged)
            result.written.push_back(number);
        return end == WriteEnd::Acknowledged;
    };
    const std::optional<WriteStop> stop = writeEach(link, numbers, valueOf, write);
    if (!stop)
        return true;
    if (stop->noRoom)
        end = roomEnd(link);
    else if (end == WriteEnd::NotInTime)
        result.mayBeWritten = stop->number;
    const std::string why = stop->noRoom && end == WriteEnd::NotInTime
        ? "the line took no more bytes before number " + twoDigitNumber(stop->number)
        : writeProblem(link, end, stop->number);
    result = ended(result, writeOutcome(end), why + "; " + writtenList(result.written));
    return false;
}

// askNumber as readEach asks: the answer that failed is kept for the report.
auto askingInto(DriveLink& link, Answer& failed)
{
    return [&link, &failed](int number) {
        failed = askNumber(link, number);
        return failed.text;
    };
}

// Whether the drive's reply stands for exactly the value given.
bool holds(int number, const std::string& reply, std::int32_t value)
{
    return parameterValue(number, reply).value == value;
}

bool readBackAll(DriveLink& link, const std::vector<FileValue>& values, RestoreResult& result)
{
    std::vector<int> numbers;
    std::copy_if(result.written.begin(), result.written.end(), std::back_inserter(numbers), readable);
    Answer failed;
    const auto compare = [&](int number, const std::string& reply) {
        const FileValue& v = *findValue(values, number);
        if (!holds(number, reply, v.value))
            result.mismatches.push_back({number, v.text, reply});
    };
    if (readEach(numbers, askingInto(link, failed), compare)) {
        result = ended(result, failed, " in the read-back; all were written");
        return false;
    }
    if (!result.mismatches.empty()) {
        result = ended(result, ExitStatus::Mismatch, "the drive holds other values than were written");
        return false;
    }
    return true;
}

}  // namespace

BackupResult backupDrive(DriveLink& link, const ProgressStep& progress)
{
    BackupResult result;
    result.status = askNumber(link, kStatusNumber);
    if (!result.status)
        return ended(result, result.status);
    const std::vector<int>& numbers = bulkReadNumbers();
    const int steps = static_cast<int>(numbers.size());
    Answer failed;
    const auto ask = [&, asking = askingInto(link, failed)](int number) {
        progress(number, static_cast<int>(result.values.size()) + 1, steps);
        return asking(number);
    };
    const auto keep = [&](int number, const std::string& reply) {
        result.values.push_back(BackedUpValue{number, reply, windowDifference(number, reply)});
    };
    if (readEach(numbers, ask, keep))
        return ended(result, failed);
    return result;
}

RestoreResult restoreDrive(DriveLink& link, const std::vector<FileValue>& values, bool save,
                           const ProgressStep& progress)
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
        const std::string why = result.status ? "'" + escapedBytes(*result.status.text) + "' is no status word"
                                              : result.status.problem;
        return ended(result, ExitStatus::SaveRefused, "the status could not be read (" + why + "): not saved");
    }
    if ((*word & kServoOnMask) != 0)
        return ended(result, ExitStatus::SaveRefused, "the servo is on: the drive cannot save now");
    if (!SaveParam(link)) {
        if (link.stopRequested())
            return ended(result, ExitStatus::Interrupted,
                         "interrupted after the save was asked for: the drive may have saved");
        return ended(result, ExitStatus::NoAnswer, "the save was not acknowledged");
    }
    return result;
}

}  // namespace vk::cli
