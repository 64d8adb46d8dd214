#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace vk::cli {

// One parameter of a file: its number, the drive's text of the value and the
// value the window would write for it.
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
    std::vector<std::string> errors;  // "FILE:LINE: what is wrong", in line order
};

// Reads a parameter file: "NN = VALUE" a line, "#" starting a comment, blank
// lines, LF or CR LF ends. Every line is checked; `name` is used in the errors.
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
    std::string note;
};

// Writes a file that readParameterFile reads back value for value: the header
// as comments, then one parameter a line with the name of what it sets.
void writeParameterFile(std::ostream& out, const FileHeader& header, const std::vector<BackedUpValue>& values);

}  // namespace vk::cli
