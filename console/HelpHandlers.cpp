// The help handlers: each shows its pair of texts in the two help lines,
// whichever control raised it and wherever the pointer is on it.
#include "console/Unit1.h"
#include "ui_Unit1.h"

#include "console/AutoSizeLabel.h"
#include "console/HelpTexts.h"
#include "console/QtText.h"

namespace vk {

void TForm1::showHelp(const HelpEntry& entry)
{
    ui_->Mssgbox->setCaption(toQString(entry.first));
    ui_->Mssgbox1->setCaption(toQString(entry.second));
}

// Laid out by hand: one handler to a line, as a table reads.
// clang-format off
void TForm1::Label2MouseMove(const MouseEventArgs& /*event*/) { showHelp(kHelpEncoderResolution); }
void TForm1::Edit1MouseMove(const MouseEventArgs& /*event*/) { showHelp(kHelpEncoderResolution); }
void TForm1::Label3MouseMove(const MouseEventArgs& /*event*/) { showHelp(kHelpInterpolator); }
void TForm1::Edit2MouseMove(const MouseEventArgs& /*event*/) { showHelp(kHelpInterpolator); }
void TForm1::Label4MouseMove(const MouseEventArgs& /*event*/) { showHelp(kHelpPolesOrPitch); }
void TForm1::Edit3MouseMove(const MouseEventArgs& /*event*/) { showHelp(kHelpPolesOrPitch); }
void TForm1::GroupBox1MouseMove(const MouseEventArgs& /*event*/) { showHelp(kHelpEncoderMultiplication); }
void TForm1::GroupBox2MouseMove(const MouseEventArgs& /*event*/) { showHelp(kHelpPoleSensing); }
void TForm1::GroupBox3MouseMove(const MouseEventArgs& /*event*/) { showHelp(kHelpSensorLogic); }
void TForm1::GroupBox4MouseMove(const MouseEventArgs& /*event*/) { showHelp(kHelpEncoderPhase); }
void TForm1::GroupBox5MouseMove(const MouseEventArgs& /*event*/) { showHelp(kHelpLinearEncoderType); }
void TForm1::GroupBox6MouseMove(const MouseEventArgs& /*event*/) { showHelp(kHelpMotorType); }
void TForm1::GroupBox7MouseMove(const MouseEventArgs& /*event*/) { showHelp(kHelpCommandMultiplication); }
void TForm1::GroupBox8MouseMove(const MouseEventArgs& /*event*/) { showHelp(kHelpCommandPulseFormat); }
void TForm1::Label6MouseMove(const MouseEventArgs& /*event*/) { showHelp(kHelpCommutationOffset); }
void TForm1::Edit4MouseMove(const MouseEventArgs& /*event*/) { showHelp(kHelpCommutationOffset); }
void TForm1::Label9MouseMove(const MouseEventArgs& /*event*/) { showHelp(kHelpPulseFrequency); }
void TForm1::Edit6MouseDown(const MouseEventArgs& /*event*/) { showHelp(kHelpPulseFrequency); }
void TForm1::Label10MouseMove(const MouseEventArgs& /*event*/) { showHelp(kHelpGainSwitchSpeed); }
void TForm1::Edit7MouseMove(const MouseEventArgs& /*event*/) { showHelp(kHelpGainSwitchSpeed); }
void TForm1::Label11MouseMove(const MouseEventArgs& /*event*/) { showHelp(kHelpGainSwitchBand); }
void TForm1::Edit8MouseMove(const MouseEventArgs& /*event*/) { showHelp(kHelpGainSwitchBand); }
void TForm1::Label8MouseMove(const MouseEventArgs& /*event*/) { showHelp(kHelpSoftStartGain); }
void TForm1::Edit5MouseMove(const MouseEventArgs& /*event*/) { showHelp(kHelpSoftStartGain); }
void TForm1::Label12MouseMove(const MouseEventArgs& /*event*/) { showHelp(kHelpFullCount); }
void TForm1::Edit9MouseMove(const MouseEventArgs& /*event*/) { showHelp(kHelpFullCount); }
void TForm1::Label13MouseMove(const MouseEventArgs& /*event*/) { showHelp(kHelpFullCountTime); }
void TForm1::Edit10MouseMove(const MouseEventArgs& /*event*/) { showHelp(kHelpFullCountTime); }
void TForm1::Label14MouseMove(const MouseEventArgs& /*event*/) { showHelp(kHelpAcceleration); }
void TForm1::Edit11MouseMove(const MouseEventArgs& /*event*/) { showHelp(kHelpAcceleration); }
void TForm1::Label17MouseMove(const MouseEventArgs& /*event*/) { showHelp(kHelpCheckSpeed); }
void TForm1::Edit12MouseMove(const MouseEventArgs& /*event*/) { showHelp(kHelpCheckSpeed); }
void TForm1::ColorBtn1MouseMove(const MouseEventArgs& /*event*/) { showHelp(kHelpServoLamp); }
void TForm1::BlinkBtn1MouseMove(const MouseEventArgs& /*event*/) { showHelp(kHelpAlarmLamp); }

// The send and exit buttons keep the help lines as they are.
void TForm1::Button1MouseMove(const MouseEventArgs& /*event*/) {}
void TForm1::Button3MouseMove(const MouseEventArgs& /*event*/) {}
// clang-format on

}  // namespace vk
