#include "cli/Doctor.h"

#include "cli/Report.h"
#include "link/DriveCommands.h"
#include "platform/EscapedBytes.h"
#include "platform/PortOpenError.h"

#include <optional>

namespace vk::cli {
namespace {

// The driver answers within milliseconds; two seconds leave room for a slow one.
constexpr Budget kAnswerBudget{2000};
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
                          "join the device's group '" + device.group + "' (sudo usermod -aG " + device.group
                              + " $USER), then log out and in again");
    return probe.pass("this user may read and write it");
}

// A program that has the line open without a lock would take the drive's replies.
bool checkHolders(Probe& probe, const std::string& path, const DoctorSeams& seams)
{
    const auto others = rivals(seams.describe(path).holders);
    if (!others.empty())
        return probe.fail(Verdict::Busy, "held by " + others.front().program + " (pid " + std::to_string(others.front().pid) + ")",
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

std::unique_ptr<SerialPort> openLine(Probe& probe, const std::string& path, const DoctorSeams& seams)
{
    try {
        if (auto port = seams.opener(path)) {
            probe.pass("opened for exclusive use at 9600 8N1 with RTS/CTS and XON/XOFF");
            return port;
        }
        probe.fail(Verdict::NotASerialLine, path + " cannot be opened as a serial line", "name another device");
    } catch (const PortOpenError& error) {
        if (error.problem() == PortProblem::Missing)
            probe.fail(Verdict::Missing, error.what(), deviceList(seams.list()));
        else if (error.problem() != PortProblem::Busy)
            probe.fail(verdictOf(error.problem()), error.what(), "name another device");
        else if (checkHolders(probe, path, seams))
            probe.fail(Verdict::Busy, path + " is marked for exclusive use, yet no program has it open",
                       "the system holds it (its console, say), or a program ended without clearing the mark: "
                       "use another port");
    }
    return nullptr;
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

// What came back for a command within the budget, up to and with a CR.
std::string exchange(SerialPort& port, const DoctorSeams& seams, std::string_view command)
{
    port.dropWaitingInput();
    const auto budget = static_cast<Tick>(seams.answerBudget.count());
    port.write(command, budget);
    const Tick deadline = seams.clock.tickMs() + budget;
    std::string reply;
    char byte = 0;
    while (!reply.ends_with('\r') && seams.clock.tickMs() <= deadline) {
        if (port.read(&byte, 1) == 1) {
            reply += byte;
            continue;
        }
        port.waitReadable(deadline - seams.clock.tickMs() + 1);
    }
    return reply;
}

bool checkAnswer(Probe& probe, SerialPort& port, const DoctorSeams& seams)
{
    const std::string statusCommand = twoDigitNumber(kStatusNumber) + "\r";
    const std::string readCommand = twoDigitNumber(0) + "\r";
    const std::string status = exchange(port, seams, statusCommand);
    const std::string read = exchange(port, seams, readCommand);
    if (status.empty() && read.empty())
        return probe.fail(Verdict::NoAnswer, "no answer to the status query",
                          "check that the driver is powered and the cable is in both ports");
    if (status == statusCommand && read == readCommand)
        return probe.fail(Verdict::Echo, "the line sends our own commands back",
                          "a loopback plug or a terminal is at the other end, not the driver");
    const auto word = status.ends_with('\r') ? parseStatusWord(status.substr(0, status.size() - 1)) : std::nullopt;
    if (!word)
        return probe.fail(Verdict::NotAReply, "bytes that are no reply: " + escapedBytes(status),
                          "set the driver to 9600 baud 8N1, or check that the driver is what is connected");
    probe.diagnosis.finding = "status " + status.substr(0, status.size() - 1) + ": " + statusMeaning(*word);
    return probe.pass("the drive answered the status query: " + probe.diagnosis.finding);
}

}  // namespace

DoctorSeams systemSeams(Clock& clock, PortOpener opener)
{
    return DoctorSeams{[](const std::string& path) { return describeDevice(path); },
                       [] { return listSerialDevices(); }, std::move(opener), clock, kAnswerBudget};
}

Diagnosis diagnose(const std::string& device, const DoctorSeams& seams)
{
    Probe probe;
    if (!checkDevice(probe, device, seams))
        return probe.diagnosis;
    const auto port = openLine(probe, device, seams);
    if (port && checkHolders(probe, device, seams) && checkHandshake(probe, *port))
        checkAnswer(probe, *port, seams);
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
    }
    return "unknown";
}

}  // namespace vk::cli
