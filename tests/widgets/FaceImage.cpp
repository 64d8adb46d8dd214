#include "tests/widgets/FaceImage.h"

#include "widgets/ColorShades.h"

#include <QPixmap>
#include <QWidget>

namespace vk::test {

QPalette lampPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(0xC0, 0xC0, 0xC0));
    palette.setColor(QPalette::ButtonText, Qt::white);
    return palette;
}

QFont lampFont()
{
    QFont font("DejaVu Sans");
    font.setPixelSize(12);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

QImage faceOf(QWidget& widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

TColor pixelAt(const QImage& image, int x, int y)
{
    return fromQColor(image.pixelColor(x, y));
}

QRect inkBox(const QImage& image, QRect area, const std::function<bool(TColor)>& isInk)
{
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (isInk(pixelAt(image, x, y)))
                box |= QRect(x, y, 1, 1);
    return box;
}

}  // namespace vk::test
