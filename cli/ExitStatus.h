#pragma once

namespace vk::cli {

// What vk785n's exit status tells a script; --help lists them.
enum class ExitStatus : int {
    Done = 0,
    Differences = 1,    // diff: the drive and the file differ
    UsageOrFile = 2,    // a wrong command line, or a file that cannot be read or is refused
    PortNotOpened = 3,  // the device is missing, not ours to open, or held by another program
    NoAnswer = 4,       // the drive did not answer, acknowledged with another byte, or its answer is in doubt
    Mismatch = 5,       // a value read back is not the one written
    SaveRefused = 6,    // the servo is on, or the status could not be read: no save now
    DeviceGone = 7,     // the device went away in the middle (an adapter pulled out)
    Interrupted = 130,  // Ctrl+C: what was done before it is reported
};

inline int exitCode(ExitStatus status)
{
    return static_cast<int>(status);
}

}  // namespace vk::cli
