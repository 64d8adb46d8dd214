#pragma once

#include <string>
#include <string_view>

namespace vk {

// Bytes as one readable line: printable ASCII as it is, CR and LF as \r and \n,
// a backslash doubled, every other byte as \xHH.
std::string escapedBytes(std::string_view bytes);

}  // namespace vk
