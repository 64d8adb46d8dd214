#pragma once

#include <string_view>

namespace vk::cli {

// Writes a result on stdout with a line end, flushed at once so that a reader
// of a pipe sees it as it comes. The first failure is kept: a result that
// never reached its reader must fail the command at its end.
void printResult(std::string_view text);
// The same without the line end (a backup's text on stdout).
void printText(std::string_view text);

// Closes stdout; the errno of the first failure of any result or of the
// close, 0 when all went well.
int closeResults();

}  // namespace vk::cli
