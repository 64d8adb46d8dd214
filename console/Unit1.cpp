#include "console/Unit1.h"

#include "console/FormEvents.h"
#include "console/FormStyle.h"
#include "console/QtText.h"
#include "ui_Unit1.h"

#include <QCoreApplication>
#include <QTimer>

#include <stdexcept>

namespace vk {

TForm1::TForm1(FormContext context)
    : link_(context.link), settings_(std::move(context.settings)), endRun_(std::move(context.endRun)),
      ui_(std::make_unique<Ui::TForm1>())
{
    if (!endRun_)
        endRun_ = [](int exitCode) { QCoreApplication::exit(exitCode); };
    ui_->setupUi(this);
    styleForm(*ui_, *this);
    edits_ = {ui_->Edit1, ui_->Edit2, ui_->Edit3, ui_->Edit4,  ui_->Edit5,  ui_->Edit6,
              ui_->Edit7, ui_->Edit8, ui_->Edit9, ui_->Edit10, ui_->Edit11, ui_->Edit12};
    radios_ = {ui_->RadioButton1,  ui_->RadioButton2,  ui_->RadioButton3,  ui_->RadioButton4,  ui_->RadioButton5,
               ui_->RadioButton6,  ui_->RadioButton7,  ui_->RadioButton8,  ui_->RadioButton9,  ui_->RadioButton10,
               ui_->RadioButton11, ui_->RadioButton12, ui_->RadioButton13, ui_->RadioButton14, ui_->RadioButton15,
               ui_->RadioButton16, ui_->RadioButton17};
    for (int n = 1; n <= kParameterEdits; ++n)
        edit(n).setText(toQString(openingEditText(n)));

    Timer1 = new QTimer(this);
    Timer1->setInterval(kTimer1Interval);
    Timer1->start();

    ErrorReporter report = context.reportError;
    if (!report)
        report = [this](const QString& message) { showErrorBox(this, message); };
    events_ = std::make_unique<FormEvents>(*this, std::move(report));
    wireEvents();
    events_->guard([this] { FormCreate(this); });
}

TForm1::~TForm1() = default;

template <typename Control, typename Signal>
void TForm1::wire(Control* control, Signal signal, void (*handler)(TForm1& form, QObject* Sender))
{
    // In the events object's keeping, so the connection goes with it before the controls do.
    connect(control, signal, events_.get(),
            [this, control, handler] { events_->guard([&] { handler(*this, control); }); });
}

// Every handler of the window and the event that runs it.
void TForm1::wireEvents()
{
    FormEvents& on = *events_;
    on.onClose(method<&TForm1::FormClose>);
    wire(Timer1, &QTimer::timeout, method<&TForm1::Timer1Timer>);
    wire(ui_->Button1, &QPushButton::clicked, method<&TForm1::Button1Click>);
    wire(ui_->Button2, &QPushButton::clicked, method<&TForm1::Button2Click>);
    wire(ui_->Button3, &QPushButton::clicked, method<&TForm1::Button3Click>);
    wire(ui_->ColorBtn1, &QPushButton::clicked, method<&TForm1::ColorBtn1Click>);
    on.onMouseMove(ui_->Button1, method<&TForm1::Button1MouseMove>);
    on.onMouseMove(ui_->Button3, method<&TForm1::Button3MouseMove>);
    on.onMouseMove(ui_->ColorBtn1, method<&TForm1::ColorBtn1MouseMove>);
    on.onMouseMove(ui_->BlinkBtn1, method<&TForm1::BlinkBtn1MouseMove>);
    // The handler answers through allowChange, so it runs before the page changes.
    connect(
        ui_->TabbedNotebook1, &TabbedNotebook::changing, events_.get(),
        [this](int newTab, bool& allowChange) {
            // A handler that fails keeps the page in front.
            if (!events_->guard([&] { TabbedNotebook1Change(newTab, allowChange); }))
                allowChange = false;
        },
        Qt::DirectConnection);

    // Page1
    on.onMouseMove(ui_->Label2, method<&TForm1::Label2MouseMove>);
    on.onExit(ui_->Edit1, method<&TForm1::Edit1Exit>);
    on.onMouseMove(ui_->Edit1, method<&TForm1::Edit1MouseMove>);
    on.onMouseMove(ui_->Label3, method<&TForm1::Label3MouseMove>);
    on.onExit(ui_->Edit2, method<&TForm1::Edit2Exit>);
    on.onMouseMove(ui_->Edit2, method<&TForm1::Edit2MouseMove>);
    on.onMouseMove(ui_->Label4, method<&TForm1::Label4MouseMove>);
    on.onExit(ui_->Edit3, method<&TForm1::Edit3Exit>);
    on.onMouseMove(ui_->Edit3, method<&TForm1::Edit3MouseMove>);
    on.onMouseMove(ui_->GroupBox1, method<&TForm1::GroupBox1MouseMove>);
    on.onMouseMove(ui_->GroupBox2, method<&TForm1::GroupBox2MouseMove>);
    on.onMouseMove(ui_->GroupBox3, method<&TForm1::GroupBox3MouseMove>);
    on.onMouseMove(ui_->GroupBox4, method<&TForm1::GroupBox4MouseMove>);
    on.onMouseMove(ui_->GroupBox5, method<&TForm1::GroupBox5MouseMove>);
    // Page2: the edits below Edit4 share Edit2's exit and Edit6's press.
    on.onMouseMove(ui_->GroupBox6, method<&TForm1::GroupBox6MouseMove>);
    on.onMouseMove(ui_->GroupBox7, method<&TForm1::GroupBox7MouseMove>);
    on.onMouseMove(ui_->GroupBox8, method<&TForm1::GroupBox8MouseMove>);
    on.onMouseMove(ui_->Label6, method<&TForm1::Label6MouseMove>);
    on.onExit(ui_->Edit4, method<&TForm1::Edit2Exit>);
    on.onMouseMove(ui_->Edit4, method<&TForm1::Edit4MouseMove>);
    on.onMouseMove(ui_->Label9, method<&TForm1::Label9MouseMove>);
    on.onExit(ui_->Edit6, method<&TForm1::Edit2Exit>);
    on.onMouseDown(ui_->Edit6, method<&TForm1::Edit6MouseDown>);
    on.onMouseMove(ui_->Label10, method<&TForm1::Label10MouseMove>);
    on.onExit(ui_->Edit7, method<&TForm1::Edit2Exit>);
    on.onMouseDown(ui_->Edit7, method<&TForm1::Edit6MouseDown>);
    on.onMouseMove(ui_->Edit7, method<&TForm1::Edit7MouseMove>);
    on.onMouseMove(ui_->Label11, method<&TForm1::Label11MouseMove>);
    on.onExit(ui_->Edit8, method<&TForm1::Edit2Exit>);
    on.onMouseDown(ui_->Edit8, method<&TForm1::Edit6MouseDown>);
    on.onMouseMove(ui_->Edit8, method<&TForm1::Edit8MouseMove>);
    // Page3
    on.onMouseMove(ui_->Label8, method<&TForm1::Label8MouseMove>);
    on.onScroll(ui_->ScrollBar1, method<&TForm1::ScrollBar1Scroll>);
    on.onMouseMove(ui_->Edit5, method<&TForm1::Edit5MouseMove>);
    on.onMouseMove(ui_->Label12, method<&TForm1::Label12MouseMove>);
    on.onMouseMove(ui_->Edit9, method<&TForm1::Edit9MouseMove>);
    on.onMouseMove(ui_->Label13, method<&TForm1::Label13MouseMove>);
    on.onMouseMove(ui_->Edit10, method<&TForm1::Edit10MouseMove>);
    on.onMouseMove(ui_->Label14, method<&TForm1::Label14MouseMove>);
    on.onMouseMove(ui_->Edit11, method<&TForm1::Edit11MouseMove>);
    on.onMouseMove(ui_->Label17, method<&TForm1::Label17MouseMove>);
    on.onMouseMove(ui_->Edit12, method<&TForm1::Edit12MouseMove>);
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
