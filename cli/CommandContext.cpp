#include "cli/CommandContext.h"

#include "cli/Output.h"
#include <iostream>

namespace vk::cli {

int CommandContext::print(const TaskEnd& end, const std::string& text, const Json& json) const
{
    printResult(options.json ? json.text() : text);
    return exitCode(end.outcome);
}

int complain(ExitStatus status, const std::string& message)
{
    std::cerr << "vk785n: " << message << '\n';
    return exitCode(status);
}

}  // namespace vk::cli
