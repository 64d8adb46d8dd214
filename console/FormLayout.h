#pragma once

#include "widgets/TColor.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <chrono>
#include <span>
#include <string_view>

namespace vk {

enum class ControlKind { Label, Edit, Button, ColorButton, BlinkButton, Notebook, Page, Frame, GroupBox, Radio, ScrollBar, Timer };

// The fonts of the window. Inherited takes the parent's font.
enum class FontRole { Inherited, Window, Tabs, VersionTeal, VersionBlue, Controls, Indicator, PageLabel };

struct FontSpec {
    FontRole role;
    std::string_view face;
    int pixelSize;
    TColor color;
};

// Settings that only some kinds of control have.
struct ControlExtras {
    bool checked = false;          // radio button
    TColor color = clBtnFace;      // face colour of an indicator
    TColor blinkColor = clBtnFace; // blinking button
    bool blinking = false;         // blinking button
};

inline constexpr int kNoTabStop = -1;

// One control of the window. The geometry is x, y, width and height in the
// parent's client area; a label's size then follows its caption.
struct ControlSpec {
    std::string_view name;
    ControlKind kind;
    std::string_view parent;
    std::string_view caption;  // caption, tab caption or edit text
    QRect geometry;
    FontRole font;
    int tabOrder;              // among the parent's controls, or kNoTabStop
    ControlExtras extras = {};
};

inline constexpr std::string_view kFormName = "Form1";
inline constexpr std::string_view kFormCaption = "TERM For VK785N";
inline constexpr QPoint kFormPosition{168, 210};
// The designed outer size is 686 x 478. Window managers on Linux draw thin
// frames: with 1 px borders and a 24 px caption this is the client area left.
inline constexpr QSize kFormClientSize{684, 453};
inline constexpr FontRole kFormFont = FontRole::Window;

inline constexpr std::chrono::milliseconds kTimer1Interval{1000};
inline constexpr int kScrollBar1Max = 2560;

const FontSpec& formFont(FontRole role);
// Every control of the window, parents before their children, in creation
// order: a frame comes before the controls it encloses and lies beneath them.
std::span<const ControlSpec> formControls();

}  // namespace vk
