#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vk {

// Where the system shows its devices, its processes and its hardware; tests
// point these at folders of their own.
struct SystemFolders {
    std::filesystem::path dev = "/dev";
    std::filesystem::path sys = "/sys";
    std::filesystem::path proc = "/proc";
};

// A program that has a device open.
struct DeviceHolder {
    int pid = 0;
    std::string program;
};

// What can be learnt of a serial device without opening it (an open can reset
// the hardware behind it).
struct SerialDevice {
    std::string path;                      // as the system names it: /dev/ttyUSB0
    std::vector<std::string> stableNames;  // the /dev/serial/by-id names that lead to it
    std::string maker;                     // the USB adapter's, where the system knows them
    std::string product;
    bool exists = false;
    bool characterDevice = false;
    bool mayOpen = false;               // this user may read and write it
    std::string group;                  // the device's group, whom to join for access
    std::vector<DeviceHolder> holders;  // other programs that have it open
    std::string owner;                  // the device's owner
    unsigned mode = 0;                  // its permission bits, 0660 say
};

// The serial lines of the machine: the UARTs among /dev/ttyS* that have
// hardware behind them, every /dev/ttyUSB* and /dev/ttyACM*, in name order.
std::vector<SerialDevice> listSerialDevices(const SystemFolders& system = {});

// What is known of the device at a path; a /dev/serial/by-id name or any other
// link is followed to the device it names.
SerialDevice describeDevice(const std::string& path, const SystemFolders& system = {});

}  // namespace vk
