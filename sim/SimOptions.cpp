#include "sim/SimOptions.h"

#include "link/DriveCommands.h"
#include "platform/NumberText.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace vk::sim {

namespace {

constexpr int kMaxBatches = 100;
constexpr int kMaxDelayMs = 600000;
constexpr char kXon = 0x11;
constexpr char kXoff = 0x13;

[[noreturn]] void fail(std::string_view option, const std::string& problem)
{
    throw SimOptionError(std::string(option) + ": " + problem);
}

int parseWholeNumber(std::string_view option, std::string_view text, int low, int high)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value < low || value > high)
        fail(option,
             "expected a whole number from " + std::to_string(low) + " to " + std::to_string(high) + ", got '"
                 + std::string(text) + "'");
    return value;
}

// Bytes the line may carry: XON and XOFF would stop or start the terminal's output.
std::string lineBytes(std::string_view option, std::string_view text)
{
    std::string bytes;
    try {
        bytes = unescapeBytes(text);
    } catch (const SimOptionError& error) {
        fail(option, error.what());
    }
    if (std::any_of(bytes.begin(), bytes.end(), [](char c) { return c == kXon || c == kXoff; }))
        fail(option, "XON and XOFF (\\x11, \\x13) are flow control and cannot be sent");
    return bytes;
}

void setStatus(SimOptions& options, std::string_view text)
{
    options.status = parseHexPattern(text);
    if (!options.status)
        fail("--status", "expected one to eight hexadecimal digits, got '" + std::string(text) + "'");
}

void addParameter(SimOptions& options, std::string_view text)
{
    const std::size_t sign = text.find('=');
    if (sign == std::string_view::npos)
        fail("--param", "expected N=VALUE, got '" + std::string(text) + "'");
    const int number = parseWholeNumber("--param", text.substr(0, sign), 0, kStatusNumber - 1);
    const std::optional<std::int32_t> value = parseWireValue(number, text.substr(sign + 1));
    if (!value)
        fail("--param",
             "expected a " + std::string(travelsInHex(number) ? "hexadecimal" : "decimal") + " value for number "
                 + std::to_string(number) + ", got '" + std::string(text.substr(sign + 1)) + "'");
    options.parameters.emplace_back(number, *value);
}

void setAckChar(SimOptions& options, std::string_view text)
{
    const std::string bytes = lineBytes("--ack", text);
    if (bytes.size() != 1)
        fail("--ack", "expected exactly one byte, got '" + std::string(text) + "'");
    options.faults.ackChar = bytes.front();
}

struct OptionRule {
    std::string_view name;
    bool takesValue;
    void (*apply)(SimOptions&, std::string_view value);
};

const std::array kOptionRules = {
    OptionRule{"--help", false, [](SimOptions& o, std::string_view) { o.help = true; }},
    OptionRule{"--version", false, [](SimOptions& o, std::string_view) { o.version = true; }},
    OptionRule{"--status", true, setStatus},
    OptionRule{"--param", true, addParameter},
    OptionRule{"--silent", false, [](SimOptions& o, std::string_view) { o.faults.silent = true; }},
    OptionRule{"--silent-from", true,
               [](SimOptions& o, std::string_view v) {
                   o.faults.silentFrom = parseWholeNumber("--silent-from", v, 0, kStatusNumber);
               }},
    OptionRule{"--ack", true, setAckChar},
    OptionRule{"--ack-from", true,
               [](SimOptions& o, std::string_view v) {
                   o.faults.ackCharFrom = parseWholeNumber("--ack-from", v, 0, kStatusNumber);
               }},
    OptionRule{"--ack-only", false, [](SimOptions& o, std::string_view) { o.faults.ackOnly = true; }},
    OptionRule{"--crlf", false, [](SimOptions& o, std::string_view) { o.faults.crlf = true; }},
    OptionRule{"--garbage", false, [](SimOptions& o, std::string_view) { o.faults.garbage = true; }},
    OptionRule{
        "--batches", true,
        [](SimOptions& o, std::string_view v) { o.faults.batches = parseWholeNumber("--batches", v, 1, kMaxBatches); }},
    OptionRule{"--paced", false, [](SimOptions& o, std::string_view) { o.faults.paced = true; }},
    OptionRule{"--echo", false, [](SimOptions& o, std::string_view) { o.faults.echo = true; }},
    OptionRule{"--store-wrong", true,
               [](SimOptions& o, std::string_view v) {
                   o.faults.storesWrong = parseWholeNumber("--store-wrong", v, 0, kStatusNumber - 1);
               }},
    OptionRule{
        "--delay", true,
        [](SimOptions& o, std::string_view v) { o.faults.delayMs = parseWholeNumber("--delay", v, 0, kMaxDelayMs); }},
    OptionRule{"--delay-from", true,
               [](SimOptions& o, std::string_view v) {
                   o.faults.delayFrom = parseWholeNumber("--delay-from", v, 0, kStatusNumber);
               }},
    OptionRule{"--stale", true, [](SimOptions& o, std::string_view v) { o.stale = lineBytes("--stale", v); }},
    OptionRule{"--verbose", false, [](SimOptions& o, std::string_view) { o.verbose = true; }},
};

}  // namespace

