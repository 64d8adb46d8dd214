#include "platform/LineTrace.h"

#include "platform/EscapedBytes.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <string>

#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#include <sys/stat.h>
#else
#include <signal.h>
#include <unistd.h>
#endif

namespace vk {
namespace {

namespace fs = std::filesystem;

// Wide enough for a command or a reply of the driver, so the hex columns line up.
constexpr int kTextColumn = 24;

[[noreturn]] void throwSystemError(int error, const std::string& what)
{
    throw std::system_error(error, std::generic_category(), what);
}

#ifdef _WIN32

int openFile(const fs::path& file)
{
    return ::_open(file.string().c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY | _O_NOINHERIT,
                   _S_IREAD | _S_IWRITE);
}

std::ptrdiff_t writeSome(int fd, std::string_view bytes)
{
    return ::_write(fd, bytes.data(), static_cast<unsigned>(bytes.size()));
}

int closeFile(int fd)
{
    return ::_close(fd);
}

#else

int openFile(const fs::path& file)
{
    // Non-blocking only so that open() never waits for a FIFO's reader; a
    // terminal traced to never becomes the program's controlling terminal.
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0)
        return fd;
    // From here on a slow reader paces the writes, as with any file, rather
    // than losing lines to EAGAIN.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

std::ptrdiff_t writeSome(int fd, std::string_view bytes)
{
    return ::write(fd, bytes.data(), bytes.size());
}

int closeFile(int fd)
{
    return ::close(fd);
}

// A FIFO whose reader has gone answers a write with EPIPE and raises SIGPIPE,
// whose default action ends the whole program. The signal is held back in
// this thread during the write, and one the write raised is taken before the
// thread's mask is put back, so the write only fails.
class SigpipeHeld {
public:
    SigpipeHeld()
    {
        sigemptyset(&pipe_);
        sigaddset(&pipe_, SIGPIPE);
        ::pthread_sigmask(SIG_BLOCK, &pipe_, &previous_);
        wasPending_ = pending();
    }
    ~SigpipeHeld()
    {
        const timespec now{};
        if (!wasPending_ && pending())
            ::sigtimedwait(&pipe_, nullptr, &now);
        ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
    }
    SigpipeHeld(const SigpipeHeld&) = delete;
    SigpipeHeld& operator=(const SigpipeHeld&) = delete;

private:
    static bool pending()
    {
        sigset_t signals;
        ::sigpending(&signals);
        return sigismember(&signals, SIGPIPE) == 1;
    }

    sigset_t pipe_;
    sigset_t previous_;
    bool wasPending_;
};

#endif

// A trace goes to a file, to a FIFO another program reads, or to a character
// device (/dev/null, a terminal). Anything else is refused before it is
// opened: a directory holds no lines, and a trace written over a disk's first
// blocks or into a socket is never what was meant.
void refuseOtherKinds(const fs::path& file)
{
    struct Refused {
        fs::file_type type;
        int error;
        const char* kind;
    };
    static constexpr Refused kRefused[] = {
        {fs::file_type::directory, EISDIR, "a directory"},
        {fs::file_type::block, EINVAL, "a block device"},
        {fs::file_type::socket, EINVAL, "a socket"},
    };
    std::error_code unknown;
    const fs::file_type type = fs::status(file, unknown).type();
    for (const Refused& refused : kRefused) {
        if (type == refused.type)
            throwSystemError(refused.error,
                             file.string() + " is " + refused.kind + ", not a file, FIFO or character device");
    }
}

int openTraceFile(const fs::path& file)
{
    refuseOtherKinds(file);
    const int fd = openFile(file);
    if (fd >= 0)
        return fd;
    const int error = errno;
    std::error_code unknown;
    const bool unreadFifo = error == ENXIO && fs::is_fifo(file, unknown);
    throwSystemError(error, file.string() + (unreadFifo ? ": no program reads that FIFO" : ""));
}

std::error_code writeAll(int fd, std::string_view bytes)
{
#ifndef _WIN32
    const SigpipeHeld held;
#endif
    while (!bytes.empty()) {
        const std::ptrdiff_t written = writeSome(fd, bytes);
        if (written >= 0)
            bytes.remove_prefix(static_cast<std::size_t>(written));
        else if (errno != EINTR)
            return {errno, std::generic_category()};
    }
    return {};
}

std::string hexBytes(std::string_view bytes)
{
    std::string hex;
    char pair[4];
    for (const char c : bytes) {
        std::snprintf(pair, sizeof pair, " %02X", static_cast<unsigned>(static_cast<unsigned char>(c)));
        hex += pair;
    }
    return hex;
}

std::string traceLine(double ms, std::string_view device, std::string_view direction, std::string_view bytes)
{
    char time[32];
    std::snprintf(time, sizeof time, "%10.3f ", ms);
    std::string text = escapedBytes(bytes);
    text.resize(std::max<std::size_t>(text.size(), kTextColumn), ' ');
    return time + std::string(device) + " " + std::string(direction) + " " + text + hexBytes(bytes) + "\n";
}

}  // namespace

LineTrace::LineTrace(const std::filesystem::path& file) : fd_(openTraceFile(file))
{
}

LineTrace::~LineTrace()
{
    close();
}

void LineTrace::record(std::string_view device, std::string_view direction, std::string_view bytes)
{
    const std::lock_guard lock(mutex_);
    // After a failure nothing more is written, so the file never holds a
    // line that follows a hole.
    if (fd_ < 0 || error_)
        return;
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_).count();
    error_ = writeAll(fd_, traceLine(ms, device, direction, bytes));
}

std::error_code LineTrace::error() const
{
    const std::lock_guard lock(mutex_);
    return error_;
}

std::error_code LineTrace::close()
{
    const std::lock_guard lock(mutex_);
    if (fd_ >= 0 && closeFile(fd_) != 0 && !error_)
        error_ = {errno, std::generic_category()};
    fd_ = -1;
    return error_;
}

}  // namespace vk
