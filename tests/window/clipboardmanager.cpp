// A minimal clipboard manager, as desktops run one: it owns CLIPBOARD_MANAGER, and when a client
// that is ending asks it to save the clipboard it fetches CLIPBOARD's text, confirms, takes
// CLIPBOARD over and serves the text (as UTF8_STRING, what xclip -o asks for) until another client
// takes it. Prints "ready" once it owns CLIPBOARD_MANAGER, and for each save whether the asking
// client still owned CLIPBOARD. Runs until it is killed. Usage: clipboardmanager
#include <X11/Xlib.h>

#include <cstdio>
#include <string>

namespace {

Display *display;

void reply(const XSelectionRequestEvent &request, bool done) {
    XEvent notify{.xselection = {SelectionNotify, 0, False, display, request.requestor,
                                 request.selection, request.target, done ? request.property : None,
                                 request.time}};
    XSendEvent(display, request.requestor, False, NoEventMask, &notify);
}

} // namespace

int main() {
    if (!(display = XOpenDisplay(nullptr))) return 1;
    const Window window =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    const Atom clipboard = XInternAtom(display, "CLIPBOARD", False),
               manager = XInternAtom(display, "CLIPBOARD_MANAGER", False),
               utf8 = XInternAtom(display, "UTF8_STRING", False),
               saved = XInternAtom(display, "MANAGER_SAVED", False);
    XSetSelectionOwner(display, manager, window, CurrentTime);
    if (XGetSelectionOwner(display, manager) != window) return 1;
    std::printf("ready\n");
    std::fflush(stdout);
    std::string data;
    XSelectionRequestEvent saving{}; // the ending client's request, answered once fetched
    for (XEvent event;;) {
        XNextEvent(display, &event);
        const XSelectionRequestEvent &request = event.xselectionrequest;
        if (event.type == SelectionRequest && request.selection == manager) {
            saving = request;
            const bool owner = XGetSelectionOwner(display, clipboard) == saving.requestor;
            std::printf(owner ? "saving from its owner\n" : "saving from another client\n");
            std::fflush(stdout);
            XConvertSelection(display, clipboard, utf8, saved, window, saving.time);
        } else if (event.type == SelectionNotify && event.xselection.selection == clipboard) {
            Atom type;
            int format;
            unsigned long count, left;
            unsigned char *bytes = nullptr;
            XGetWindowProperty(display, window, saved, 0, 1 << 20, True, AnyPropertyType, &type,
                               &format, &count, &left, &bytes);
            data.assign(reinterpret_cast<char *>(bytes), bytes ? count : 0);
            XFree(bytes);
            XSetSelectionOwner(display, clipboard, window, CurrentTime);
            reply(saving, true);
        } else if (event.type == SelectionRequest) {
            XChangeProperty(display, request.requestor, request.property, utf8, 8, PropModeReplace,
                            reinterpret_cast<const unsigned char *>(data.data()),
                            static_cast<int>(data.size()));
            reply(request, true);
        }
    }
}
