// The once-a-second supervision of the driver: the first bulk read, then the
// status word on the servo lamp and the alarm lamp.
#include "console/Unit1.h"
#include "ui_Unit1.h"

#include "console/AutoSizeLabel.h"
#include "console/QtText.h"
#include "console/StatusTexts.h"
#include "link/DriveCommands.h"
#include "link/DriveLink.h"
#include "params/IntegerText.h"
#include "params/ParameterTable.h"
#include "widgets/BlinkBtn.h"
#include "widgets/ColorBtn.h"

#include <QScrollBar>
#include <QTimer>

#include <optional>
#include <utility>

namespace vk {

// A tick held back by a long exchange is let go: the window's events waiting
// behind it, a close above all, come first, as with the platform's timer
// messages that wait for an empty queue. The next tick is one interval away.
void TForm1::Timer1Timer(QObject* /*Sender*/)
{
    if (heldBack())
        return;
    if (PollHalted) {
        showMessage(kTextCannotConnect);
        return;
    }
    if (FirstRead) {
        if (!parameters_.ReadParam()) {
            countCommError();
            PollHalted = true;
            return;
        }
        FirstRead = false;
        // The bar moves Edit5's number. A text there that is no integer ends
        // this tick in the error box; the next tick polls as usual.
        ui_->ScrollBar1->setValue(convertIntegerText(parameters_.cache().fetch(numberShownBy(kScrollBarEdit))));
    }
    if (CommErrorCount < kCommErrorLimit)
        pollStatus();
    if (CommErrorCount >= kCommErrorLimit)
        showMessage(kTextCannotConnect);
}

bool TForm1::heldBack()
{
    const Tick now = link_.clock().tickMs();
    const std::optional<Tick> last = std::exchange(lastTickAt_, now);
    return last && std::chrono::milliseconds(now - *last) > kHeldBackGap;
}

void TForm1::stopSupervision()
{
    Timer1->stop();
}

void TForm1::pollStatus()
{
    const std::int32_t status = parameters_.ReadStat();
    if (status < 0)
        countCommError();
    else
        showStatus(status);
}

// The lamps keep their look through a failed query.
void TForm1::showStatus(std::int32_t status)
{
    showServo((status & kServoOnMask) != 0);
    if ((status & kAlarmMask) != 0) {
        ui_->BlinkBtn1->setBlinkEnabled(true);
    } else {
        ui_->BlinkBtn1->setColor(clNavy);
        ui_->BlinkBtn1->setBlinkEnabled(false);
    }
}

void TForm1::showServo(bool on)
{
    ui_->ColorBtn1->setColor(on ? clLime : clNavy);
    ui_->ColorBtn1->setText(on ? kTextServoOn : kTextServoOff);
}

void TForm1::countCommError()
{
    showMessage(kTextCommError);
    ++CommErrorCount;
    link_.state().TimedOut = false;
}

void TForm1::showMessage(const char* text)
{
    ui_->Mssgbox->setCaption(toQString(text));
}

}  // namespace vk
