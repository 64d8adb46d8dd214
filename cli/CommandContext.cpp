#include "cli/CommandContext.h"

#include <iostream>

namespace vk::cli {

int CommandContext::print(const TaskEnd& end, const std::string& text, const Json& json) const
{
    std::cout << (options.json ? json.text() : text) << std::endl;
    return exitCode(end.outcome);
}

int complain(ExitStatus status, const std::string& message)
{
    std::cerr << "vk785n: " << message << '\n';
    return exitCode(status);
}

}  // namespace vk::cli
