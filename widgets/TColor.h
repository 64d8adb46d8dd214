#pragma once

#include <cstdint>

namespace vk {

// 0x00BBGGRR; with the top bit set, 0x80000000 + n names system colour n.
using TColor = std::uint32_t;

inline constexpr TColor kSystemColorFlag = 0x80000000;
inline constexpr bool isSystemColor(TColor color)
{
    return (color & kSystemColorFlag) != 0;
}

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clBtnFace = 0x8000000F;
inline constexpr TColor clWindowText = 0x80000008;
inline constexpr TColor clBtnText = 0x80000012;

}  // namespace vk
