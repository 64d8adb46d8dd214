#pragma once

#include "cli/DriveTasks.h"
#include "cli/Json.h"
#include "cli/Targets.h"

#include <cstdint>
#include <string>

namespace vk::cli {

// A count and its noun, singular for one: "1 number", "0 numbers".
std::string counted(std::size_t count, std::string_view noun);

// Numbers as two digits each, a blank apart: "00 04 22".
std::string numberList(const std::vector<int>& numbers);

// What a status word means: "servo on, alarm (bits 8000)".
std::string statusMeaning(std::int32_t status);

// A short word for how a task ended: "done", "no answer", "mismatch" ...
std::string outcomeWord(ExitStatus outcome);

// The parts every drive's JSON result has: the drive, the outcome, the message.
Json driveJson(const Target& target, const TaskEnd& end);

// One drive's result as a person reads it: one line, and for diff the
// differences below it.
std::string restoreText(const Target& target, const RestoreResult& result);
std::string diffText(const Target& target, const DiffResult& result);

Json restoreJson(const Target& target, const RestoreResult& result);
Json diffJson(const Target& target, const DiffResult& result);

}  // namespace vk::cli
