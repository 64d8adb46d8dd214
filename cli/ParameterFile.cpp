#include "cli/ParameterFile.h"

#include "link/DriveCommands.h"
#include "params/ParameterTable.h"
#include "params/ParameterValue.h"
#include "platform/EscapedBytes.h"
#include "platform/NumberText.h"
#include "platform/settings/TextOps.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <istream>
#include <map>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string_view>

namespace vk::cli {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr char kComment = '#';
constexpr std::string_view kBlanks = " \t";
constexpr std::size_t kValueColumn = 10;
// Header fields and notes are cut to this, so no comment line comes near kLineBytes.
constexpr std::size_t kCommentBytes = 200;

using settings_text::trimmed;

// The meaningful part of a line: no CR, no comment, no blanks around.
std::string_view content(std::string_view line)
{
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    return trimmed(line.substr(0, line.find(kComment)));
}

std::string quoted(std::string_view text)
{
    return "'" + escapedBytes(text) + "'";
}

// The number a line sets when it starts as "NN =", one or two decimal digits.
std::optional<int> assignedNumber(std::string_view line)
{
    const std::size_t sign = line.find('=');
    const std::string_view number = trimmed(line.substr(0, std::min(sign, line.size())));
    const auto parsed = sign != std::string_view::npos && number.size() <= 2 ? parseDigits(number, 10) : std::nullopt;
    return parsed ? std::optional<int>(static_cast<int>(*parsed)) : std::nullopt;
}

std::string numbered(int number, std::string_view problem)
{
    return "number " + std::to_string(number) + ": " + std::string(problem);
}

// A problem of a whole line still names the number the line sets, if it sets one.
std::string lineProblem(std::string_view line, std::string_view problem)
{
    const auto number = assignedNumber(line);
    return number ? numbered(*number, problem) : std::string(problem);
}

// The lines of a stream without their LF, each cut at kLineBytes; it stops
// once the input is larger than kFileBytes, so memory stays bounded whatever
// the stream holds.
class LineSource {
public:
    explicit LineSource(std::istream& in) : in_(in) {}

    // The next line and whether bytes past kLineBytes were dropped from it;
    // false at the end of the input or once it is too large.
    bool next(std::string& line, bool& cut)
    {
        line.clear();
        cut = false;
        bool started = false;
        while (fill()) {
            const std::string_view rest(buffer_.data() + pos_, size_ - pos_);
            const std::size_t end = std::min(rest.find('\n'), rest.size());
            const std::size_t kept = std::min(end, kLineBytes - line.size());
            line.append(rest.substr(0, kept));
            cut = cut || kept < end;
            started = true;
            pos_ += end;
            if (pos_ < size_) {
                ++pos_;
                return true;
            }
        }
        return started && !tooLarge_;
    }

    bool tooLarge() const { return tooLarge_; }

private:
    bool fill()
    {
        if (pos_ < size_)
            return true;
        if (tooLarge_ || !in_)
            return false;
        // One byte past the limit is enough to tell that the input is too large.
        const std::size_t wanted = std::min(buffer_.size(), kFileBytes + 1 - total_);
        in_.read(buffer_.data(), static_cast<std::streamsize>(wanted));
        size_ = static_cast<std::size_t>(in_.gcount());
        pos_ = 0;
        total_ += size_;
        tooLarge_ = total_ > kFileBytes;
        return size_ > 0 && !tooLarge_;
    }

    std::istream& in_;
    std::array<char, 4096> buffer_{};
    std::size_t size_ = 0;
    std::size_t pos_ = 0;
    std::size_t total_ = 0;
    bool tooLarge_ = false;
};

class FileChecker {
public:
    FileChecker(ParameterFile& file, const std::string& name) : file_(file), name_(name) {}

    void check(std::string_view line, bool cut, int lineNumber)
    {
        if (cut)
            return fail(lineNumber,
                        lineProblem(line, "the line is longer than " + std::to_string(kLineBytes) + " bytes"));
        if (line.find('\0') != std::string_view::npos)
            return fail(lineNumber, lineProblem(line, "the line holds a NUL byte"));
        if (const std::string_view meaningful = content(line); !meaningful.empty())
            checkAssignment(meaningful, lineNumber);
    }

