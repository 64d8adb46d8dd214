#include "cli/ConnectionCommands.h"

#include "cli/Doctor.h"
#include "cli/Output.h"
#include "link/PortChoice.h"
#include "platform/SerialDevices.h"

#include <filesystem>
#include <iostream>

namespace vk::cli {
namespace {

constexpr int kPortCount = 4;

struct PortDevice {
    std::string name;    // COM1
    std::string device;  // as chosen
    std::string system;  // the device it leads to, as the system names it
};

std::vector<PortDevice> portDevices(const CommandContext& context, const std::optional<std::string>& simulatorLine)
{
    std::vector<std::string> problems;
    const DeviceMap devices = chooseDevices(PortMap(), simulatorLine, context.options.devices, problems);
    std::vector<PortDevice> ports;
    for (int n = 1; n <= kPortCount; ++n) {
        const std::string name = portName(n);
        const std::string device = devices.devicePath(name);
        ports.push_back({name, device, describeDevice(device).path});
    }
    return ports;
}

std::string portsOf(const SerialDevice& device, const std::vector<PortDevice>& ports)
{
    std::string names;
    for (const PortDevice& port : ports)
        if (port.system == device.path)
            names += (names.empty() ? "" : " ") + port.name;
    return names;
}

std::string holdersText(const SerialDevice& device)
{
    std::string text;
    for (const DeviceHolder& h : device.holders)
        text += (text.empty() ? "" : ", ") + h.program + " (pid " + std::to_string(h.pid) + ")";
    return text.empty() ? "free" : "held by " + text;
}

std::string deviceText(const SerialDevice& device, const std::vector<PortDevice>& ports)
{
    const std::string adapter = (device.maker + " " + device.product);
    const std::string names = portsOf(device, ports);
    std::string text = device.path + ":";
    if (adapter != " ")
        text += " " + adapter + ";";
    text += names.empty() ? " no port name;" : " " + names + ";";
    text += device.mayOpen ? " this user may open it;" : " no permission (group " + device.group + ");";
    text += " " + holdersText(device);
    for (const std::string& stable : device.stableNames)
        text += "\n    also " + stable;
    return text;
}

Json deviceJson(const SerialDevice& device, const std::vector<PortDevice>& ports)
{
    Json stable = Json::array();
    for (const std::string& name : device.stableNames)
        stable.add("", name);
    Json holders = Json::array();
    for (const DeviceHolder& h : device.holders)
        holders.add("", Json::object().add("pid", h.pid).add("program", h.program));
    return Json::object()
        .add("path", device.path)
        .add("stableNames", stable)
        .add("maker", device.maker)
        .add("product", device.product)
        .add("mayOpen", device.mayOpen)
        .add("group", device.group)
        .add("heldBy", holders)
        .add("ports", portsOf(device, ports));
}

int listPorts(const CommandContext& context, const std::optional<std::string>& simulatorLine)
{
    const std::vector<SerialDevice> devices = listSerialDevices();
    const std::vector<PortDevice> ports = portDevices(context, simulatorLine);
    Json devicesJson = Json::array();
    Json portsJson = Json::object();
    std::string text = devices.empty() ? "no serial devices found\n" : "";
    for (const SerialDevice& device : devices) {
        devicesJson.add("", deviceJson(device, ports));
        text += deviceText(device, ports) + "\n";
    }
    text += "port names:";
    for (const PortDevice& port : ports) {
        portsJson.add(port.name, port.device);
        text += "\n  " + port.name + " = " + port.device
            + (describeDevice(port.device).exists ? "" : " (no such device)");
    }
    return context.print(TaskEnd{}, text, Json::object().add("devices", devicesJson).add("ports", portsJson));
}

// The device's stable name where it has one: /dev/ttyUSB0 may be another
// adapter tomorrow, its /dev/serial/by-id name stays its own.
int assignPort(const CommandContext& context)
{
    const std::string& assignment = context.options.assignment;
    const auto equals = assignment.find('=');
    const std::string name = assignment.substr(0, equals);
    const std::string given = equals == std::string::npos ? "" : assignment.substr(equals + 1);
    if (!DeviceMap().assign(name, given))
        return complain(ExitStatus::UsageOrFile, "'" + assignment + "' is not COMn=PATH with n from 1 to 4");
    // A bare name means the device of that name; the map holds only absolute paths.
    const std::string path = std::filesystem::path(given).is_absolute() ? given : "/dev/" + given;
    if (path != given && !describeDevice(path).exists)
        return complain(ExitStatus::UsageOrFile, "'" + given + "' is no device path, and " + path + " does not exist");
    const SerialDevice device = describeDevice(path);
    if (!device.exists)
        std::cerr << "vk785n: " << path << " does not exist now; assigned all the same\n";
    const std::string written = device.stableNames.empty() ? path : device.stableNames.front();
    const PortMap portMap;
    if (!portMap.assign(name, written))
        return complain(ExitStatus::UsageOrFile, portMap.file().string() + ": cannot be written");
    const std::string why = written == path ? "" : " (the stable name of " + path + ")";
    return context.print(TaskEnd{}, name + " = " + written + why + " in " + portMap.file().string(),
                         Json::object().add("port", name).add("device", written).add("file", portMap.file().string()));
}

}  // namespace

int portsCommand(const CommandContext& context)
{
    return context.options.assignment.empty() ? listPorts(context, context.simulatorLine) : assignPort(context);
}

int doctorCommand(const CommandContext& context)
{
    SteadyClock clock;
    const Target& target = context.target();
    const Diagnosis diagnosis = diagnose(target.device, systemSeams(clock, context.opener));
    Json steps = Json::array();
    std::string text = "doctor: " + target.label() + "\n";
    for (const DoctorStep& step : diagnosis.steps) {
        steps.add("", Json::object().add("passed", step.passed).add("text", step.text));
        text += (step.passed ? "  ok  " : "  --  ") + step.text + "\n";
    }
    text += "verdict: " + verdictWord(diagnosis.verdict) + (diagnosis.finding.empty() ? "" : ": " + diagnosis.finding);
    if (!diagnosis.remedy.empty())
        text += "\nwhat to do: " + diagnosis.remedy;
    const int status = static_cast<int>(diagnosis.verdict);
    printResult(context.options.json ? Json::object()
                                           .add("drive", target.name)
                                           .add("device", target.device)
                                           .add("steps", steps)
                                           .add("verdict", verdictWord(diagnosis.verdict))
                                           .add("finding", diagnosis.finding)
                                           .add("remedy", diagnosis.remedy)
                                           .add("exitStatus", status)
                                           .text()
                                     : text);
    return status;
}

}  // namespace vk::cli
