#include "platform/SessionBus.h"

#include <cstdlib>
#include <filesystem>

namespace vk {

// On X11 Qt's accessibility bridge asks for the session bus while the window
// is built. Where none runs (a bare X server, ssh -X, Xvfb), libdbus starts
// one through dbus-launch, bound to the display, and it outlives us. With no
// bus there is no accessibility service to reach either, so nothing is lost.
void keepSessionBusFromStarting()
{
    if (std::getenv("DBUS_SESSION_BUS_ADDRESS") != nullptr)
        return;
    // The per-user bus of a systemd session, found by libdbus without the variable.
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr) {
        std::error_code ec;
        if (std::filesystem::exists(std::filesystem::path(runtime) / "bus", ec))
            return;
    }
    ::setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
}

}  // namespace vk
