#include "console/Unit1.h"

#include "console/AutoSizeLabel.h"
#include "console/EventWiring.h"
#include "console/FormBuilder.h"
#include "widgets/BlinkBtn.h"
#include "widgets/ColorBtn.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

#include <stdexcept>

namespace vk {

TForm1::TForm1(FormContext context)
    : link_(context.link), settings_(std::move(context.settings)), endRun_(std::move(context.endRun))
{
    if (!endRun_)
        endRun_ = [](int exitCode) { QCoreApplication::exit(exitCode); };
    buildForm(*this);
    Mssgbox = control<AutoSizeLabel>("Mssgbox");
    Mssgbox1 = control<AutoSizeLabel>("Mssgbox1");
    ColorBtn1 = control<TColorBtn>("ColorBtn1");
    BlinkBtn1 = control<TBlinkBtn>("BlinkBtn1");
    ScrollBar1 = control<QScrollBar>("ScrollBar1");
    Timer1 = control<QTimer>("Timer1");
    for (int n = 1; n <= kParameterEdits; ++n)
        edits_[n - 1] = control<QLineEdit>(QStringLiteral("Edit%1").arg(n));
    for (int n = 1; n <= kParameterRadios; ++n)
        radios_[n - 1] = control<QRadioButton>(QStringLiteral("RadioButton%1").arg(n));

    ErrorReporter report = context.reportError;
    if (!report)
        report = [this](const QString& message) { showErrorBox(this, message); };
    wiring_ = std::make_unique<EventWiring>(*this, std::move(report));
    wiring_->raiseCreate();
}

TForm1::~TForm1() = default;

template <typename Control>
Control* TForm1::control(const QString& name)
{
    auto* found = findChild<Control*>(name);
    if (!found)
        throw std::logic_error("TForm1: the layout has no " + name.toStdString());
    return found;
}

QLineEdit& TForm1::edit(int editNumber) const
{
    if (editNumber < 1 || editNumber > kParameterEdits)
        throw std::out_of_range("no Edit" + std::to_string(editNumber));
    return *edits_[editNumber - 1];
}

QRadioButton& TForm1::radio(int radioNumber) const
{
    if (radioNumber < 1 || radioNumber > kParameterRadios)
        throw std::out_of_range("no RadioButton" + std::to_string(radioNumber));
    return *radios_[radioNumber - 1];
}

std::string TForm1::editText(int editNumber) const
{
    return edit(editNumber).text().toStdString();
}

void TForm1::setEditText(int editNumber, const std::string& text)
{
    edit(editNumber).setText(QString::fromStdString(text));
}

bool TForm1::radioChecked(int radioNumber) const
{
    return radio(radioNumber).isChecked();
}

void TForm1::checkRadio(int radioNumber)
{
    radio(radioNumber).setChecked(true);
}

}  // namespace vk
