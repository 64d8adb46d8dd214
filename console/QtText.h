#pragma once

#include <QString>

#include <string_view>

namespace vk {

// UTF-8 text of the tables as a Qt string.
inline QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace vk
