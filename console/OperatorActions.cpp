// What the operator's buttons, the servo lamp, the notebook, the gain scroll
// bar and the first three parameter edits do.
#include "console/Unit1.h"

#include "params/IntegerText.h"
#include "widgets/ColorBtn.h"

#include <QLineEdit>

namespace vk {

void TForm1::Button1Click(QObject* /*Sender*/) {}

void TForm1::Button2Click(QObject* /*Sender*/) {}

void TForm1::Button3Click(QObject* /*Sender*/) {}

void TForm1::TabbedNotebook1Change(int /*NewTab*/, bool& /*AllowChange*/) {}

// Toggles the lamp's look only; the next status query shows the driver's state again.
void TForm1::ColorBtn1Click(QObject* /*Sender*/)
{
    const bool servoOn = ColorBtn1->Color() == clLime;
    ColorBtn1->setColor(servoOn ? clNavy : clLime);
    ColorBtn1->setText(servoOn ? "SERVO OFF" : "SERVO ON");
}

// Edit5 follows the bar once per finished drag or click, never during a drag.
void TForm1::ScrollBar1Scroll(QObject* /*Sender*/, TScrollCode ScrollCode, int ScrollPos)
{
    if (ScrollCode == TScrollCode::scEndScroll)
        edit(5).setText(QString::number(ScrollPos));
}

bool TForm1::Chkint(const std::string& text)
{
    return parseIntegerText(text).has_value();
}

void TForm1::checkInteger(int editNumber, int parameterNumber)
{
    if (!Chkint(editText(editNumber)))
        setEditText(editNumber, parameters_.cache().fetch(parameterNumber));
}

void TForm1::Edit1Exit(QObject* /*Sender*/)
{
    checkInteger(1, 0);
}

// Checks Edit2 whichever of its edits was left.
void TForm1::Edit2Exit(QObject* /*Sender*/)
{
    checkInteger(2, 1);
}

void TForm1::Edit3Exit(QObject* /*Sender*/)
{
    checkInteger(3, 2);
}

}  // namespace vk
