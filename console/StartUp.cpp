// Creation and closing of the window: the port number from its store, the
// link brought up and, at the close, the settings written and the port closed.
#include "console/Unit1.h"

#include "link/DriveLink.h"

namespace vk {

// A port number of the wrong stored type ends this in the error box: the port
// stays closed for the run and the cache keeps its empty texts.
void TForm1::FormCreate(QObject* /*Sender*/)
{
    FirstRead = true;
    link_.state().PortNumber = settings_.ReadPortNumber();
    if (!link_.OpenPort())
        return;
    parameters_.cache().reset();
}

// A settings file that cannot be written keeps the window open, supervised,
// and the port open; the operator can try again.
void TForm1::FormClose(QObject* /*Sender*/, bool& /*allowClose*/)
{
    settings_.WritePortSettings(link_.state().PortNumber);
    stopSupervision();
    link_.ClosePort();
}

}  // namespace vk
