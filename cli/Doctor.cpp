#include "cli/Doctor.h"

#include "cli/DriveAnswers.h"
#include "cli/Interrupt.h"
#include "cli/Report.h"
#include "link/DriveCommands.h"
#include "platform/EscapedBytes.h"
#include "platform/PortOpenError.h"

#include <cstdio>
#include <optional>

namespace vk::cli {
namespace {

constexpr std::string_view kSimulator = "vk785n-sim";

struct Probe {
    Diagnosis diagnosis;

    bool pass(std::string text)
    {
        diagnosis.steps.push_back({true, std::move(text)});
        return true;
    }
    void note(std::string text) { diagnosis.steps.push_back({false, std::move(text)}); }
    bool fail(Verdict verdict, std::string finding, std::string remedy)
    {
        note(finding);
        diagnosis.verdict = verdict;
        diagnosis.finding = std::move(finding);
        diagnosis.remedy = std::move(remedy);
        return false;
    }
};

std::string deviceList(const std::vector<SerialDevice>& devices)
{
    std::string list;
    for (const SerialDevice& d : devices)
        list += (list.empty() ? "" : ", ") + d.path;
    return list.empty() ? "no serial device is connected: plug in the adapter or name another device"
                        : "the serial devices here: " + list;
}

// The simulated driver keeps its own line's terminal end open: it is the drive, not a rival.
std::vector<DeviceHolder> rivals(const std::vector<DeviceHolder>& holders)
{
    std::vector<DeviceHolder> others;
    for (const DeviceHolder& h : holders)
        if (h.program != kSimulator)
            others.push_back(h);
    return others;
}

std::string octal(unsigned mode)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%04o", mode);
    return digits;
}

// Joining the group helps only where the mode lets the group read and write.
std::string accessRemedy(const SerialDevice& device)
{
    constexpr unsigned kGroupReadWrite = 0060;
    if ((device.mode & kGroupReadWrite) == kGroupReadWrite)
        return "join the device's group '" + device.group + "' (sudo usermod -aG " + device.group
            + " $USER), then log out and in again";
    return "its mode " + octal(device.mode) + " lets only its owner " + device.owner + " (and root) read and write it, "
        + "not the group " + device.group + ": have an administrator give it to the group dialout with mode 0660 "
        + "by a udev rule (SUBSYSTEM==\"tty\", GROUP=\"dialout\", MODE=\"0660\"), then join dialout";
}

bool checkDevice(Probe& probe, const std::string& path, const DoctorSeams& seams)
{
    const SerialDevice device = seams.describe(path);
    if (!device.exists)
        return probe.fail(Verdict::Missing, path + " does not exist", deviceList(seams.list()));
    probe.pass(device.path == path ? path + " exists" : path + " leads to " + device.path);
    if (!device.characterDevice)
        return probe.fail(Verdict::NotASerialLine, device.path + " is no device but a file",
                          "name the serial device the drive is connected to");
    if (!device.mayOpen)
        return probe.fail(Verdict::NoPermission, "this user may not read and write " + device.path,
                          accessRemedy(device));
    return probe.pass("this user may read and write it");
}

// A program that has the line open without a lock would take the drive's replies.
bool checkHolders(Probe& probe, const std::string& path, const DoctorSeams& seams)
{
    const auto others = rivals(seams.describe(path).holders);
    if (!others.empty())
        return probe.fail(Verdict::Busy,
                          "held by " + others.front().program + " (pid " + std::to_string(others.front().pid) + ")",
                          "end that program, or let it release the port");
    return probe.pass("no other program has it open");
}

Verdict verdictOf(PortProblem problem)
{
    switch (problem) {
    case PortProblem::Missing: return Verdict::Missing;
    case PortProblem::NoPermission: return Verdict::NoPermission;
    case PortProblem::Busy: return Verdict::Busy;
    case PortProblem::NotASerialLine:
    case PortProblem::Other: break;
    }
    return Verdict::NotASerialLine;
}

bool openLine(Probe& probe, DriveLink& link, const std::string& path, const DoctorSeams& seams)
{
    if (link.OpenDevice(path))
        return probe.pass("opened for exclusive use at 9600 8N1 with RTS/CTS and XON/XOFF");
    const std::optional<PortOpenError>& error = link.openError();
    if (!error)
        return probe.fail(Verdict::NotASerialLine, path + " cannot be opened as a serial line", "name another device");
    if (error->problem() == PortProblem::Missing)
        return probe.fail(Verdict::Missing, error->what(), deviceList(seams.list()));
    if (error->problem() != PortProblem::Busy)
        return probe.fail(verdictOf(error->problem()), error->what(), "name another device");
    if (checkHolders(probe, path, seams))
        probe.fail(Verdict::Busy, path + " is marked for exclusive use, yet no program has it open",
                   "the system holds it (its console, say), or a program ended without clearing the mark: "
                   "use another port");
    return false;
}

bool checkHandshake(Probe& probe, SerialPort& port)
{
    const std::optional<bool> cts = port.clearToSend();
    if (!cts) {
        probe.note("pseudo-terminal: it has no modem lines, so CTS is not looked at");
        return true;
    }
    if (!*cts)
        return probe.fail(Verdict::CtsLow, "CTS is low: with hardware handshake nothing can be sent",
                          "switch the driver on, or use a cable that carries RTS and CTS");
    return probe.pass("CTS is high: the drive lets us send");
}

// The status query as the commands ask it, by their reply rule and echo check.
bool checkAnswer(Probe& probe, DriveLink& link)
{
    const Answer status = askNumber(link, kStatusNumber);
    if (status.failure == ExitStatus::Interrupted)
        return probe.fail(Verdict::Interrupted, "interrupted", "run the doctor again");
    if (status.problem == kEchoProblem)
        return probe.fail(Verdict::Echo, "the line sends our own commands back",
                          "a loopback plug or a terminal is at the other end, not the driver");
    if (!status && status.received.ends_with("\r\n"))
        return probe.fail(Verdict::CrLf, "the drive ends its replies with CR LF: " + escapedBytes(status.received),
                          "set the drive, or the converter in the line, to end replies with CR alone");
    if (!status && status.received.empty())
        return probe.fail(Verdict::NoAnswer, "no answer to the status query",
                          "check that the driver is powered and the cable is in both ports");
    const std::optional<std::int32_t> word = statusWordOf(status);
    if (!word)
        return probe.fail(Verdict::NotAReply,
                          "bytes that are no reply: " + escapedBytes(status ? *status.text + "\r" : status.received),
                          "set the driver to 9600 baud 8N1, or check that the driver is what is connected");
    probe.diagnosis.finding = "status " + *status.text + ": " + statusMeaning(*word);
    return probe.pass("the drive answered the status query: " + probe.diagnosis.finding);
}

}  // namespace

