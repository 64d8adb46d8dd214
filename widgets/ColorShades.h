#pragma once

#include "widgets/TColor.h"

#include <QColor>
#include <QPalette>

namespace vk {

// A system colour (top bit set) becomes the palette's current value of the
// matching role; any other value is returned unchanged.
TColor resolveColor(TColor color, const QPalette& palette);

// Each of red, green and blue raised (lowered) by amount, capped at 255 (0),
// after resolving; the result is a plain RGB value.
TColor LightenColor(TColor color, int amount, const QPalette& palette);
TColor DarkenColor(TColor color, int amount, const QPalette& palette);

QColor toQColor(TColor color, const QPalette& palette);
TColor fromQColor(const QColor& color);

}  // namespace vk
