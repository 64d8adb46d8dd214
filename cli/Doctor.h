#pragma once

#include "link/DriveLink.h"
#include "platform/Clock.h"
#include "platform/SerialDevices.h"
#include "platform/SerialPort.h"

#include <functional>
#include <string>
#include <vector>

namespace vk::cli {

// What the connection doctor found, from the device's existence to the
// drive's answer; each has its own exit status.
enum class Verdict {
    Answered = 0,
    Missing = 10,
    NoPermission = 11,
    Busy = 12,
    NotASerialLine = 13,
    CtsLow = 14,
    NoAnswer = 15,
    NotAReply = 16,
    Echo = 17,
    CrLf = 18,
    Interrupted = 130,
};

struct DoctorStep {
    bool passed = true;  // false for a note or the step that failed
    std::string text;
};

struct Diagnosis {
    std::vector<DoctorStep> steps;
    Verdict verdict = Verdict::Answered;
    std::string finding;  // what is wrong, or the answer
    std::string remedy;   // what to do; empty when the drive answered
};

// What the doctor asks of the system; tests act what a pseudo-terminal cannot.
struct DoctorSeams {
    std::function<SerialDevice(const std::string& path)> describe;
    std::function<std::vector<SerialDevice>()> list;
    PortOpener opener;
    Clock& clock;
};

// The doctor's seams on this machine.
DoctorSeams systemSeams(Clock& clock, PortOpener opener);

// Walks the connection to the device step by step and ends on one verdict.
Diagnosis diagnose(const std::string& device, const DoctorSeams& seams);

// A short word for a verdict: "answered", "no permission" ...
std::string verdictWord(Verdict verdict);

}  // namespace vk::cli
