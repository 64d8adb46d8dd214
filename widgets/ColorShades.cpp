#include "widgets/ColorShades.h"

#include <algorithm>
#include <array>

namespace vk {
namespace {

struct SystemRole {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// System colour numbers 0..30, each mapped to the palette role that plays the
// same part in a Qt window.
constexpr std::array<SystemRole, 31> kSystemRoles{{
    {QPalette::Active, QPalette::Button},           // 0 scroll bar
    {QPalette::Active, QPalette::Dark},             // 1 desktop
    {QPalette::Active, QPalette::Highlight},        // 2 active caption
    {QPalette::Inactive, QPalette::Mid},            // 3 inactive caption
    {QPalette::Active, QPalette::Window},           // 4 menu
    {QPalette::Active, QPalette::Base},             // 5 window
    {QPalette::Active, QPalette::Shadow},           // 6 window frame
    {QPalette::Active, QPalette::WindowText},       // 7 menu text
    {QPalette::Active, QPalette::Text},             // 8 window text
    {QPalette::Active, QPalette::HighlightedText},  // 9 caption text
    {QPalette::Active, QPalette::Button},           // 10 active border
    {QPalette::Inactive, QPalette::Button},         // 11 inactive border
    {QPalette::Active, QPalette::Dark},             // 12 application workspace
    {QPalette::Active, QPalette::Highlight},        // 13 highlight
    {QPalette::Active, QPalette::HighlightedText},  // 14 highlight text
    {QPalette::Active, QPalette::Button},           // 15 button face
    {QPalette::Active, QPalette::Dark},             // 16 button shadow
    {QPalette::Disabled, QPalette::Text},           // 17 grey text
    {QPalette::Active, QPalette::ButtonText},       // 18 button text
    {QPalette::Inactive, QPalette::WindowText},     // 19 inactive caption text
    {QPalette::Active, QPalette::Light},            // 20 button highlight
    {QPalette::Active, QPalette::Shadow},           // 21 3-D dark shadow
    {QPalette::Active, QPalette::Midlight},         // 22 3-D light
    {QPalette::Active, QPalette::ToolTipText},      // 23 info text
    {QPalette::Active, QPalette::ToolTipBase},      // 24 info background
    {QPalette::Active, QPalette::Button},           // 25 unused
    {QPalette::Active, QPalette::Link},             // 26 hot light
    {QPalette::Active, QPalette::Highlight},        // 27 active caption gradient
    {QPalette::Inactive, QPalette::Mid},            // 28 inactive caption gradient
    {QPalette::Active, QPalette::Highlight},        // 29 menu highlight
    {QPalette::Active, QPalette::Window},           // 30 menu bar
}};

constexpr int red(TColor c)
{
    return static_cast<int>(c & 0xFF);
}
constexpr int green(TColor c)
{
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int blue(TColor c)
{
    return static_cast<int>((c >> 16) & 0xFF);
}

constexpr TColor rgb(int r, int g, int b)
{
    return static_cast<TColor>(r) | static_cast<TColor>(g) << 8 | static_cast<TColor>(b) << 16;
}

template <typename Shift>
TColor shade(TColor color, const QPalette& palette, Shift shift)
{
    const TColor c = resolveColor(color, palette);
    return rgb(shift(red(c)), shift(green(c)), shift(blue(c)));
}

}  // namespace

TColor resolveColor(TColor color, const QPalette& palette)
{
    if (!isSystemColor(color))
        return color;
    const std::size_t number = color & 0xFF;
    if (number >= kSystemRoles.size())
        return 0;  // an unknown system colour reads as black, as the platform answers
    const SystemRole& entry = kSystemRoles[number];
    return fromQColor(palette.color(entry.group, entry.role));
}

TColor LightenColor(TColor color, int amount, const QPalette& palette)
{
    return shade(color, palette, [amount](int v) { return std::min(v + amount, 255); });
}

TColor DarkenColor(TColor color, int amount, const QPalette& palette)
{
    return shade(color, palette, [amount](int v) { return std::max(v - amount, 0); });
}

QColor toQColor(TColor color, const QPalette& palette)
{
    const TColor c = resolveColor(color, palette);
    return QColor(red(c), green(c), blue(c));
}

TColor fromQColor(const QColor& color)
{
    return rgb(color.red(), color.green(), color.blue());
}

}  // namespace vk
