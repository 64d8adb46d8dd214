#pragma once

#include "cli/ExitStatus.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace vk::cli {

struct CommandContext;

// One of vk785n's commands: what the parser, `help` and the manual page say of
// it, and what runs it.
struct CommandSpec {
    std::string_view name;
    std::string_view arguments;  // "[FILE]", "N..."
    std::string_view summary;    // one line in the command list
    std::string_view details;    // its own help: what it does, the options that matter to it
    std::size_t minArgs = 0;
    std::size_t maxArgs = 0;
    bool severalDrives = false;  // takes several --device PATH at once
    std::span<const ExitStatus> statuses;
    int (*run)(const CommandContext&) = nullptr;
};

// Every command, in the order the help lists them.
std::span<const CommandSpec> commandTable();
// The command of that name, or nullptr.
const CommandSpec* findCommand(std::string_view name);

// What an exit status tells a script, in one line.
std::string_view exitStatusMeaning(ExitStatus status);

// The whole usage, and one command's own.
std::string usageText();
std::string commandUsage(const CommandSpec& command);

}  // namespace vk::cli
