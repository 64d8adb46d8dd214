// vk785n's parameter files: whatever a file holds, its reader names each bad
// line or gives values that restore may send; and what the writer makes of
// those values reads back the same.
#include "cli/ParameterFile.h"
#include "fuzz/FuzzSupport.h"
#include "params/ParameterTable.h"
#include "params/ParameterValue.h"

#include <cstdint>
#include <set>
#include <sstream>
#include <string>

namespace vk::fuzz {
namespace {

using cli::FileValue;
using cli::ParameterFile;

ParameterFile readText(const std::string& text)
{
    std::istringstream in(text);
    return cli::readParameterFile(in, "f");
}

void checkValues(const ParameterFile& file)
{
    std::set<int> numbers;
    for (const FileValue& v : file.values) {
        FUZZ_CHECK(numbers.insert(v.number).second);
        FUZZ_CHECK(parameterValue(v.number, v.text).value == v.value);
        FUZZ_CHECK(v.line >= 1);
    }
    for (const std::string& error : file.errors)
        FUZZ_CHECK(error.starts_with("f:"));
}

void checkRoundTrip(const ParameterFile& file)
{
    std::ostringstream out;
    cli::writeParameterFile(out, cli::FileHeader{"v\nx", "w#", "p\r", "s"}, file.values);
    const ParameterFile back = readText(out.str());
    FUZZ_CHECK(back.errors.empty());
    FUZZ_CHECK(back.values.size() == file.values.size());
    for (std::size_t i = 0; i < back.values.size(); ++i) {
        FUZZ_CHECK(back.values[i].number == file.values[i].number);
        FUZZ_CHECK(back.values[i].text == file.values[i].text);
        FUZZ_CHECK(back.values[i].value == file.values[i].value);
    }
}

}  // namespace
}  // namespace vk::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vk::fuzz;
    const ParameterFile file = readText(std::string(reinterpret_cast<const char*>(data), size));
    checkValues(file);
    checkRoundTrip(file);
    return 0;
}
