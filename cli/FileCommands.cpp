#include "cli/FileCommands.h"

#include "cli/DriveConnection.h"
#include "cli/Interrupt.h"
#include "cli/Output.h"
#include "cli/Progress.h"
#include "cli/Report.h"
#include "params/ParameterTable.h"
#include "platform/EscapedBytes.h"
#include "platform/ReplacedFile.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <thread>

namespace vk::cli {
namespace {

constexpr const char* kVersion = "vk785n " VK_VERSION;
// A file argument that stands for standard input or output.
constexpr std::string_view kStandardStream = "-";

std::string utcNow()
{
    const std::time_t now = std::time(nullptr);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", std::gmtime(&now));
    return text;
}

Json valuesJson(const std::vector<BackedUpValue>& values)
{
    Json json = Json::object();
    for (const BackedUpValue& v : values)
        json.add(std::to_string(v.number), escapedBytes(v.text));
    return json;
}

// The numbers the window would show or write otherwise than the drive answered.
std::vector<int> notedNumbers(const std::vector<BackedUpValue>& values)
{
    std::vector<int> numbers;
    for (const BackedUpValue& v : values)
        if (!v.note.empty())
            numbers.push_back(v.number);
    return numbers;
}

std::string statusLine(const Answer& status)
{
    const std::optional<std::int32_t> word = statusWordOf(status);
    return *status.text + " (" + (word ? statusMeaning(*word) : "no status word") + ")";
}

BackupResult readBackup(const CommandContext& context, DriveLink& link)
{
    Progress progress("backup", {context.target().label()});
    return backupDrive(link, [&progress](int number, int step, int steps) { progress.step(0, number, step, steps); });
}

template <typename Result, typename Task>
std::vector<Result> onEveryDrive(const CommandContext& context, const std::string& taskName, const Task& task)
{
    std::vector<std::string> labels;
    for (const Target& target : context.targets)
        labels.push_back(target.label());
    Progress progress(taskName, labels);
    std::vector<Result> results(context.targets.size());
    std::vector<std::thread> drives;
    for (std::size_t i = 0; i < context.targets.size(); ++i) {
        drives.emplace_back([&, i] {
            DriveConnection drive(context.targets[i], context.opener);
            if (!drive.opened()) {
                results[i].outcome = ExitStatus::PortNotOpened;
                results[i].message = drive.openProblem();
                return;
            }
            results[i] = task(drive.link(), [&progress, i](int number, int step, int steps) {
                progress.step(i, number, step, steps);
            });
        });
    }
    for (std::thread& drive : drives)
        drive.join();
    return results;
}

// One line per drive, a summary when there are several; the highest exit status.
template <typename Result, typename Text, typename ToJson>
int printEveryDrive(const CommandContext& context, const std::vector<Result>& results, const Text& text,
                    const ToJson& toJson)
{
    int worst = 0;
    Json drives = Json::array();
    std::map<std::string, int> counts;
    for (std::size_t i = 0; i < results.size(); ++i) {
        worst = std::max(worst, exitCode(results[i].outcome));
        ++counts[outcomeWord(results[i].outcome)];
        if (context.options.json)
            drives.add("", toJson(context.targets[i], results[i]));
        else
            printOutcome(results[i].outcome, text(context.targets[i], results[i]), false);
    }
    if (context.options.json) {
        printResult(Json::object().add("drives", drives).add("exitStatus", worst).text());
    } else if (results.size() > 1) {
        std::string summary = std::to_string(results.size()) + " drives:";
        for (const auto& [word, count] : counts)
            summary += " " + std::to_string(count) + " " + word + ",";
        summary.pop_back();
        printResult(summary);
    }
    return worst;
}

// The file named, "-" standing for standard input (a file of that name is ./-).
std::optional<ParameterFile> readFileArgument(const std::string& path)
{
    if (path == kStandardStream)
        return readParameterFile(std::cin, "standard input");
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        complain(ExitStatus::UsageOrFile, path + ": cannot be read: it is a folder");
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        complain(ExitStatus::UsageOrFile, path + ": cannot be read: " + std::strerror(errno));
        return std::nullopt;
    }
    return readParameterFile(in, path);
}

std::optional<ParameterFile> checkedFile(const std::string& path)
{
    std::optional<ParameterFile> file = readFileArgument(path);
    if (!file)
        return std::nullopt;
    for (const std::string& error : file->errors)
        std::cerr << error << '\n';
    if (file->moreErrors > 0)
        std::cerr << path << ": and " << file->moreErrors << " more errors\n";
    if (file->values.empty() && file->errors.empty())
        complain(ExitStatus::UsageOrFile, path + ": holds no parameter");
    if (!file->errors.empty() || file->values.empty())
        return std::nullopt;
    return file;
}

}  // namespace

