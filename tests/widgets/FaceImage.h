#pragma once

#include "widgets/TColor.h"

#include <QFont>
#include <QImage>
#include <QPalette>
#include <QRect>

#include <functional>

class QWidget;

namespace vk::test {

// A palette and a font that make faces reproducible: a 0xC0C0C0 button face,
// white captions, and glyphs without antialiasing so ink pixels carry exactly
// the pen colour.
QPalette lampPalette();
QFont lampFont();

QImage faceOf(QWidget& widget);
TColor pixelAt(const QImage& image, int x, int y);

// The smallest rectangle in area holding every pixel that matches; null when none does.
QRect inkBox(const QImage& image, QRect area, const std::function<bool(TColor)>& isInk);

}  // namespace vk::test
