#pragma once

#include "cli/CommandContext.h"

namespace vk {
class DriveLink;
}

namespace vk::cli {

// backup: the drive's parameters into the file named, or onto stdout; the
// file is replaced only by a whole backup.
int backupCommand(const CommandContext& context);
// set N=V...: values checked as a file's lines, written and read back as restore does.
int setCommand(const CommandContext& context, DriveLink& link);
// restore and diff: the whole file checked first, then every drive named at the same time.
int fileCommand(const CommandContext& context);

}  // namespace vk::cli
