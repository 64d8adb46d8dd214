#include "console/FormBuilder.h"

#include "console/AutoSizeLabel.h"
#include "console/FormLayout.h"
#include "console/QtText.h"
#include "console/TabbedNotebook.h"
#include "widgets/BlinkBtn.h"
#include "widgets/ColorShades.h"

#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTimer>

#include <algorithm>
#include <limits>
#include <map>
#include <stdexcept>
#include <vector>

namespace vk {
namespace {

constexpr TColor kSystemColorFlag = 0x80000000;

void applyFont(QWidget& widget, FontRole role)
{
    if (role == FontRole::Inherited)
        return;
    const FontSpec& row = formFont(role);
    QFont font(toQString(row.face));
    font.setPixelSize(row.pixelSize);
    widget.setFont(font);
    if (row.color & kSystemColorFlag)
        return;  // the palette's own text colours already are the system ones
    QPalette palette = widget.palette();
    const QColor color = toQColor(row.color, palette);
    for (const auto textRole : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        palette.setColor(textRole, color);
    widget.setPalette(palette);
}

class FormBuilder {
public:
    explicit FormBuilder(QWidget& form) : form_(form) { made_[kFormName] = &form; }

    void build()
    {
        form_.setObjectName(toQString(kFormName));
        form_.setWindowTitle(toQString(kFormCaption));
        form_.move(kFormPosition);
        form_.resize(kFormClientSize);
        applyFont(form_, kFormFont);
        for (const ControlSpec& row : formControls())
            made_[row.name] = make(row);
        chainFocus(focusOrder(kFormName));
    }

private:
    QWidget& widget(std::string_view name) const
    {
        const auto found = made_.find(name);
        auto* widget = found == made_.end() ? nullptr : qobject_cast<QWidget*>(found->second);
        if (!widget)
            throw std::logic_error("layout: no control " + std::string(name) + " to place controls in");
        return *widget;
    }

    QObject* make(const ControlSpec& row)
    {
        QWidget& parent = widget(row.parent);
        if (row.kind == ControlKind::Timer)
            return makeTimer(row, parent);
        QWidget* control = row.kind == ControlKind::Page ? makePage(row, parent) : makeWidget(row, parent);
        control->setObjectName(toQString(row.name));
        return control;
    }

    static QObject* makeTimer(const ControlSpec& row, QWidget& parent)
    {
        auto* timer = new QTimer(&parent);
        timer->setObjectName(toQString(row.name));
        timer->setInterval(kTimer1Interval);
        timer->start();
        return timer;
    }

    static QWidget* makePage(const ControlSpec& row, QWidget& parent)
    {
        auto* notebook = qobject_cast<TabbedNotebook*>(&parent);
        if (!notebook)
            throw std::logic_error("layout: page " + std::string(row.name) + " outside a notebook");
        return notebook->addPage(toQString(row.caption));
    }

    static QWidget* makeWidget(const ControlSpec& row, QWidget& parent)
    {
        QWidget* control = create(row, parent);
        if (row.kind == ControlKind::Notebook)
            applyFont(*static_cast<TabbedNotebook*>(control)->tabBar(), row.font);
        else
            applyFont(*control, row.font);
        if (auto* label = qobject_cast<AutoSizeLabel*>(control)) {
            label->move(row.geometry.topLeft());
            label->setCaption(toQString(row.caption));  // after the font: the size follows both
        } else {
            control->setGeometry(row.geometry);
        }
        return control;
    }

    static QWidget* create(const ControlSpec& row, QWidget& parent)
    {
        const QString caption = toQString(row.caption);
        switch (row.kind) {
        case ControlKind::Label:
            return new AutoSizeLabel(&parent);
        case ControlKind::Edit: {
            auto* edit = new QLineEdit(caption, &parent);
            edit->setMaxLength(std::numeric_limits<int>::max());
            return edit;
        }
        case ControlKind::Button: {
            auto* button = new QPushButton(caption, &parent);
            button->setAutoDefault(false);
            return button;
        }
        case ControlKind::ColorButton:
            return makeIndicator<TColorBtn>(row, parent);
        case ControlKind::BlinkButton: {
            auto* button = makeIndicator<TBlinkBtn>(row, parent);
            button->setBlinkColor(row.extras.blinkColor);
            button->setBlinkEnabled(row.extras.blinking);
            return button;
        }
        case ControlKind::Notebook:
            return new TabbedNotebook(&parent);
        case ControlKind::Frame: {
            auto* frame = new QFrame(&parent);
            frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            return frame;
        }
        case ControlKind::GroupBox:
            return new QGroupBox(caption, &parent);
        case ControlKind::Radio:
            return makeRadio(caption, row.extras.checked, parent);
        case ControlKind::ScrollBar: {
            auto* bar = new QScrollBar(Qt::Horizontal, &parent);
            bar->setRange(0, kScrollBar1Max);
            bar->setSingleStep(1);
            bar->setPageStep(1);
            bar->setFocusPolicy(Qt::StrongFocus);
            return bar;
        }
        case ControlKind::Page:
        case ControlKind::Timer:
            break;
        }
        throw std::logic_error("layout: " + std::string(row.name) + " is no widget");
    }

    static QRadioButton* makeRadio(const QString& caption, bool checked, QWidget& parent)
    {
        auto* radio = new QRadioButton(caption, &parent);
        // Tab stops at the checked button of a group only; the arrow keys move within it.
        const auto takeTabStop = [radio](bool on) { radio->setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus); };
        takeTabStop(checked);
        QObject::connect(radio, &QAbstractButton::toggled, radio, takeTabStop);
        radio->setChecked(checked);
        // The pointer over a radio button belongs to it, never to its group box.
        radio->setAttribute(Qt::WA_NoMousePropagation);
        return radio;
    }

    template <typename Indicator>
    static Indicator* makeIndicator(const ControlSpec& row, QWidget& parent)
    {
        auto* button = new Indicator(&parent);
        button->setText(toQString(row.caption));
        button->setColor(row.extras.color);
        return button;
    }

    // The controls that take the focus, in the order Tab visits them: a
    // notebook's tabs and then its pages' controls, a group box's buttons.
    std::vector<QWidget*> focusOrder(std::string_view parent) const
    {
        std::vector<const ControlSpec*> stops;
        for (const ControlSpec& row : formControls())
            if (row.parent == parent && (row.tabOrder != kNoTabStop || row.kind == ControlKind::Page))
                stops.push_back(&row);
        std::stable_sort(stops.begin(), stops.end(),
                         [](const ControlSpec* a, const ControlSpec* b) { return a->tabOrder < b->tabOrder; });
        std::vector<QWidget*> order;
        for (const ControlSpec* row : stops) {
            if (row->kind == ControlKind::Notebook)
                order.push_back(static_cast<TabbedNotebook&>(widget(row->name)).tabBar());
            if (row->kind == ControlKind::Notebook || row->kind == ControlKind::GroupBox
                || row->kind == ControlKind::Page) {
                const auto inner = focusOrder(row->name);
                order.insert(order.end(), inner.begin(), inner.end());
            } else {
                order.push_back(&widget(row->name));
            }
        }
        return order;
    }

    static void chainFocus(const std::vector<QWidget*>& order)
    {
        for (std::size_t i = 1; i < order.size(); ++i)
            QWidget::setTabOrder(order[i - 1], order[i]);
    }

    QWidget& form_;
    std::map<std::string_view, QObject*> made_;
};

}  // namespace

void buildForm(QWidget& form)
{
    FormBuilder(form).build();
}

}  // namespace vk
