// x11-window find|close TITLE: whether a window titled TITLE is shown (status
// 0, else 1), or asks it to close as a window manager's close box does.
#include <X11/Xlib.h>

#include <cstdio>
#include <cstring>

namespace {

Window findByTitle(Display* display, Window window, const char* title)
{
    char* name = nullptr;
    if (XFetchName(display, window, &name) != 0 && name != nullptr) {
        const bool match = std::strcmp(name, title) == 0;
        XFree(name);
        if (match)
            return window;
    }
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, window, &root, &parent, &children, &count) == 0)
        return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && found == 0; ++i)
        found = findByTitle(display, children[i], title);
    if (children != nullptr)
        XFree(children);
    return found;
}

void askToClose(Display* display, Window window)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
}

}  // namespace

int main(int argc, char* argv[])
{
    const bool close = argc == 3 && std::strcmp(argv[1], "close") == 0;
    if (argc != 3 || (!close && std::strcmp(argv[1], "find") != 0)) {
        std::fprintf(stderr, "usage: x11-window find|close TITLE\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "x11-window: no display\n");
        return 2;
    }
    const Window window = findByTitle(display, DefaultRootWindow(display), argv[2]);
    if (window != 0 && close)
        askToClose(display, window);
    XCloseDisplay(display);
    return window != 0 ? 0 : 1;
}
