#include "platform/LineTrace.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>

#ifndef _WIN32
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace vk::test {
namespace {

using namespace std::chrono_literals;

struct LineCase {
    const char* name;
    std::string bytes;
    std::string line;  // after the time column
};

// Each line is in the file as soon as it is recorded, with nothing buffered
// that a kill could lose; the hex column lines up behind short texts.
TEST(LineTrace, WritesEachLineAtOnceInColumns)
{
    const LineCase cases[] = {
        {"command", "31\r", "/dev/ttyUSB0 tx 31\\r" + std::string(21, ' ') + "33 31 0D\n"},
        {"control bytes", std::string("\x00\x11", 2), "/dev/ttyUSB0 tx \\x00\\x11" + std::string(17, ' ') + "00 11\n"},
        {"longer than the column", "0123456789ABCDEFGHIJKLMNOP",
         "/dev/ttyUSB0 tx 0123456789ABCDEFGHIJKLMNOP 30 31 32 33 34 35 36 37 38 39 41 42 43 44 45 46 47 48 49 4A 4B 4C "
         "4D 4E 4F 50\n"},
    };
    TempFolder folder;
    LineTrace trace(folder / "t.trace");
    std::size_t before = 0;
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.name);
        trace.record("/dev/ttyUSB0", "tx", c.bytes);
        const std::string line = readFile(folder / "t.trace").substr(before);
        before += line.size();
        EXPECT_EQ(line.find_first_not_of(" 0123456789"), 6u) << line;  // "%10.3f "
        EXPECT_EQ(line.find_first_not_of("0123456789", 7), 10u) << line;
        EXPECT_EQ(line.substr(11), c.line);
    }
    EXPECT_FALSE(trace.error());
}

TEST(LineTrace, TimesAreMillisecondsSinceTheTraceBegan)
{
    TempFolder folder;
    LineTrace trace(folder / "t.trace");
    std::this_thread::sleep_for(30ms);
    trace.record("COM1", "rx", "0\r");
    const double ms = std::stod(readFile(folder / "t.trace"));
    EXPECT_GE(ms, 30);
    EXPECT_LT(ms, 30'000);
}

TEST(LineTrace, CloseKeepsWhatWasWrittenAndDropsLaterRecords)
{
    TempFolder folder;
    LineTrace trace(folder / "t.trace");
    trace.record("COM1", "tx", "31\r");
    EXPECT_FALSE(trace.close());
    trace.record("COM1", "rx", "0\r");
    EXPECT_FALSE(trace.close());
    const std::string written = readFile(folder / "t.trace");
    EXPECT_NE(written.find(" tx 31\\r"), std::string::npos);
    EXPECT_EQ(written.find(" rx "), std::string::npos);
}

struct RefusalCase {
    const char* name;
    const char* file;  // in a fresh folder
    void (*make)(const std::filesystem::path&);
    std::errc error;
    const char* says;
};

#ifndef _WIN32
void makeFifo(const std::filesystem::path& file)
{
    ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
}

void makeSocket(const std::filesystem::path& file)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    file.string().copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
}
#endif

// Each is refused at once, with the file named: nothing waits for a reader
// that may never come.
TEST(LineTrace, RefusesWhatCannotTakeATrace)
{
    const RefusalCase cases[] = {
        {"missing folder", "missing/t", [](const std::filesystem::path&) {}, std::errc::no_such_file_or_directory, ""},
        {"directory", "t", [](const std::filesystem::path& file) { std::filesystem::create_directory(file); },
         std::errc::is_a_directory, " is a directory"},
#ifndef _WIN32
        {"socket", "t", makeSocket, std::errc::invalid_argument, " is a socket"},
        {"FIFO without a reader", "t", makeFifo, std::errc::no_such_device_or_address, ": no program reads that FIFO"},
#endif
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const auto file = folder.path() / c.file;
        c.make(file);
        try {
            LineTrace trace(file);
            ADD_FAILURE() << "not refused";
        } catch (const std::system_error& error) {
            EXPECT_EQ(error.code(), c.error);
            EXPECT_EQ(std::string(error.what()).rfind(file.string() + c.says, 0), 0u) << error.what();
        }
    }
}

#ifndef _WIN32
std::string readToEnd(int fd)
{
    std::string got;
    char buffer[4096];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
        got.append(buffer, static_cast<std::size_t>(n));
    return got;
}

// The reader's end, opened before the trace as a reading program's would be.
int openReader(const std::filesystem::path& fifo)
{
    makeFifo(fifo);
    const int fd = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ::fcntl(fd, F_SETFL, 0);
    return fd;
}

// More lines than the pipe holds: the writer must wait for the reader, not
// lose lines to a full pipe.
TEST(LineTrace, FifoReaderPacesTheTrace)
{
    constexpr int kLines = 3000;
    TempFolder folder;
    const int reader = openReader(folder / "t.fifo");
    LineTrace trace(folder / "t.fifo");
    std::thread writer([&trace] {
        for (int i = 0; i < kLines; ++i)
            trace.record("/dev/pts/3", "tx", "31\r");
        trace.close();
    });
    std::this_thread::sleep_for(100ms);
    const std::string got = readToEnd(reader);
    writer.join();
    ::close(reader);
    EXPECT_EQ(std::count(got.begin(), got.end(), '\n'), kLines);
    EXPECT_FALSE(trace.error());
}

bool sigpipeBlocked()
{
    sigset_t mask;
    ::pthread_sigmask(SIG_BLOCK, nullptr, &mask);
    return sigismember(&mask, SIGPIPE) == 1;
}

struct WriteFailureCase {
    const char* name;
    std::errc error;
    bool fifo;  // else /dev/full
};

// A trace that cannot be written never stops the exchange: the first failure
// is kept for the end, and a reader that went away raises no SIGPIPE that
// would end the program.
TEST(LineTrace, KeepsTheFirstWriteFailure)
{
    const WriteFailureCase cases[] = {
        {"full disk", std::errc::no_space_on_device, false},
        {"reader gone", std::errc::broken_pipe, true},
    };
    for (const WriteFailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const int reader = c.fifo ? openReader(folder / "t.fifo") : -1;
        LineTrace trace(c.fifo ? folder / "t.fifo" : std::filesystem::path("/dev/full"));
        if (c.fifo)
            ::close(reader);
        trace.record("COM1", "tx", "31\r");
        EXPECT_EQ(trace.error(), c.error);
        trace.record("COM1", "rx", "0\r");
        EXPECT_EQ(trace.close(), c.error);
        EXPECT_FALSE(sigpipeBlocked());
    }
}
#endif

}  // namespace
}  // namespace vk::test
