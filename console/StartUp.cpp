// Creation and closing of the window.
#include "console/Unit1.h"

namespace vk {

void TForm1::FormCreate(QObject* /*Sender*/) {}

void TForm1::FormClose(QObject* /*Sender*/, bool& /*allowClose*/) {}

}  // namespace vk
