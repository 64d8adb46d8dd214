#include "cli/FileCommands.h"

#include "cli/DriveConnection.h"
#include "cli/Progress.h"
#include "cli/Report.h"
#include "params/ParameterTable.h"
#include "params/ParameterValue.h"

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

#include <unistd.h>

namespace vk::cli {
namespace {

constexpr const char* kVersion = "vk785n " VK_VERSION;

std::string utcNow()
{
    const std::time_t now = std::time(nullptr);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", std::gmtime(&now));
    return text;
}

// Written beside the file and renamed over it: a failed backup never leaves
// half a file, nor spoils the one it would replace.
bool writeWholeFile(const std::string& path, const std::string& text, std::string& problem)
{
    const std::string temporary = path + ".tmp" + std::to_string(::getpid());
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << text;
        out.flush();
        if (!out) {
            problem = std::strerror(errno);
            std::filesystem::remove(temporary);
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        problem = ec.message();
        std::filesystem::remove(temporary, ec);
    }
    return problem.empty();
}

Json valuesJson(const std::vector<FileValue>& values)
{
    Json json = Json::object();
    for (const FileValue& v : values)
        json.add(std::to_string(v.number), v.text);
    return json;
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
int printEveryDrive(const CommandContext& context, const std::vector<Result>& results, const Text& text, const ToJson& toJson)
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
            std::cout << text(context.targets[i], results[i]) << '\n';
    }
    if (context.options.json) {
        std::cout << Json::object().add("drives", drives).add("exitStatus", worst).text() << std::endl;
    } else if (results.size() > 1) {
        std::string summary = std::to_string(results.size()) + " drives:";
        for (const auto& [word, count] : counts)
            summary += " " + std::to_string(count) + " " + word + ",";
        summary.pop_back();
        std::cout << summary << std::endl;
    }
    return worst;
}

std::optional<ParameterFile> checkedFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        complain(ExitStatus::UsageOrFile, path + ": " + std::strerror(errno));
        return std::nullopt;
    }
    ParameterFile file = readParameterFile(in, path);
    for (const std::string& error : file.errors)
        std::cerr << error << '\n';
    if (file.values.empty() && file.errors.empty())
        complain(ExitStatus::UsageOrFile, path + ": holds no parameter");
    if (!file.errors.empty() || file.values.empty())
        return std::nullopt;
    return file;
}

}  // namespace

int backupCommand(const CommandContext& context, DriveLink& link)
{
    const Target& target = context.target();
    BackupResult result;
    {
        Progress progress("backup", {target.label()});
        result = backupDrive(link, [&progress](int number, int step, int steps) { progress.step(0, number, step, steps); });
    }
    if (result.outcome != ExitStatus::Done)
        return complain(result.outcome, target.label() + ": " + result.message);
    const FileHeader header{kVersion, utcNow(), target.label(),
                            *result.statusWord.text + " (" + statusMeaning(result.statusWord.status) + ")"};
    std::ostringstream file;
    std::vector<BackedUpValue> backedUp;
    for (const FileValue& v : result.values)
        backedUp.push_back({v.number, v.text, windowDifference(v.number, v.text)});
    writeParameterFile(file, header, backedUp);
    const bool toFile = !context.options.args.empty();
    std::string problem;
    if (toFile && !writeWholeFile(context.options.args.front(), file.str(), problem))
        return complain(ExitStatus::UsageOrFile, context.options.args.front() + ": cannot write: " + problem);
    if (!toFile && !context.options.json) {
        std::cout << file.str() << std::flush;
        return exitCode(ExitStatus::Done);
    }
    Json json = driveJson(target, result).add("status", *result.statusWord.text).add("values", valuesJson(result.values));
    if (toFile)
        json.add("file", context.options.args.front());
    return context.print(result, target.label() + ": " + std::to_string(result.values.size()) + " numbers written to "
                                     + (toFile ? context.options.args.front() : ""),
                         json);
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
        const auto results = onEveryDrive<DiffResult>(context, "diff", [&](DriveLink& link, const ProgressStep&) {
            return diffDrive(link, file->values);
        });
        return printEveryDrive(context, results, diffText, diffJson);
    }
    const auto results = onEveryDrive<RestoreResult>(context, "restore", [&](DriveLink& link, const ProgressStep& step) {
        return restoreDrive(link, file->values, context.options.save, step);
    });
    return printEveryDrive(context, results, restoreText, restoreJson);
}

}  // namespace vk::cli
