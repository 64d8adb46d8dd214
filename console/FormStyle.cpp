#include "console/FormStyle.h"

#include "console/QtText.h"
#include "ui_Unit1.h"
#include "widgets/ColorShades.h"

#include <QFont>
#include <QPoint>
#include <QTabBar>

#include <initializer_list>
#include <string_view>

namespace vk {
namespace {

struct FontStyle {
    std::string_view face;
    int pixelSize;
    TColor color;
};

// "ＭＳ Ｐゴシック" is a proportional Japanese Gothic face; "System" the
// platform's own face, here a Japanese Gothic of fixed pitch.
constexpr std::string_view kGothic = "IPAPGothic";
constexpr std::string_view kSystem = "IPAGothic";

constexpr FontStyle kWindowFont{kGothic, 12, clWindowText};
constexpr FontStyle kTabsFont{kGothic, 12, clBtnText};
constexpr FontStyle kVersionTealFont{kGothic, 16, clTeal};
constexpr FontStyle kVersionBlueFont{kGothic, 16, clBlue};
constexpr FontStyle kControlsFont{kSystem, 12, clWindowText};
constexpr FontStyle kIndicatorFont{kSystem, 12, clWhite};
constexpr FontStyle kPageLabelFont{kSystem, 13, clWindowText};

constexpr QPoint kFormPosition{168, 210};

void applyFont(const FontStyle& style, std::initializer_list<QWidget*> widgets)
{
    for (QWidget* widget : widgets) {
        QFont font(toQString(style.face));
        font.setPixelSize(style.pixelSize);
        widget->setFont(font);
        if (isSystemColor(style.color))
            continue;  // the palette's own text colours already are the system ones
        QPalette palette = widget->palette();
        const QColor color = toQColor(style.color, palette);
        for (const auto textRole : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
            palette.setColor(textRole, color);
        widget->setPalette(palette);
    }
}

template <typename Control>
void applyFontOnPages(const FontStyle& style, const Ui::TForm1& ui)
{
    for (QWidget* page : {ui.Page1, ui.Page2, ui.Page3})
        for (Control* control : page->findChildren<Control*>())
            applyFont(style, {control});
}

// Radio buttons and frames take their group's or page's font.
void applyFonts(Ui::TForm1& ui, QWidget& form)
{
    applyFont(kWindowFont, {&form});
    applyFont(kTabsFont, {ui.TabbedNotebook1->tabBar()});
    applyFont(kVersionTealFont, {ui.Label15});
    applyFont(kVersionBlueFont, {ui.Label16});
    applyFont(kControlsFont, {ui.Button1, ui.Button2, ui.Button3, ui.Mssgbox, ui.Mssgbox1});
    applyFont(kIndicatorFont, {ui.ColorBtn1, ui.BlinkBtn1});
    applyFontOnPages<AutoSizeLabel>(kPageLabelFont, ui);
    applyFontOnPages<QLineEdit>(kControlsFont, ui);
    applyFontOnPages<QGroupBox>(kControlsFont, ui);
}

void keepTabStopOnChecked(QRadioButton& radio)
{
    // Tab stops at the checked button of a group only; the arrow keys move within it.
    const auto takeTabStop = [&radio](bool on) { radio.setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus); };
    takeTabStop(radio.isChecked());
    QObject::connect(&radio, &QAbstractButton::toggled, &radio, takeTabStop);
    // The pointer over a radio button belongs to it, never to its group box.
    radio.setAttribute(Qt::WA_NoMousePropagation);
}

}  // namespace

void styleForm(Ui::TForm1& ui, QWidget& form)
{
    form.move(kFormPosition);
    applyFonts(ui, form);
    ui.ColorBtn1->setColor(clNavy);
    ui.BlinkBtn1->setColor(clNavy);
    ui.BlinkBtn1->setBlinkColor(clRed);
    ui.BlinkBtn1->setBlinkEnabled(true);
    for (QRadioButton* radio : form.findChildren<QRadioButton*>())
        keepTabStopOnChecked(*radio);
    // The tabs come before the pages' controls when Tab moves the focus.
    QWidget::setTabOrder(ui.BlinkBtn1, ui.TabbedNotebook1->tabBar());
    QWidget::setTabOrder(ui.TabbedNotebook1->tabBar(), ui.Edit1);
}

}  // namespace vk
