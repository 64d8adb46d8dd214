#include "platform/SerialDevices.h"

#include <algorithm>
#include <fstream>
#include <optional>
#include <string_view>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vk {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kDevPrefix = "/dev/";
constexpr std::string_view kUsbAttributesMarker = "idVendor";
// A tty's sysfs device sits a few folders below the USB device it belongs to.
constexpr int kUsbSearchDepth = 6;
constexpr std::string_view kUnknownUartType = "0";

// The file behind a system path, in the folders the system is shown in.
fs::path onDisk(const std::string& path, const SystemFolders& system)
{
    return path.starts_with(kDevPrefix) ? system.dev / path.substr(kDevPrefix.size()) : fs::path(path);
}

// The system's name of a file in the device folder, /dev/ttyUSB0, the file's
// own name kept (a link is not followed). Outside that folder, its own path.
std::string systemName(const fs::path& file, const SystemFolders& system)
{
    std::error_code ec;
    for (const fs::path& dev : {system.dev, fs::canonical(system.dev, ec)}) {
        const fs::path relative = file.lexically_relative(dev);
        if (!relative.empty() && !relative.native().starts_with(".."))
            return std::string(kDevPrefix) + relative.string();
    }
    return file.string();
}

std::string firstLine(const fs::path& file)
{
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

std::vector<DeviceHolder> holdersOf(const std::string& path, const SystemFolders& system)
{
    std::vector<DeviceHolder> holders;
    std::error_code ec;
    for (const auto& process : fs::directory_iterator(system.proc, ec)) {
        const std::string pid = process.path().filename().string();
        if (pid.empty() || !std::all_of(pid.begin(), pid.end(), ::isdigit) || std::stoi(pid) == ::getpid())
            continue;
        std::error_code fdError;
        for (const auto& fd : fs::directory_iterator(process.path() / "fd", fdError)) {
            std::error_code linkError;
            if (fs::read_symlink(fd.path(), linkError) == path) {
                holders.push_back({std::stoi(pid), firstLine(process.path() / "comm")});
                break;
            }
        }
    }
    return holders;
}

// The USB device above a tty's sysfs folder, where the adapter's maker and product are.
std::optional<fs::path> usbDeviceOf(const std::string& name, const SystemFolders& system)
{
    std::error_code ec;
    fs::path folder = fs::canonical(system.sys / "class" / "tty" / name / "device", ec);
    for (int depth = 0; !ec && depth < kUsbSearchDepth && folder.has_relative_path(); ++depth) {
        if (fs::exists(folder / kUsbAttributesMarker))
            return folder;
        folder = folder.parent_path();
    }
    return std::nullopt;
}

std::vector<std::string> stableNamesOf(const fs::path& device, const SystemFolders& system)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& link : fs::directory_iterator(system.dev / "serial" / "by-id", ec)) {
        std::error_code linkError;
        if (fs::canonical(link.path(), linkError) == device)
            names.push_back(systemName(link.path(), system));
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string groupName(gid_t gid)
{
    const group* found = ::getgrgid(gid);
    return found ? found->gr_name : std::to_string(gid);
}

std::string userName(uid_t uid)
{
    const passwd* found = ::getpwuid(uid);
    return found ? found->pw_name : std::to_string(uid);
}

bool isSerialName(const std::string& name, const SystemFolders& system)
{
    if (name.starts_with("ttyUSB") || name.starts_with("ttyACM"))
        return true;
    // The kernel makes ttyS0..ttyS31 whatever the machine has: type 0 is no UART.
    const std::string type = firstLine(system.sys / "class" / "tty" / name / "type");
    return name.starts_with("ttyS") && !type.empty() && type != kUnknownUartType;
}

// ttyS2 before ttyS10: the prefix, then the number.
bool nameOrder(const std::string& a, const std::string& b)
{
    const auto split = [](const std::string& s) {
        const auto digits = s.find_first_of("0123456789");
        const std::string prefix = s.substr(0, digits);
        return std::pair(prefix, digits == std::string::npos ? -1 : std::stoi(s.substr(digits)));
    };
    return split(a) < split(b);
}

}  // namespace

SerialDevice describeDevice(const std::string& path, const SystemFolders& system)
{
    SerialDevice device;
    std::error_code ec;
    const fs::path file = fs::canonical(onDisk(path, system), ec);
    device.path = ec ? path : systemName(file, system);
    device.exists = !ec;
    if (!device.exists)
        return device;
    struct stat info {};
    device.characterDevice = ::stat(file.c_str(), &info) == 0 && S_ISCHR(info.st_mode);
    device.mayOpen = ::access(file.c_str(), R_OK | W_OK) == 0;
    device.group = groupName(info.st_gid);
    device.owner = userName(info.st_uid);
    device.mode = info.st_mode & 07777;
    device.holders = holdersOf(device.path, system);
    device.stableNames = stableNamesOf(file, system);
    if (const auto usb = usbDeviceOf(file.filename().string(), system)) {
        device.maker = firstLine(*usb / "manufacturer");
        device.product = firstLine(*usb / "product");
    }
    return device;
}

std::vector<SerialDevice> listSerialDevices(const SystemFolders& system)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(system.dev, ec)) {
        const std::string name = entry.path().filename().string();
        if (isSerialName(name, system))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end(), nameOrder);
    std::vector<SerialDevice> devices;
    devices.reserve(names.size());
    for (const std::string& name : names)
        devices.push_back(describeDevice(std::string(kDevPrefix) + name, system));
    return devices;
}

}  // namespace vk
