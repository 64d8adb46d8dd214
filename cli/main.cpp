// vk785n: a VK785N drive's parameters kept in a file and put back, from the
// command line, over the same drive link as the window.
#include "cli/CliOptions.h"
#include "cli/Commands.h"
#include "cli/ExitStatus.h"

#include <iostream>

int main(int argc, char* argv[])
{
    using namespace vk::cli;
    const CliOptions options = parseCliOptions({argv + 1, argv + argc});
    switch (options.action) {
    case CliOptions::Action::Help:
    case CliOptions::Action::Version:
        std::cout << options.message;
        return exitCode(ExitStatus::Done);
    case CliOptions::Action::Error:
        std::cerr << options.message;
        return exitCode(ExitStatus::UsageOrFile);
    case CliOptions::Action::Run:
        break;
    }
    return runCommand(options);
}
