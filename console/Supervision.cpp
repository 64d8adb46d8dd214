// The once-a-second supervision of the driver.
#include "console/Unit1.h"

namespace vk {

void TForm1::Timer1Timer(QObject* /*Sender*/) {}

}  // namespace vk
