#include "cli/CommandContext.h"

#include "cli/Output.h"
#include "cli/Report.h"

#include <iostream>

namespace vk::cli {
namespace {

// How failures are told: on stderr, and under --json also as the one JSON object on stdout.
struct FailureReport {
    bool json = false;
    std::string device;
};

FailureReport& failureReport()
{
    static FailureReport report;
    return report;
}

bool failed(ExitStatus outcome)
{
    return outcome != ExitStatus::Done && outcome != ExitStatus::Differences;
}

}  // namespace

int CommandContext::print(const TaskEnd& end, const std::string& text, const Json& json) const
{
    printOutcome(end.outcome, options.json ? json.text() : text, options.json);
    return exitCode(end.outcome);
}

void printOutcome(ExitStatus outcome, const std::string& text, bool json)
{
    if (!json && failed(outcome))
        std::cerr << "vk785n: " << text << '\n';
    else
        printResult(text);
}

void reportFailuresAsJson(std::string device)
{
    failureReport() = {true, std::move(device)};
}

int complain(ExitStatus status, const std::string& message)
{
    std::cerr << "vk785n: " << message << '\n';
    const FailureReport& report = failureReport();
    if (report.json) {
        Json json = Json::object().add("result", outcomeWord(status)).add("exitStatus", exitCode(status));
        if (!report.device.empty())
            json.add("device", report.device);
        printResult(json.add("message", message).text());
    }
    return exitCode(status);
}

}  // namespace vk::cli
