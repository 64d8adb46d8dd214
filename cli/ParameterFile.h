#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace vk::cli {

// What a reader takes of a file that may be anything: a longer line is an
// error, a larger input is refused whole, errors past the first are counted.
inline constexpr std::size_t kLineBytes = 1024;
inline constexpr std::size_t kFileBytes = std::size_t{1} << 20;
inline constexpr std::size_t kKeptErrors = 20;

// One parameter of a file: its number, the file's text of the value and the
// exact value that text stands for.
struct FileValue {
    int number = 0;
    std::string text;
    std::int32_t value = 0;
    int line = 0;  // where it stands in its file, from 1
};

// The value of a number among values, or nullptr.
const FileValue* findValue(const std::vector<FileValue>& values, int number);

// What a parameter file holds once every line has been checked.
struct ParameterFile {
    std::vector<FileValue> values;    // in the order of the file
    std::vector<std::string> errors;  // "FILE:LINE: what is wrong", in line order, the first kKeptErrors
    std::size_t moreErrors = 0;       // errors past those, only counted
};

// Reads a parameter file: "NN = VALUE" a line, "#" starting a comment, blank
// lines, LF or CR LF ends. Every line is checked; `name` is used in the errors,
// and quoted texts in them are escaped. An input larger than kFileBytes gives
// no values and the one error that says so.
ParameterFile readParameterFile(std::istream& in, const std::string& name);

// What a backup file says of where and when it was made.
struct FileHeader {
    std::string version;  // "vk785n 1.0.0"
    std::string when;     // UTC, ISO 8601
    std::string port;     // "COM1 (/dev/ttyS0)"
    std::string status;   // the status word's text and what it means
};

// One number as the drive answered it, and what the window would make of it.
struct BackedUpValue {
    int number = 0;
    std::string text;
    std::string note;  // windowDifference(), may be empty
};

// Writes the header as comments, then one number a line with the name of what
// it sets and its note. Each line reads back as its exact value or as an error
// that names its number: a reply that is no plain word is written escaped, so
// that restore refuses that line rather than write something else.
void writeParameterFile(std::ostream& out, const FileHeader& header, const std::vector<BackedUpValue>& values);

}  // namespace vk::cli
