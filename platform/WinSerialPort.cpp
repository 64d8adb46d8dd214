#include "platform/WinSerialPort.h"

#include "platform/PortOpenError.h"
#include "platform/SystemPort.h"

#include <algorithm>
#include <cctype>

namespace vk {
namespace {

constexpr DWORD kQueueSize = 1024;
constexpr DWORD kBaudRate = 9600;
// The output queue level cannot be waited for, only looked at again: roughly
// one character time at 9600 baud.
constexpr Tick kOutputRoomPollMs = 1;
constexpr char kDevicePrefix[] = "\\\\.\\";

std::string systemMessage(DWORD error)
{
    char text[256] = {};
    ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text, sizeof text,
                     nullptr);
    std::string message = text;
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == '.'))
        message.pop_back();
    return message;
}

[[noreturn]] void refuseOpen(const std::string& name, DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: throw PortOpenError(PortProblem::Missing, name, "no such port");
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        // Windows says "access denied" for a port another program has open.
        throw PortOpenError(PortProblem::Busy, name, "held by another program");
    default: throw PortOpenError(PortProblem::Other, name, systemMessage(error));
    }
}

// "COM3" and "\\.\COM3" both name the port; the long form also reaches COM10 and up.
std::string devicePath(const std::string& name)
{
    return name.starts_with(kDevicePrefix) ? name : kDevicePrefix + name;
}

// The port's name without the device prefix, in capitals: one lock per port
// whichever way it was named.
std::string lockName(const std::string& name)
{
    std::string port = name.starts_with(kDevicePrefix) ? name.substr(sizeof kDevicePrefix - 1) : name;
    for (char& c : port)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return "Local\\vk785n-port-" + port;
}

// Windows keeps a COM port to its first opener; where that is not enforced
// (Wine), this lock still keeps two of our programs off one port, as flock
// does on Linux.
HANDLE takePortLock(const std::string& name)
{
    const HANDLE lock = ::CreateMutexA(nullptr, FALSE, lockName(name).c_str());
    if (lock != nullptr && ::GetLastError() == ERROR_ALREADY_EXISTS) {
        ::CloseHandle(lock);
        throw PortOpenError(PortProblem::Busy, name, "held by another program");
    }
    return lock;
}

DWORD clampedMs(Tick ms)
{
    return static_cast<DWORD>(std::min<Tick>(ms, MAXDWORD - 1));
}

}  // namespace

std::unique_ptr<WinSerialPort> WinSerialPort::open(const std::string& name)
{
    const HANDLE lock = takePortLock(name);
    // Share mode 0: no other opener, this process's included.
    const HANDLE handle = ::CreateFileA(devicePath(name).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        ::CloseHandle(lock);
        refuseOpen(name, error);
    }
    std::unique_ptr<WinSerialPort> port(new WinSerialPort(handle, lock));
    port->configureLine();
    port->dropWaitingInput();
    return port;
}

WinSerialPort::~WinSerialPort()
{
    ::CloseHandle(handle_);
    if (lock_ != nullptr)
        ::CloseHandle(lock_);
}

void WinSerialPort::configureLine()
{
    ::SetupComm(handle_, kQueueSize, kQueueSize);
    DCB line{};
    line.DCBlength = sizeof line;
    ::GetCommState(handle_, &line);
    line.BaudRate = kBaudRate;
    line.ByteSize = 8;
    line.Parity = NOPARITY;
    line.StopBits = ONESTOPBIT;
    line.fBinary = TRUE;
    line.fParity = FALSE;
    line.fOutxCtsFlow = TRUE;
    line.fOutxDsrFlow = FALSE;
    line.fDtrControl = DTR_CONTROL_ENABLE;
    line.fDsrSensitivity = FALSE;
    line.fTXContinueOnXoff = FALSE;
    // Software handshake beside the hardware one, with the port's own XON/XOFF characters.
    line.fOutX = TRUE;
    line.fInX = TRUE;
    line.fErrorChar = FALSE;
    line.fNull = FALSE;
    line.fRtsControl = RTS_CONTROL_HANDSHAKE;
    line.fAbortOnError = FALSE;
    ::SetCommState(handle_, &line);
    ::SetCommMask(handle_, 0);
    setReadWait(0);
}

void WinSerialPort::setReadWait(Tick ms)
{
    COMMTIMEOUTS timeouts{};
    // MAXDWORD and no multiplier: a read returns at once with what is there.
    // MAXDWORD with both: it waits up to the constant for a first byte.
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.ReadTotalTimeoutMultiplier = ms == 0 ? 0 : MAXDWORD;
    timeouts.ReadTotalTimeoutConstant = clampedMs(ms);
    ::SetCommTimeouts(handle_, &timeouts);
}

COMSTAT WinSerialPort::queueStatus()
{
    DWORD errors = 0;
    COMSTAT status{};
    return ::ClearCommError(handle_, &errors, &status) ? status : COMSTAT{};
}

std::uint32_t WinSerialPort::bytesWaitingIn()
{
    return queueStatus().cbInQue + (waited_ ? 1 : 0);
}

std::uint32_t WinSerialPort::bytesWaitingOut()
{
    return queueStatus().cbOutQue;
}

std::ptrdiff_t WinSerialPort::read(char* buffer, std::size_t max)
{
    if (max == 0)
        return 0;
    std::size_t count = 0;
    if (waited_) {
        buffer[count++] = *waited_;
        waited_.reset();
    }
    DWORD got = 0;
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(max - count, MAXDWORD));
    if (wanted > 0 && !::ReadFile(handle_, buffer + count, wanted, &got, nullptr))
        return count > 0 ? static_cast<std::ptrdiff_t>(count) : -1;
    return static_cast<std::ptrdiff_t>(count + got);
}

std::ptrdiff_t WinSerialPort::write(std::string_view bytes, Tick timeoutMs)
{
    COMMTIMEOUTS timeouts{};
    ::GetCommTimeouts(handle_, &timeouts);
    timeouts.WriteTotalTimeoutMultiplier = 0;
    timeouts.WriteTotalTimeoutConstant = clampedMs(timeoutMs);
    ::SetCommTimeouts(handle_, &timeouts);
    DWORD written = 0;
    if (!::WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == 0)
        return -1;
    return static_cast<std::ptrdiff_t>(written);
}

// A blocking read of one byte is the wait: the system wakes it as the byte
// comes, with no spinning. The byte is kept for the next read.
void WinSerialPort::waitReadable(Tick ms)
{
    if (bytesWaitingIn() > 0)
        return;
    setReadWait(ms);
    char byte = 0;
    DWORD got = 0;
    if (::ReadFile(handle_, &byte, 1, &got, nullptr) && got == 1)
        waited_ = byte;
    setReadWait(0);
}

void WinSerialPort::waitOutputRoom(Tick ms)
{
    ::Sleep(clampedMs(std::min(ms, kOutputRoomPollMs)));
}

std::optional<bool> WinSerialPort::clearToSend()
{
    DWORD lines = 0;
    if (!::GetCommModemStatus(handle_, &lines))
        return std::nullopt;
    return (lines & MS_CTS_ON) != 0;
}

std::string defaultPortDevice(int portNumber)
{
    return "COM" + std::to_string(portNumber);
}

PortOpener systemPortOpener()
{
    return [](const std::string& name) -> std::unique_ptr<SerialPort> { return WinSerialPort::open(name); };
}

}  // namespace vk
