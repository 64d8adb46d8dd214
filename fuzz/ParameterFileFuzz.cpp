// vk785n's parameter files. Whatever a file holds, its reader names each bad
// line in a message that is plain text, or gives the exact values of what the
// file says. Whatever the drive answered, each backed-up line reads back as
// exactly the value of that answer or as an error on that line naming its
// number; and the values a file gave are written back as themselves.
#include "cli/ParameterFile.h"
#include "fuzz/FuzzSupport.h"
#include "params/ParameterValue.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace vk::fuzz {
namespace {

using cli::BackedUpValue;
using cli::FileValue;
using cli::ParameterFile;

const cli::FileHeader kHeader{"v\nx", "w#", "p\r\x1b", std::string(300, '\n')};

ParameterFile readText(const std::string& text)
{
    std::istringstream in(text);
    return cli::readParameterFile(in, "f");
}

std::string written(const std::vector<BackedUpValue>& values)
{
    std::ostringstream out;
    cli::writeParameterFile(out, kHeader, values);
    return out.str();
}

void checkRead(const ParameterFile& file)
{
    std::set<int> numbers;
    for (const FileValue& v : file.values) {
        FUZZ_CHECK(numbers.insert(v.number).second);
        FUZZ_CHECK(parameterValue(v.number, v.text).value == v.value);
        FUZZ_CHECK(v.line >= 1);
    }
    FUZZ_CHECK(file.errors.size() <= cli::kKeptErrors);
    FUZZ_CHECK(file.moreErrors == 0 || file.errors.size() == cli::kKeptErrors);
    for (const std::string& error : file.errors) {
        FUZZ_CHECK(error.starts_with("f:"));
        FUZZ_CHECK(isPrintableAscii(error));
    }
}

// The value lines follow the header one a line, so each has a known line;
// the file gives one value or one error for each, and nothing else.
ParameterFile checkWritten(const std::vector<BackedUpValue>& values)
{
    const int headerLines = static_cast<int>(linesOf(written({})).size());
    const ParameterFile back = readText(written(values));
    FUZZ_CHECK(back.values.size() + back.errors.size() + back.moreErrors == values.size());
    for (const FileValue& v : back.values) {
        const std::size_t index = static_cast<std::size_t>(v.line - headerLines - 1);
        FUZZ_CHECK(index < values.size());
        FUZZ_CHECK(v.number == values[index].number);
        FUZZ_CHECK(v.text == values[index].text);
        FUZZ_CHECK(v.value == parameterValue(v.number, values[index].text).value);
    }
    for (const std::string& error : back.errors) {
        const std::size_t colon = error.find(':', 2);
        FUZZ_CHECK(colon != std::string::npos);
        const std::size_t index = std::stoul(error.substr(2, colon - 2)) - static_cast<std::size_t>(headerLines) - 1;
        FUZZ_CHECK(index < values.size());
        const std::string named = "number " + std::to_string(values[index].number);
        FUZZ_CHECK(error.compare(colon + 2, named.size(), named) == 0);
        FUZZ_CHECK(!std::isdigit(static_cast<unsigned char>(error[colon + 2 + named.size()])));
    }
    return back;
}

// The input as replies: a number (taken modulo 32), a length, that many bytes.
std::vector<BackedUpValue> replies(std::string_view input)
{
    std::vector<BackedUpValue> values;
    while (input.size() >= 2) {
        const int number = static_cast<unsigned char>(input[0]) % 32;
        const std::size_t size = std::min<std::size_t>(static_cast<unsigned char>(input[1]), input.size() - 2);
        const std::string text(input.substr(2, size));
        values.push_back({number, text, windowDifference(number, text)});
        input.remove_prefix(2 + size);
    }
    return values;
}

void checkRewritten(const ParameterFile& file)
{
    std::vector<BackedUpValue> values;
    for (const FileValue& v : file.values)
        values.push_back({v.number, v.text, ""});
    FUZZ_CHECK(checkWritten(values).values.size() == values.size());
}

}  // namespace
}  // namespace vk::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vk::fuzz;
    const std::string input(reinterpret_cast<const char*>(data), size);
    const ParameterFile file = readText(input);
    checkRead(file);
    checkRewritten(file);
    checkWritten(replies(input));
    return 0;
}