SimOptions parseSimOptions(const std::vector<std::string>& args)
{
    SimOptions options;
    for (auto arg = args.begin(); arg != args.end(); ++arg) {
        const auto known = std::find_if(kOptionRules.begin(), kOptionRules.end(),
                                        [&](const OptionRule& s) { return s.name == *arg; });
        if (known == kOptionRules.end())
            throw SimOptionError("unknown option '" + *arg + "' (see --help)");
        if (known->takesValue && std::next(arg) == args.end())
            fail(known->name, "needs a value");
        known->apply(options, known->takesValue ? std::string_view(*++arg) : std::string_view());
    }
    return options;
}

void applyMemory(const SimOptions& options, DriverCore& core)
{
    if (options.status)
        core.setStatusWord(*options.status);
    for (const auto& [number, value] : options.parameters)
        core.setParameter(number, value);
}

std::string unescapeBytes(std::string_view text)
{
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            bytes += text[i];
            continue;
        }
        const char kind = i + 1 < text.size() ? text[++i] : '\0';
        if (kind == 'r' || kind == 'n' || kind == '\\') {
            bytes += kind == 'r' ? '\r' : kind == 'n' ? '\n' : '\\';
        } else if (const auto code = kind == 'x' ? parseDigits(text.substr(i + 1, 2), 16) : std::nullopt;
                   code && i + 2 < text.size()) {
            bytes += static_cast<char>(*code);
            i += 2;
        } else {
            throw SimOptionError("bad escape in '" + std::string(text) + "' (use \\r, \\n, \\\\ or \\xHH)");
        }
    }
    return bytes;
}

std::string simUsage()
{
    return R"(Usage: vk785n-sim [OPTION]...
A simulated VK785N servo driver on a pseudo-terminal. Prints the terminal's
device path on the first line and runs until SIGINT or SIGTERM. On stderr it
says what went wrong on the line (a command line dropped, an answer nobody
read); with --verbose also every command received and every answer sent.

Memory:
  --status HEX        status word (hex; bit 0 servo on, 0xE080 alarm)
  --param N=VALUE     parameter N (0-30); decimal, hex for 4 and 5; repeatable
Faults:
  --silent            answer nothing
  --silent-from N     no answer to commands naming N or higher (status is 31;
                      the save names no number and is still answered)
  --ack CHAR          acknowledge saves, and writes from --ack-from on, with CHAR
  --ack-from N        first number whose writes get CHAR (default 0)
  --ack-only          acknowledgement byte alone, no CR after it
  --crlf              end reply lines with CR LF
  --garbage           answer reads and status queries with text that is no number
  --batches N         send each answer in N pieces, 1 ms or more apart
  --paced             send at the pace of 9600 baud (about 1.04 ms a byte)
  --store-wrong N     acknowledge writes of N but store the value plus one
  --delay MS          send every answer MS milliseconds late (0 to 600000)
  --delay-from N      only answers to commands naming N or higher are late
                      (status is 31; the save names none: late only from 0)
  --echo              send back every byte received and answer nothing, as a
                      loopback plug or a terminal would
  --stale TEXT        put TEXT on the line at start, before any terminal opens it
Log:
  --verbose           log every command received and every answer sent
Help:
  --help              show this text
  --version           show the version

TEXT and CHAR take the escapes \r, \n, \\ and \xHH.

Like a driver's receive buffer, a command line holds at most 64 bytes: a
longer one is dropped whole without an answer and logged as dropped.

termvk785n --simulate passes the options after "--" to the simulator, which
logs on the window's stderr: termvk785n --simulate -- --status 1 --verbose.
vk785n --simulate passes them too but drops the log (its --trace shows the
traffic).

Exit status:
  0   ended by SIGINT or SIGTERM, or --help or --version answered
  1   the pseudo-terminal could not be set up or served
  2   a wrong option or value
)";
}

}  // namespace vk::sim
