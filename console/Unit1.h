#pragma once

#include "console/EventArgs.h"
#include "console/HandlerGuard.h"
#include "params/ParameterControls.h"
#include "params/ParameterSet.h"
#include "platform/settings/PortSettings.h"

#include <QWidget>

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QLineEdit;
class QRadioButton;
class QTimer;

namespace Ui {
class TForm1;
}

namespace vk {

class DriveLink;
class FormEvents;
struct HelpEntry;

// What the window works with; tests build it over a fake port and a fake clock.
struct FormContext {
    DriveLink& link;
    // Where the port number is read from and written to.
    PortSettings settings = PortSettings();
    // Shows a failure that a handler did not catch; the modal error box when empty.
    ErrorReporter reportError = {};
    // Ends the program with the exit code, without closing the window (the
    // Exit button); leaving the event loop when empty.
    std::function<void(int exitCode)> endRun = {};
};

// The one window of the program: the parameter notebook, the buttons and
// lamps on the right, the two help lines, and the supervision timer. Its
// controls come from the form Unit1.ui; wireEvents() connects their events
// to the handlers below, which are named after the control and event.
class TForm1 : public QWidget, public ParameterControls {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds kTimer1Interval{1000};
    // A tick later than this after the one before was held back by a long
    // exchange; well past the interval, so that a tick the system merely
    // delivers late still runs.
    static constexpr std::chrono::milliseconds kHeldBackGap = kTimer1Interval * 3 / 2;
    // The edit the gain scroll bar moves and follows.
    static constexpr int kScrollBarEdit = 5;

    explicit TForm1(FormContext context);
    ~TForm1() override;

    ParameterSet& parameters() { return parameters_; }
    // The form's controls and the supervision timer, for a look from outside (tests, screenshots).
    Ui::TForm1& ui() { return *ui_; }
    QTimer& timer() { return *Timer1; }

    // The supervision's state, for a look from outside.
    bool firstRead() const { return FirstRead; }
    bool pollHalted() const { return PollHalted; }
    std::int32_t commErrorCount() const { return CommErrorCount; }

    // The parameter controls by number: Edit1..Edit12, RadioButton1..RadioButton17.
    std::string editText(int editNumber) const override;
    void setEditText(int editNumber, const std::string& text) override;
    bool radioChecked(int radioNumber) const override;
    void checkRadio(int radioNumber) override;

    // True when the text is an integer by the integer text rule.
    static bool Chkint(const std::string& text);

    // Creation and closing of the window.
    void FormCreate(QObject* Sender);
    void FormClose(QObject* Sender, bool& allowClose);

    // Supervision.
    void Timer1Timer(QObject* Sender);
    // Ends the once-a-second ticks for good: the run is ending, and a tick
    // would wait out a whole exchange on a port that is closing.
    void stopSupervision();

    // Operator actions.
    void Button1Click(QObject* Sender);
    void Button2Click(QObject* Sender);
    void Button3Click(QObject* Sender);
    void ColorBtn1Click(QObject* Sender);
    void TabbedNotebook1Change(int NewTab, bool& AllowChange);
    void ScrollBar1Scroll(QObject* Sender, TScrollCode ScrollCode, int ScrollPos);
    void Edit1Exit(QObject* Sender);
    void Edit2Exit(QObject* Sender);
    void Edit3Exit(QObject* Sender);

    // Help line.
    void Label2MouseMove(const MouseEventArgs& event);
    void Edit1MouseMove(const MouseEventArgs& event);
    void Label3MouseMove(const MouseEventArgs& event);
    void Edit2MouseMove(const MouseEventArgs& event);
    void Label4MouseMove(const MouseEventArgs& event);
    void Edit3MouseMove(const MouseEventArgs& event);
    void GroupBox1MouseMove(const MouseEventArgs& event);
    void GroupBox2MouseMove(const MouseEventArgs& event);
    void GroupBox3MouseMove(const MouseEventArgs& event);
    void GroupBox4MouseMove(const MouseEventArgs& event);
    void GroupBox5MouseMove(const MouseEventArgs& event);
    void GroupBox6MouseMove(const MouseEventArgs& event);
    void GroupBox7MouseMove(const MouseEventArgs& event);
    void GroupBox8MouseMove(const MouseEventArgs& event);
    void Label6MouseMove(const MouseEventArgs& event);
    void Edit4MouseMove(const MouseEventArgs& event);
    void Label9MouseMove(const MouseEventArgs& event);
    void Edit6MouseDown(const MouseEventArgs& event);
    void Label10MouseMove(const MouseEventArgs& event);
    void Edit7MouseMove(const MouseEventArgs& event);
    void Label11MouseMove(const MouseEventArgs& event);
    void Edit8MouseMove(const MouseEventArgs& event);
    void Label8MouseMove(const MouseEventArgs& event);
    void Edit5MouseMove(const MouseEventArgs& event);
    void Label12MouseMove(const MouseEventArgs& event);
    void Edit9MouseMove(const MouseEventArgs& event);
    void Label13MouseMove(const MouseEventArgs& event);
    void Edit10MouseMove(const MouseEventArgs& event);
    void Label14MouseMove(const MouseEventArgs& event);
    void Edit11MouseMove(const MouseEventArgs& event);
    void Label17MouseMove(const MouseEventArgs& event);
    void Edit12MouseMove(const MouseEventArgs& event);
    void ColorBtn1MouseMove(const MouseEventArgs& event);
    void BlinkBtn1MouseMove(const MouseEventArgs& event);
    void Button1MouseMove(const MouseEventArgs& event);
    void Button3MouseMove(const MouseEventArgs& event);

private:
    void wireEvents();
    // A signal of a control to a handler that is told the control as Sender.
    template <typename Control, typename Signal>
    void wire(Control* control, Signal signal, void (*handler)(TForm1& form, QObject* Sender));
    QLineEdit& edit(int editNumber) const;
    QRadioButton& radio(int radioNumber) const;
    void showHelp(const HelpEntry& entry);
    // Replaces the first help line only, so a second-line help text stays.
    void showMessage(const char* text);
    void showServo(bool on);
    void showStatus(std::int32_t status);
    // A failed exchange of the supervision: reported and counted.
    void countCommError();
    void pollStatus();
    // A tick that comes late because an exchange held the thread; it starts
    // the count again from this tick.
    bool heldBack();
    // An input check on leaving an edit: a text that is no integer gives way
    // to the last reply text of the edit's parameter.
    void checkInteger(int editNumber);

    // A sixth failed exchange ends the status queries for the run.
    static constexpr std::int32_t kCommErrorLimit = 6;

    DriveLink& link_;
    PortSettings settings_;
    std::function<void(int exitCode)> endRun_;
    ParameterSet parameters_{link_, *this};

    std::optional<Tick> lastTickAt_;  // on the link's clock
    bool FirstRead = false;
    bool PollHalted = false;
    std::int32_t CommErrorCount = 0;

    std::unique_ptr<Ui::TForm1> ui_;
    QTimer* Timer1 = nullptr;
    std::array<QLineEdit*, kParameterEdits> edits_{};
    std::array<QRadioButton*, kParameterRadios> radios_{};
    // Last, so it goes first: no handler runs while the window is taken apart.
    std::unique_ptr<FormEvents> events_;
};

}  // namespace vk