DoctorSeams systemSeams(Clock& clock, PortOpener opener)
{
    return DoctorSeams{[](const std::string& path) { return describeDevice(path); }, [] { return listSerialDevices(); },
                       std::move(opener), clock};
}

Diagnosis diagnose(const std::string& device, const DoctorSeams& seams)
{
    Probe probe;
    if (!checkDevice(probe, device, seams))
        return probe.diagnosis;
    DriveLink link(seams.clock, seams.opener, DeviceMap());
    link.setStopRequest(interruptRequested);
    if (openLine(probe, link, device, seams) && checkHolders(probe, device, seams)
        && checkHandshake(probe, *link.state().port))
        checkAnswer(probe, link);
    return probe.diagnosis;
}

std::string verdictWord(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Answered: return "answered";
    case Verdict::Missing: return "no such device";
    case Verdict::NoPermission: return "no permission";
    case Verdict::Busy: return "held by another program";
    case Verdict::NotASerialLine: return "not a serial line";
    case Verdict::CtsLow: return "CTS low";
    case Verdict::NoAnswer: return "no answer";
    case Verdict::NotAReply: return "no reply";
    case Verdict::Echo: return "echo";
    case Verdict::CrLf: return "CR LF";
    case Verdict::Interrupted: return "interrupted";
    }
    return "unknown";
}

}  // namespace vk::cli
