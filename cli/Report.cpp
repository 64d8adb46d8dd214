#include "cli/Report.h"

#include "link/DriveCommands.h"
#include "params/ParameterTable.h"
#include "platform/NumberText.h"

namespace vk::cli {
namespace {

std::string failedText(const Target& target, const TaskEnd& end)
{
    return target.label() + ": " + outcomeWord(end.outcome) + " (exit status " + std::to_string(exitCode(end.outcome))
        + "): " + end.message;
}

std::string restoredText(const RestoreResult& result)
{
    std::string text = "wrote " + counted(result.written.size(), "number") + ", each read back as written";
    if (!result.notWritten.empty())
        text += "; " + numberList(result.notWritten) + " not written (the drive's own)";
    return result.saved ? text + "; saved" : text;
}

}  // namespace

std::string counted(std::size_t count, std::string_view noun)
{
    return std::to_string(count) + " " + std::string(noun) + (count == 1 ? "" : "s");
}

std::string numberList(const std::vector<int>& numbers)
{
    std::string list;
    for (const int number : numbers)
        list += (list.empty() ? "" : " ") + twoDigitNumber(number);
    return list;
}

std::string statusMeaning(std::int32_t status)
{
    const std::string servo = (status & kServoOnMask) != 0 ? "servo on" : "servo off";
    const std::int32_t alarm = status & kAlarmMask;
    return servo + (alarm != 0 ? ", alarm (bits " + hexPatternText(alarm, 4) + ")" : ", no alarm");
}

std::string outcomeWord(ExitStatus outcome)
{
    switch (outcome) {
    case ExitStatus::Done: return "done";
    case ExitStatus::Differences: return "differences";
    case ExitStatus::UsageOrFile: return "refused";
    case ExitStatus::PortNotOpened: return "port not opened";
    case ExitStatus::NoAnswer: return "no answer";
    case ExitStatus::Mismatch: return "read-back mismatch";
    case ExitStatus::SaveRefused: return "save refused";
    case ExitStatus::DeviceGone: return "device gone";
    case ExitStatus::Interrupted: return "interrupted";
    }
    return "failed";
}

Json driveJson(const Target& target, const TaskEnd& end)
{
    Json json = Json::object();
    json.add("drive", target.name).add("device", target.device).add("result", outcomeWord(end.outcome));
    json.add("exitStatus", exitCode(end.outcome));
    if (!end.message.empty())
        json.add("message", end.message);
    return json;
}

std::string restoreText(const Target& target, const RestoreResult& result)
{
    if (result.outcome == ExitStatus::Done)
        return target.label() + ": " + restoredText(result);
    std::string text = failedText(target, result);
    for (const ReadBackMismatch& m : result.mismatches)
        text += "\n  " + twoDigitNumber(m.number) + "  written " + m.written + ", read back " + m.readBack;
    return text;
}

std::string diffText(const Target& target, const DiffResult& result)
{
    if (result.outcome != ExitStatus::Done && result.outcome != ExitStatus::Differences)
        return failedText(target, result);
    std::string text = target.label() + ": ";
    const std::size_t count = result.differences.size();
    text += count == 0 ? "no differences" : counted(count, "difference");
    if (!result.notCompared.empty())
        text += "; " + numberList(result.notCompared) + " not compared (cannot be read)";
    for (const Difference& d : result.differences)
        text += "\n  " + twoDigitNumber(d.number) + "  file " + d.fileText + "  drive " + d.driveText + "  ("
            + std::string(parameterEntry(d.number)->meaning) + ")";
    return text;
}

Json restoreJson(const Target& target, const RestoreResult& result)
{
    Json mismatches = Json::array();
    for (const ReadBackMismatch& m : result.mismatches)
        mismatches.add("",
                       Json::object().add("number", m.number).add("written", m.written).add("readBack", m.readBack));
    return driveJson(target, result)
        .add("written", result.written)
        .add("notWritten", result.notWritten)
        .add("mismatches", mismatches)
        .add("saved", result.saved);
}

Json diffJson(const Target& target, const DiffResult& result)
{
    Json differences = Json::array();
    for (const Difference& d : result.differences)
        differences.add("",
                        Json::object()
                            .add("number", d.number)
                            .add("name", parameterEntry(d.number)->meaning)
                            .add("file", d.fileText)
                            .add("drive", d.driveText));
    return driveJson(target, result).add("differences", differences).add("notCompared", result.notCompared);
}

}  // namespace vk::cli