int backupCommand(const CommandContext& context)
{
    const Target& target = context.target();
    const bool toFile = !context.options.args.empty() && context.options.args.front() != kStandardStream;
    const std::string path = toFile ? context.options.args.front() : "";
    std::string problem;
    // Checked before the drive is read, so a file that cannot be written costs no transfer.
    std::optional<ReplacedFile> file = toFile ? ReplacedFile::prepare(path, problem) : std::nullopt;
    if (toFile && !file)
        return complain(ExitStatus::UsageOrFile, path + ": cannot write: " + problem);
    const std::string leftAlone = toFile ? "; " + path + " left as it was" : "";
    DriveConnection drive(target, context.opener);
    if (!drive.opened())
        return complain(ExitStatus::PortNotOpened, drive.openProblem() + leftAlone);
    const BackupResult result = readBackup(context, drive.link());
    if (result.outcome == ExitStatus::Done && interruptRequested())
        return complain(ExitStatus::Interrupted, target.label() + ": interrupted" + leftAlone);
    if (result.outcome != ExitStatus::Done)
        return complain(result.outcome, target.label() + ": " + result.message + leftAlone);
    std::ostringstream text;
    writeParameterFile(text, FileHeader{kVersion, utcNow(), target.label(), statusLine(result.status)}, result.values);
    const std::vector<int> noted = notedNumbers(result.values);
    if (!noted.empty())
        std::cerr << "vk785n: " << target.label() << ": the window would show or write " << numberList(noted)
                  << " otherwise than the drive answered; the file keeps the drive's text and notes the window's\n";
    if (toFile && !file->commit(text.str(), problem))
        return complain(ExitStatus::UsageOrFile, path + ": cannot write: " + problem);
    if (!toFile && !context.options.json) {
        printText(text.str());
        return exitCode(ExitStatus::Done);
    }
    Json json = driveJson(target, result).add("status", *result.status.text).add("values", valuesJson(result.values));
    json.add("windowDiffers", noted);
    if (toFile)
        json.add("file", path);
    return context.print(result,
                         target.label() + ": " + counted(result.values.size(), "number") + " written to " + path, json);
}

int setCommand(const CommandContext& context, DriveLink& link)
{
    std::string lines;
    for (const std::string& arg : context.options.args)
        lines += arg + "\n";
    std::istringstream in(lines);
    ParameterFile given = readParameterFile(in, "argument");
    for (const FileValue& v : given.values)
        if (!parameterEntry(v.number)->written)
            given.errors.push_back("argument:" + std::to_string(v.line) + ": number " + std::to_string(v.number)
                                   + " is the drive's own and is not written");
    for (const std::string& error : given.errors)
        std::cerr << error << '\n';
    if (!given.errors.empty())
        return exitCode(ExitStatus::UsageOrFile);
    Progress progress("set", {context.target().label()});
    const RestoreResult result = restoreDrive(link, given.values, false, [&progress](int number, int step, int steps) {
        progress.step(0, number, step, steps);
    });
    return context.print(result, restoreText(context.target(), result), restoreJson(context.target(), result));
}

int fileCommand(const CommandContext& context)
{
    const auto file = checkedFile(context.options.args.front());
    if (!file)
        return exitCode(ExitStatus::UsageOrFile);
    if (context.options.command == "diff") {
        const auto results = onEveryDrive<DiffResult>(
            context, "diff", [&](DriveLink& link, const ProgressStep&) { return diffDrive(link, file->values); });
        return printEveryDrive(context, results, diffText, diffJson);
    }
    const auto results = onEveryDrive<RestoreResult>(
        context, "restore", [&](DriveLink& link, const ProgressStep& step) {
            return restoreDrive(link, file->values, context.options.save, step);
        });
    return printEveryDrive(context, results, restoreText, restoreJson);
}

}  // namespace vk::cli
