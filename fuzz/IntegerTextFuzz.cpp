// The integer text rule against the C library's readers and writers: a text it
// accepts means what strtoll/strtoull make of it, the texts printf makes of a
// 32-bit value are read back as that value, and anything after the digits, a
// tab before them or a 33rd bit makes a text fail.

#include "fuzz/FuzzSupport.h"
#include "params/IntegerText.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace vk::fuzz {
namespace {

constexpr std::int64_t k32Bits = std::int64_t{1} << 32;
constexpr std::size_t kHexPlaces = 8;

bool allOf(std::string_view text, int (*isClass)(int))
{
    const auto inClass = [isClass](unsigned char c) { return isClass(c) != 0; };
    return !text.empty() && std::all_of(text.begin(), text.end(), inClass);
}

std::size_t hexPrefixLength(std::string_view text)
{
    if (text.starts_with("0x") || text.starts_with("0X"))
        return 2;
    return text.starts_with('$') || text.starts_with('x') || text.starts_with('X') ? 1 : 0;
}

void checkAcceptedText(std::string_view text, std::int32_t value)
{
    text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
    if (const std::size_t prefix = hexPrefixLength(text)) {
        const std::string digits(text.substr(prefix));
        FUZZ_CHECK(allOf(digits, isxdigit));
        FUZZ_CHECK(std::strtoull(digits.c_str(), nullptr, 16) == static_cast<std::uint32_t>(value));
        return;
    }
    const std::string number(text);
    FUZZ_CHECK(allOf(text.substr(text.starts_with('-') || text.starts_with('+') ? 1 : 0), isdigit));
    FUZZ_CHECK(std::strtoll(number.c_str(), nullptr, 10) == value);
}

void checkAnyText(const std::string& text)
{
    const auto parsed = parseIntegerText(text);
    if (parsed)
        checkAcceptedText(text, *parsed);
    try {
        FUZZ_CHECK(convertIntegerText(text) == parsed);
    } catch (const ConversionError& error) {
        FUZZ_CHECK(!parsed && error.text() == text);
    }
    // Each character is one hex place, so only the last eight count; a non-digit is a 0.
    std::string places = text.substr(text.size() - std::min(text.size(), kHexPlaces));
    std::replace_if(
        places.begin(), places.end(), [](unsigned char c) { return !std::isdigit(c); }, '0');
    FUZZ_CHECK(StrToHex(text) == static_cast<std::int32_t>(std::strtoul(places.c_str(), nullptr, 16)));
}

std::string printed(const char* format, std::uint64_t value)
{
    char text[32];
    std::snprintf(text, sizeof text, format, static_cast<unsigned long long>(value));
    return text;
}

void checkWrittenValue(FuzzedDataProvider& input)
{
    const std::int32_t value = input.ConsumeIntegral<std::int32_t>();
    const std::string blanks(input.ConsumeIntegralInRange(0, 3), ' ');
    const std::string zeros(input.ConsumeIntegralInRange(0, 3), '0');
    const std::string sign = value < 0 ? "-" : input.ConsumeBool() ? "+" : "";
    const auto magnitude = static_cast<std::uint64_t>(std::abs(std::int64_t{value}));
    const std::string decimal = blanks + sign + zeros + printed("%llu", magnitude);
    const std::string prefix = input.PickValueInArray({"0x", "0X", "$", "x", "X"});
    const std::string hexDigits = printed(input.ConsumeBool() ? "%llX" : "%llx", static_cast<std::uint32_t>(value));
    const std::string hex = blanks + prefix + zeros + hexDigits;
    FUZZ_CHECK(parseIntegerText(decimal) == value);
    FUZZ_CHECK(parseIntegerText(hex) == value);
    FUZZ_CHECK(!parseIntegerText("\t" + decimal));

    const char after = input.ConsumeIntegral<char>();
    if (!std::isdigit(static_cast<unsigned char>(after)))
        FUZZ_CHECK(!parseIntegerText(decimal + after));
    if (!std::isxdigit(static_cast<unsigned char>(after)))
        FUZZ_CHECK(!parseIntegerText(hex + after));

    const std::int64_t beyond = std::int64_t{value} + (value < 0 ? -k32Bits : k32Bits);
    FUZZ_CHECK(!parseIntegerText(std::to_string(beyond)));
    FUZZ_CHECK(!parseIntegerText(prefix + "1" + printed("%08llX", static_cast<std::uint32_t>(value))));
}

}  // namespace
}  // namespace vk::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The same bytes serve twice: as a text as typed, and as the choices for texts made of a value.
    vk::fuzz::checkAnyText(std::string(reinterpret_cast<const char*>(data), size));
    FuzzedDataProvider input(data, size);
    vk::fuzz::checkWrittenValue(input);
    return 0;
}
