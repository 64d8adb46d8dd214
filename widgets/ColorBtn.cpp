#include "widgets/ColorBtn.h"

#include <QApplication>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <iterator>

namespace vk {
namespace {

constexpr int kOutlineShade = 192;
constexpr int kBevelShade = 128;
constexpr int kDisabledLightShade = 128;
constexpr int kDisabledDarkShade = 64;
constexpr int kCaptionMargin = 2;
constexpr int kCaptionFlags = Qt::TextWordWrap | Qt::TextExpandTabs | Qt::TextShowMnemonic;

// The dark faces whose focus mark is drawn in the complement, so it stays visible.
constexpr TColor kDarkColors[] = {clBlack, clMaroon, clGreen, clOlive, clNavy, clPurple, clTeal, clBlue};

// Right and bottom exclusive, so shrinking and centring stay whole-pixel exact.
struct Edges {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static Edges of(QRect r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }
    QRect toRect() const { return QRect(left, top, right - left, bottom - top); }
    bool isEmpty() const { return right <= left || bottom <= top; }
    Edges shrunk(int by) const { return {left + by, top + by, right - by, bottom - by}; }
    Edges moved(int by) const { return {left + by, top + by, right + by, bottom + by}; }
};

// One ring 1 pixel wide: left and top in topColor, right and bottom in
// bottomColor, which also takes the top-right and bottom-left corners.
void drawRing(QPainter& canvas, Edges r, const QColor& topColor, const QColor& bottomColor)
{
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    canvas.fillRect(r.left, r.top, width, 1, topColor);
    canvas.fillRect(r.left, r.top, 1, height, topColor);
    canvas.fillRect(r.right - 1, r.top, 1, height, bottomColor);
    canvas.fillRect(r.left, r.bottom - 1, width, 1, bottomColor);
}

// Every other pixel of the ring, XORed with color, so a second pass would erase it.
void drawFocusMark(QPainter& canvas, Edges r, const QColor& color)
{
    if (r.isEmpty())
        return;
    QPolygon dots;
    const auto dot = [&](int x, int y) {
        if ((x - r.left + y - r.top) % 2 == 0)
            dots << QPoint(x, y);
    };
    for (int x = r.left; x < r.right; ++x) {
        dot(x, r.top);
        if (r.bottom - 1 > r.top)
            dot(x, r.bottom - 1);
    }
    for (int y = r.top + 1; y < r.bottom - 1; ++y) {
        dot(r.left, y);
        if (r.right - 1 > r.left)
            dot(r.right - 1, y);
    }
    canvas.save();
    canvas.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    canvas.setPen(color);
    canvas.drawPoints(dots);
    canvas.restore();
}

// Lays the caption out in r less the margin, centres the block in r, and draws
// it offset pixels right of and below that place, clipped to the offset box.
void drawCaptionPass(QPainter& canvas, Edges r, int offset, const QString& text)
{
    Edges m{r.left, r.top, r.right - kCaptionMargin, r.bottom - kCaptionMargin};
    const QRect laidOut = canvas.boundingRect(m.toRect(), kCaptionFlags, text);
    m.right = m.left + laidOut.width();
    m.bottom = m.top + laidOut.height();
    const int dx = (m.right - r.right) / 2;
    const int dy = (m.bottom - r.bottom) / 2;
    r = {r.left - dx, r.top - dy, r.right + dx, r.bottom + dy};

    // The offset copy keeps the centred width for its line breaks; only its clip
    // loses the pixel, so both copies wrap alike.
    const QRect layout = r.toRect().translated(offset, offset);
    r.left += offset;
    r.top += offset;
    canvas.save();
    canvas.setClipRect(r.toRect(), Qt::IntersectClip);
    canvas.drawText(layout, Qt::AlignLeft | Qt::AlignTop | kCaptionFlags, text);
    canvas.restore();
}

}  // namespace

TColorBtn::TColorBtn(QWidget* owner) : QPushButton(owner)
{
    connect(qApp, &QApplication::focusChanged, this, &TColorBtn::onFocusChanged);
}

void TColorBtn::setBevelStyle(TColorBtnBevel style)
{
    if (style == bevelStyle_)
        return;
    bevelStyle_ = style;
    update();
}

void TColorBtn::setBevelWidth(int width)
{
    width = std::max(width, 1);
    if (width == bevelWidth_)
        return;
    bevelWidth_ = width;
    update();
}

void TColorBtn::setColor(TColor color)
{
    if (color == color_)
        return;
    color_ = color;
    update();
}

void TColorBtn::DrawFace(QPainter& canvas, QRect rect, unsigned state)
{
    const bool pressed = (state & kItemPressed) != 0;
    const bool focused = (state & kItemFocused) != 0;
    const QPalette& pal = palette();
    Edges r = Edges::of(rect);

    canvas.setFont(font());
    canvas.fillRect(r.toRect(), toQColor(color_, pal));
    if (activeDefault_ || focused) {
        const QColor outline = toQColor(DarkenColor(color_, kOutlineShade, pal), pal);
        drawRing(canvas, r, outline, outline);
        r = r.shrunk(1);
    }

    const bool lowered = bevelStyle_ == TColorBtnBevel::cbLowered || (bevelStyle_ == TColorBtnBevel::cbStd && pressed);
    const QColor light = toQColor(LightenColor(color_, kBevelShade, pal), pal);
    const QColor dark = toQColor(DarkenColor(color_, kBevelShade, pal), pal);
    for (int ring = 0; ring < bevelWidth_; ++ring) {
        const Edges edges = r.shrunk(ring);
        if (edges.isEmpty())
            break;
        drawRing(canvas, edges, lowered ? dark : light, lowered ? light : dark);
    }
    r = r.shrunk(bevelWidth_);

    if (activeDefault_ && focused) {
        const bool darkFace = std::find(std::begin(kDarkColors), std::end(kDarkColors), color_)
            != std::end(kDarkColors);
        drawFocusMark(canvas, r, toQColor(darkFace ? color_ ^ 0xFFFFFF : color_, pal));
    }
    if (bevelStyle_ == TColorBtnBevel::cbStd && pressed)
        r = r.moved(1);
    drawCaption(canvas, r.toRect());
}

void TColorBtn::drawCaption(QPainter& canvas, QRect rect) const
{
    const QPalette& pal = palette();
    const Edges r = Edges::of(rect);
    canvas.save();
    if (isEnabled()) {
        canvas.setBackgroundMode(Qt::OpaqueMode);
        canvas.setBackground(toQColor(color_, pal));
        canvas.setPen(pal.color(foregroundRole()));
        drawCaptionPass(canvas, r, 0, text());
    } else {
        // Embossed: a light copy one pixel right and down, the dark one on top.
        canvas.setBackgroundMode(Qt::TransparentMode);
        canvas.setPen(toQColor(LightenColor(color_, kDisabledLightShade, pal), pal));
        drawCaptionPass(canvas, r, 1, text());
        canvas.setPen(toQColor(DarkenColor(color_, kDisabledDarkShade, pal), pal));
        drawCaptionPass(canvas, r, 0, text());
    }
    canvas.restore();
}

void TColorBtn::paintEvent(QPaintEvent* /*event*/)
{
    QPainter canvas(this);
    unsigned state = 0;
    if (isDown())
        state |= kItemPressed;
    if (hasFocus())
        state |= kItemFocused;
    DrawFace(canvas, rect(), state);
}

// The focus moving within this window decides which button is the active one.
void TColorBtn::onFocusChanged(QWidget* /*old*/, QWidget* now)
{
    if (now == nullptr || now->window() != window())
        return;
    bool active = isDefault();
    if (now == this)
        active = true;
    else if (qobject_cast<QPushButton*>(now) != nullptr)
        active = false;
    if (active == activeDefault_)
        return;
    activeDefault_ = active;
    repaint();
}

}  // namespace vk
