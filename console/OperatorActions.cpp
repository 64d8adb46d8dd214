// What the operator's buttons, the servo lamp, the notebook, the gain scroll
// bar and the first three parameter edits do.
#include "console/Unit1.h"
#include "ui_Unit1.h"

#include "console/AutoSizeLabel.h"
#include "console/StatusTexts.h"
#include "link/DriveCommands.h"
#include "link/DriveLink.h"
#include "params/IntegerText.h"
#include "params/ParameterTable.h"
#include "widgets/ColorBtn.h"

#include <QLineEdit>

#include <cstdlib>

namespace vk {

// Send: a parameter edit that holds no integer ends it in the error box, with
// the parameters before it written.
void TForm1::Button1Click(QObject* /*Sender*/)
{
    if (!parameters_.UpdateParam())
        showMessage(kTextCommError);
}

// SAVE. A failed status query leaves -1, whose bit 0 refuses the save as well.
void TForm1::Button2Click(QObject* /*Sender*/)
{
    if ((parameters_.StatusWord() & kServoOnMask) != 0) {
        showMessage(kTextSaveRefused);
        return;
    }
    showMessage(kTextSaving);
    // Drawn now: the exchange below handles no event until it ends.
    ui_->Mssgbox->repaint();
    showMessage(SaveParam(link_) ? kTextSaved : kTextSaveError);
}

// Exit: no close event, so the port is left to the operating system. A
// settings file that cannot be written ends this in the error box instead.
void TForm1::Button3Click(QObject* /*Sender*/)
{
    settings_.WritePortSettings(link_.state().PortNumber);
    // Unsent bytes would hold the system's release of the port for up to 30 s.
    link_.discardUnsentOutput();
    endRun_(EXIT_SUCCESS);
}

// The re-read runs before the new page shows; its outcome is not reported.
void TForm1::TabbedNotebook1Change(int /*NewTab*/, bool& /*AllowChange*/)
{
    if (!PollHalted)
        parameters_.ReadParam();
}

// Toggles the lamp's look only; the next status query shows the driver's state again.
void TForm1::ColorBtn1Click(QObject* /*Sender*/)
{
    showServo(ui_->ColorBtn1->Color() != clLime);
}

// Edit5 follows the bar once per finished drag or click, never during a drag.
void TForm1::ScrollBar1Scroll(QObject* /*Sender*/, TScrollCode ScrollCode, int ScrollPos)
{
    if (ScrollCode == TScrollCode::scEndScroll)
        edit(kScrollBarEdit).setText(QString::number(ScrollPos));
}

bool TForm1::Chkint(const std::string& text)
{
    return parseIntegerText(text).has_value();
}

void TForm1::checkInteger(int editNumber)
{
    if (!Chkint(editText(editNumber)))
        setEditText(editNumber, parameters_.cache().fetch(numberShownBy(editNumber)));
}

void TForm1::Edit1Exit(QObject* /*Sender*/)
{
    checkInteger(1);
}

// Checks Edit2 whichever of its edits was left.
void TForm1::Edit2Exit(QObject* /*Sender*/)
{
    checkInteger(2);
}

void TForm1::Edit3Exit(QObject* /*Sender*/)
{
    checkInteger(3);
}

}  // namespace vk
