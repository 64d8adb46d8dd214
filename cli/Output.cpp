#include "cli/Output.h"

#include <cerrno>
#include <cstdio>

namespace vk::cli {
namespace {

int firstError = 0;

void keepError(bool failed)
{
    // EIO stands in where the stream failed without saying why.
    if (failed && firstError == 0)
        firstError = errno != 0 ? errno : EIO;
}

}  // namespace

void printText(std::string_view text)
{
    errno = 0;
    const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
    keepError(!written || std::fflush(stdout) != 0);
}

void printResult(std::string_view text)
{
    printText(text);
    printText("\n");
}

int closeResults()
{
    errno = 0;
    keepError(std::fclose(stdout) != 0);
    return firstError;
}

}  // namespace vk::cli