    // Keeps the first errors and counts the others.
    void keep(const std::string& error)
    {
        if (file_.errors.size() < kKeptErrors)
            file_.errors.push_back(error);
        else
            ++file_.moreErrors;
    }

private:
    // "NN = VALUE": one or two decimal digits, one value without blanks.
    void checkAssignment(std::string_view line, int lineNumber)
    {
        const auto number = assignedNumber(line);
        if (!number)
            return fail(lineNumber, "expected NUMBER = VALUE, found " + quoted(line));
        const std::string_view text = trimmed(line.substr(line.find('=') + 1));
        if (text.empty())
            return fail(lineNumber, numbered(*number, "no value after '='"));
        if (text.find_first_of(kBlanks) != std::string_view::npos)
            return fail(lineNumber, numbered(*number, "expected one value after '=', found " + quoted(text)));
        const auto [earlier, fresh] = firstLines_.emplace(*number, lineNumber);
        if (!fresh)
            return fail(lineNumber,
                        "number " + std::to_string(*number) + " given twice (first on line "
                            + std::to_string(earlier->second) + ")");
        const ValueFromText value = parameterValue(*number, text);
        if (!value.value)
            return fail(lineNumber, numbered(*number, value.problem));
        file_.values.push_back(FileValue{*number, std::string(text), *value.value, lineNumber});
    }

    void fail(int lineNumber, const std::string& problem)
    {
        keep(name_ + ":" + std::to_string(lineNumber) + ": " + problem);
    }

    ParameterFile& file_;
    const std::string& name_;
    std::map<int, int> firstLines_;  // number -> line
};

// A header value or a note on a comment line: a line break in a device path
// or a drive's reply must not end the comment and leave a line the reader
// refuses, nor a long one make the line too long to read.
std::string commentText(std::string_view text)
{
    std::string shown(text.substr(0, kCommentBytes));
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '?';
    return shown;
}

bool isPlainWord(std::string_view text)
{
    return !text.empty()
        && std::all_of(text.begin(), text.end(), [](char c) { return c > ' ' && c < 0x7F && c != kComment; });
}

// A reply as the one word of its line: as it stands when it is plain, else
// escaped. Every escaped form holds a backslash, which no value takes, so it
// reads back as no value rather than as another one.
std::string valueWord(std::string_view text)
{
    if (isPlainWord(text))
        return std::string(text);
    std::string word;
    for (const char c : escapedBytes(text)) {
        if (c == ' ' || c == kComment) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned>(c));
            word += hex;
        } else {
            word += c;
        }
    }
    return word;
}

std::string valueLine(const BackedUpValue& v)
{
    const ParameterEntry* entry = parameterEntry(v.number);
    if (!entry)
        throw std::out_of_range("no parameter number " + std::to_string(v.number) + " to write in a file");
    std::string word = valueWord(v.text);
    word.resize(std::max(word.size(), kValueColumn), ' ');
    std::string line = twoDigitNumber(v.number) + " = " + word + " # " + std::string(entry->meaning);
    if (!v.note.empty())
        line += "; " + commentText(v.note);
    return line;
}

}  // namespace

const FileValue* findValue(const std::vector<FileValue>& values, int number)
{
    const auto found = std::find_if(values.begin(), values.end(),
                                    [number](const FileValue& v) { return v.number == number; });
    return found == values.end() ? nullptr : &*found;
}

ParameterFile readParameterFile(std::istream& in, const std::string& name)
{
    ParameterFile file;
    FileChecker checker(file, name);
    LineSource source(in);
    std::string line;
    bool cut = false;
    for (int lineNumber = 1; source.next(line, cut); ++lineNumber) {
        std::string_view text = line;
        if (lineNumber == 1 && text.starts_with(kUtf8Mark))
            text.remove_prefix(kUtf8Mark.size());
        checker.check(text, cut, lineNumber);
    }
    if (source.tooLarge())
        return ParameterFile{
            {}, {name + ": larger than " + std::to_string(kFileBytes) + " bytes, not read further"}, 0};
    if (in.bad())
        checker.keep(name + ": cannot be read");
    return file;
}

void writeParameterFile(std::ostream& out, const FileHeader& header, const std::vector<BackedUpValue>& values)
{
    const std::string unread = twoDigitNumber(writtenOnlyNumber());
    out << "# VK785N drive parameters, written by " << commentText(header.version) << "\n"
        << "# when:   " << commentText(header.when) << "\n"
        << "# port:   " << commentText(header.port) << "\n"
        << "# status: " << commentText(header.status) << "\n"
        << "#\n"
        << "# One parameter a line: NUMBER = VALUE as the drive answered it (the flags\n"
        << "# words 4 and 5 in hexadecimal); text after \"#\" is a comment. A note after\n"
        << "# the meaning says where the window would show or write a value differently.\n"
        << "# A reply that is no single plain word is kept escaped (\\xHH), and restore\n"
        << "# refuses its line. Number " << unread << " cannot be read from the drive: add\n"
        << "# \"" << unread << " = VALUE\" to have restore write it.\n\n";
    for (const BackedUpValue& v : values)
        out << valueLine(v) << "\n";
}

}  // namespace vk::cli
