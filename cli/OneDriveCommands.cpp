#include "cli/OneDriveCommands.h"

#include "cli/DriveAnswers.h"
#include "cli/DriveTasks.h"
#include "cli/Interrupt.h"
#include "cli/Output.h"
#include "cli/Report.h"
#include "link/DriveCommands.h"
#include "link/DriveLink.h"
#include "platform/EscapedBytes.h"
#include "platform/NumberText.h"

#include <chrono>
#include <ctime>
#include <optional>

namespace vk::cli {
namespace {

constexpr auto kWatchInterval = std::chrono::seconds(1);

// The status word of a reply that is one; a complaint that says why otherwise.
std::optional<std::int32_t> readStatusWord(DriveLink& link, Answer& reply)
{
    reply = askNumber(link, kStatusNumber);
    const std::optional<std::int32_t> word = statusWordOf(reply);
    if (reply && !word) {
        reply.failure = ExitStatus::NoAnswer;
        reply.problem = "the status reply '" + escapedBytes(*reply.text) + "' is no status word";
    }
    return word;
}

}  // namespace

int statusCommand(const CommandContext& context, DriveLink& link)
{
    Answer reply;
    const std::optional<std::int32_t> word = readStatusWord(link, reply);
    if (!word)
        return complain(reply.failure, context.target().label() + ": " + reply.problem);
    return context.print(TaskEnd{}, context.target().label() + ": status " + *reply.text + ": " + statusMeaning(*word),
                         driveJson(context.target(), TaskEnd{})
                             .add("status", *reply.text)
                             .add("servoOn", (*word & kServoOnMask) != 0)
                             .add("alarm", (*word & kAlarmMask) != 0)
                             .add("alarmBits", hexPatternText(*word & kAlarmMask, 4)));
}

namespace {

std::string clockTime()
{
    const std::time_t now = std::time(nullptr);
    char text[16];
    std::strftime(text, sizeof text, "%H:%M:%S", std::localtime(&now));
    return text;
}

// Each query starts on the clock's whole second, so the times printed tick
// evenly and a slow query does not shift the ones after it.
std::chrono::steady_clock::duration toNextWholeSecond()
{
    const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    return kWatchInterval - sinceEpoch % kWatchInterval;
}

}  // namespace

int watchCommand(const CommandContext& context, DriveLink& link)
{
    std::optional<std::string> shown;
    while (!interruptRequested()) {
        Answer reply;
        const std::optional<std::int32_t> word = readStatusWord(link, reply);
        if (reply.failure == ExitStatus::Interrupted)
            break;
        const std::string state = word ? *reply.text + ": " + statusMeaning(*word) : reply.problem;
        if (state != shown) {
            Json json = Json::object().add("time", clockTime()).add("answered", word.has_value());
            if (word)
                json.add("status", *reply.text)
                    .add("servoOn", (*word & kServoOnMask) != 0)
                    .add("alarm", (*word & kAlarmMask) != 0);
            else
                json.add("problem", reply.problem);
            printResult(context.options.json ? json.text() : clockTime() + "  " + state);
            shown = state;
        }
        sleepUntilInterrupted(std::chrono::steady_clock::now() + toNextWholeSecond());
    }
    return exitCode(ExitStatus::Done);
}

int saveCommand(const CommandContext& context, DriveLink& link)
{
    const SaveResult result = saveDrive(link);
    const std::string text = result.outcome == ExitStatus::Done
        ? context.target().label() + ": saved"
        : context.target().label() + ": " + outcomeWord(result.outcome) + ": " + result.message;
    return context.print(result, text, driveJson(context.target(), result));
}

int getCommand(const CommandContext& context, DriveLink& link)
{
    Json values = Json::object();
    std::string text;
    for (const std::string& arg : context.options.args) {
        const auto number = parseDigits(arg, 10);
        if (!number || arg.size() > 2 || *number >= kStatusNumber)
            return complain(ExitStatus::UsageOrFile, "'" + arg + "' is no parameter number (0 to 30)");
        const Answer reply = askNumber(link, static_cast<int>(*number));
        if (!reply)
            return complain(reply.failure, context.target().label() + ": " + reply.problem);
        const std::string shown = escapedBytes(*reply.text);
        values.add(std::to_string(*number), shown);
        text += (text.empty() ? "" : "\n") + twoDigitNumber(static_cast<int>(*number)) + " = " + shown;
    }
    return context.print(TaskEnd{}, text, driveJson(context.target(), TaskEnd{}).add("values", values));
}

}  // namespace vk::cli
