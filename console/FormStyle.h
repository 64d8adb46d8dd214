#pragma once

class QWidget;

namespace Ui {
class TForm1;
}

namespace vk {

// What the form cannot hold, set right after setupUi: fonts in pixel sizes
// with their text colours, the indicators' colours and blinking, and the
// radio buttons' tab stops and pointer handling. Also where the window opens.
void styleForm(Ui::TForm1& ui, QWidget& form);

}  // namespace vk
