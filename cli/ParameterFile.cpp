#include "cli/ParameterFile.h"

#include "params/ParameterTable.h"
#include "params/ParameterValue.h"
#include "platform/NumberText.h"

#include <algorithm>
#include <cstdio>
#include <istream>
#include <map>
#include <optional>
#include <ostream>
#include <string_view>

namespace vk::cli {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr char kComment = '#';
constexpr std::string_view kBlanks = " \t";
constexpr std::size_t kValueColumn = 10;

std::string_view trimmed(std::string_view s)
{
    s.remove_prefix(std::min(s.find_first_not_of(kBlanks), s.size()));
    s.remove_suffix(s.size() - std::min(s.find_last_not_of(kBlanks) + 1, s.size()));
    return s;
}

// The meaningful part of a line: no CR, no comment, no blanks around.
std::string_view content(std::string_view line)
{
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    return trimmed(line.substr(0, line.find(kComment)));
}

struct Assignment {
    int number = 0;
    std::string_view text;
};

// "NN = VALUE": one or two decimal digits, one value without blanks.
std::optional<Assignment> assignment(std::string_view line, std::string& problem)
{
    const std::size_t sign = line.find('=');
    const std::string_view number = trimmed(line.substr(0, std::min(sign, line.size())));
    const std::string_view text = sign == std::string_view::npos ? std::string_view() : trimmed(line.substr(sign + 1));
    const auto parsed = number.size() <= 2 ? parseDigits(number, 10) : std::nullopt;
    if (!parsed || text.empty()) {
        problem = "expected NUMBER = VALUE, found '" + std::string(line) + "'";
        return std::nullopt;
    }
    if (text.find_first_of(kBlanks) != std::string_view::npos) {
        problem = "expected one value after '=', found '" + std::string(text) + "'";
        return std::nullopt;
    }
    return Assignment{static_cast<int>(*parsed), text};
}

class FileChecker {
public:
    FileChecker(ParameterFile& file, const std::string& name) : file_(file), name_(name) {}

    void check(std::string_view line, int lineNumber)
    {
        std::string problem;
        const auto given = assignment(line, problem);
        if (!given)
            return fail(lineNumber, problem);
        const auto [earlier, fresh] = firstLines_.emplace(given->number, lineNumber);
        if (!fresh)
            return fail(lineNumber, "number " + std::to_string(given->number) + " given twice (first on line "
                                        + std::to_string(earlier->second) + ")");
        const ValueFromText value = parameterValue(given->number, given->text);
        if (!value.value)
            return fail(lineNumber, "number " + std::to_string(given->number) + ": " + value.problem);
        file_.values.push_back(FileValue{given->number, std::string(given->text), *value.value, lineNumber});
    }

private:
    void fail(int lineNumber, const std::string& problem)
    {
        file_.errors.push_back(name_ + ":" + std::to_string(lineNumber) + ": " + problem);
    }

    ParameterFile& file_;
    const std::string& name_;
    std::map<int, int> firstLines_;  // number -> line
};

// A header value on its comment line: a line break in a device path or a
// drive's reply must not end the comment and leave a line the reader refuses.
std::string commentText(std::string_view text)
{
    std::string shown(text);
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '?';
    return shown;
}

std::string twoDigits(int number)
{
    char digits[8];
    std::snprintf(digits, sizeof digits, "%02d", number);
    return digits;
}

}  // namespace

const FileValue* findValue(const std::vector<FileValue>& values, int number)
{
    const auto found = std::find_if(values.begin(), values.end(), [number](const FileValue& v) { return v.number == number; });
    return found == values.end() ? nullptr : &*found;
}

ParameterFile readParameterFile(std::istream& in, const std::string& name)
{
    ParameterFile file;
    FileChecker checker(file, name);
    std::string line;
    for (int lineNumber = 1; std::getline(in, line); ++lineNumber) {
        std::string_view text = line;
        if (lineNumber == 1 && text.starts_with(kUtf8Mark))
            text.remove_prefix(kUtf8Mark.size());
        if (const std::string_view meaningful = content(text); !meaningful.empty())
            checker.check(meaningful, lineNumber);
    }
    if (in.bad())
        file.errors.push_back(name + ": cannot be read");
    return file;
}

void writeParameterFile(std::ostream& out, const FileHeader& header, const std::vector<BackedUpValue>& values)
{
    out << "# VK785N drive parameters, written by " << commentText(header.version) << "\n"
        << "# when:   " << commentText(header.when) << "\n"
        << "# port:   " << commentText(header.port) << "\n"
        << "# status: " << commentText(header.status) << "\n"
        << "#\n"
        << "# One parameter a line: NUMBER = VALUE as the drive shows it (the flags\n"
        << "# words 4 and 5 in hexadecimal); text after \"#\" is a comment. Number 18\n"
        << "# cannot be read from the drive: add \"18 = VALUE\" to have restore write it.\n\n";
    for (const BackedUpValue& v : values) {
        std::string value = v.text;
        value.resize(std::max(value.size(), kValueColumn), ' ');
        out << twoDigits(v.number) << " = " << value << " # " << parameterEntry(v.number)->meaning << (v.note.empty() ? "" : "; " + v.note) << "\n";
    }
}

}  // namespace vk::cli
