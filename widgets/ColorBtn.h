#pragma once

#include "widgets/ColorShades.h"
#include "widgets/TColor.h"

#include <QPushButton>
#include <QRect>

#include <cstdint>

class QPainter;

namespace vk {

enum class TColorBtnBevel : std::uint8_t { cbStd, cbLowered, cbRaised };

// A push button used as a lamp: it keeps all push-button behaviour but paints
// its whole face itself, in Color with a bevel shaded from it.
class TColorBtn : public QPushButton {
    Q_OBJECT

public:
    // Item-state flags handed to DrawFace.
    static constexpr unsigned kItemPressed = 0x0001;
    static constexpr unsigned kItemFocused = 0x0010;

    static constexpr TColorBtnBevel kDefaultBevelStyle = TColorBtnBevel::cbStd;
    static constexpr int kDefaultBevelWidth = 2;

    explicit TColorBtn(QWidget* owner = nullptr);

    TColorBtnBevel BevelStyle() const { return bevelStyle_; }
    void setBevelStyle(TColorBtnBevel style);

    int BevelWidth() const { return bevelWidth_; }
    // Widths below 1 are stored as 1.
    void setBevelWidth(int width);

    TColor Color() const { return color_; }
    // The one way every colour change of an indicator goes; repaints only on a change.
    virtual void setColor(TColor color);

    // Whether this is the window's active button: it has the focus, or the
    // focus is on a control other than a push button and this is the default one.
    bool ActiveDefault() const { return activeDefault_; }

protected:
    // Paints the whole face into r; state holds kItemPressed and kItemFocused.
    virtual void DrawFace(QPainter& canvas, QRect r, unsigned state);

    // A change of the enabled state needs no handler here: QWidget repaints on it.
    void paintEvent(QPaintEvent* event) override;

private:
    void onFocusChanged(QWidget* old, QWidget* now);
    void drawCaption(QPainter& canvas, QRect r) const;

    TColorBtnBevel bevelStyle_ = kDefaultBevelStyle;
    int bevelWidth_ = kDefaultBevelWidth;
    TColor color_ = clBtnFace;
    bool activeDefault_ = false;
};

}  // namespace vk
