#include "platform/settings/FileAccess.h"

#include <fstream>
#include <iterator>
#include <system_error>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace vk {
namespace {

// This user's right to write beyond the mode bits, where the system keeps one
// apart from them; Windows tells it by the read-only mark, which the bits show.
bool userMayWrite(const std::filesystem::path& file)
{
#ifdef _WIN32
    (void)file;
    return true;
#else
    return ::access(file.c_str(), W_OK) == 0;
#endif
}

}  // namespace

bool mayWrite(const std::filesystem::path& file)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const auto st = fs::status(file, ec);
    if (st.type() == fs::file_type::not_found)
        return true;
    if (ec || st.type() != fs::file_type::regular)
        return false;
    const auto writeBits = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (st.permissions() & writeBits) != fs::perms::none && userMayWrite(file);
}

std::optional<std::string> readWhole(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::error_code ec;
        const bool absent = !std::filesystem::exists(file, ec) && !ec;
        return absent ? std::optional<std::string>("") : std::nullopt;
    }
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return in.bad() ? std::nullopt : std::optional(std::move(bytes));
}

}  // namespace vk
