// vk785n: a VK785N drive's parameters kept in a file and put back, from the
// command line, over the same drive link as the window.
#include "cli/CliOptions.h"
#include "cli/CommandContext.h"
#include "cli/Commands.h"
#include "cli/ExitStatus.h"
#include "cli/Output.h"

#include <cstring>
#include <exception>
#include <iostream>

namespace {

using namespace vk::cli;

// Results that never reached their reader are no results: a full disk or a
// closed stdout turns a done command into a failed one.
int withOutputChecked(int status)
{
    const int error = closeResults();
    if (error == 0)
        return status;
    complain(ExitStatus::UsageOrFile, std::string("cannot write standard output: ") + std::strerror(error));
    return status == exitCode(ExitStatus::Done) ? exitCode(ExitStatus::UsageOrFile) : status;
}

int run(const CliOptions& options)
{
    switch (options.action) {
    case CliOptions::Action::Help:
    case CliOptions::Action::Version: printText(options.message); return exitCode(ExitStatus::Done);
    case CliOptions::Action::Error: std::cerr << options.message; return exitCode(ExitStatus::UsageOrFile);
    case CliOptions::Action::Run: break;
    }
    // Caught here so that every port and file is released on the way out.
    try {
        return runCommand(options);
    } catch (const std::exception& error) {
        return complain(ExitStatus::UsageOrFile, error.what());
    }
}

}  // namespace

int main(int argc, char* argv[])
{
    return withOutputChecked(run(parseCliOptions({argv + 1, argv + argc})));
}
