// A minimal clipboard manager, as desktops run one: it owns CLIPBOARD_MANAGER, and when a client
// that is ending asks it to SAVE_TARGETS it fetches CLIPBOARD's text, confirms, takes CLIPBOARD
// over and serves the text until another client takes it. Prints "ready" once it owns
// CLIPBOARD_MANAGER, and for each save whether the asking client still owned CLIPBOARD. Runs until
// it is killed.
// Usage: clipboardmanager
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <string>

namespace {

Display *display;
Window window;
Atom clipboard, manager, saveTargets, targets, utf8, text, plain, saved;

void reply(const XSelectionRequestEvent &request, bool done) {
    XEvent notify{.xselection = {SelectionNotify, 0, False, display, request.requestor,
                                 request.selection, request.target, done ? request.property : None,
                                 request.time}};
    XSendEvent(display, request.requestor, False, NoEventMask, &notify);
}

void serve(const XSelectionRequestEvent &request, const std::string &data) {
    const Atom offered[] = {targets, utf8, XA_STRING, text, plain};
    if (request.target == targets) {
        XChangeProperty(display, request.requestor, request.property, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char *>(offered), 5);
        return reply(request, true);
    }
    for (Atom form : offered) {
        if (form != request.target || form == targets) continue;
        XChangeProperty(display, request.requestor, request.property, form, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char *>(data.data()),
                        static_cast<int>(data.size()));
        return reply(request, true);
    }
    reply(request, false);
}

std::string fetched() {
    Atom type;
    int format;
    unsigned long count, left;
    unsigned char *bytes = nullptr;
    XGetWindowProperty(display, window, saved, 0, 1 << 20, True, AnyPropertyType, &type, &format,
                       &count, &left, &bytes);
    std::string data(reinterpret_cast<char *>(bytes), bytes ? count : 0);
    XFree(bytes);
    return data;
}

} // namespace

int main() {
    if (!(display = XOpenDisplay(nullptr))) return 1;
    window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    clipboard = XInternAtom(display, "CLIPBOARD", False);
    manager = XInternAtom(display, "CLIPBOARD_MANAGER", False);
    saveTargets = XInternAtom(display, "SAVE_TARGETS", False);
    targets = XInternAtom(display, "TARGETS", False);
    utf8 = XInternAtom(display, "UTF8_STRING", False);
    text = XInternAtom(display, "TEXT", False);
    plain = XInternAtom(display, "text/plain", False);
    saved = XInternAtom(display, "MANAGER_SAVED", False);
    XSetSelectionOwner(display, manager, window, CurrentTime);
    if (XGetSelectionOwner(display, manager) != window) return 1;
    std::printf("ready\n");
    std::fflush(stdout);
    std::string data;
    XSelectionRequestEvent saving{}; // the ending client's request, answered once fetched
    for (XEvent event;;) {
        XNextEvent(display, &event);
        if (event.type == SelectionRequest && event.xselectionrequest.selection == manager) {
            if (event.xselectionrequest.target != saveTargets) {
                reply(event.xselectionrequest, false);
                continue;
            }
            saving = event.xselectionrequest;
            const bool owner = XGetSelectionOwner(display, clipboard) == saving.requestor;
            std::printf(owner ? "saving from its owner\n" : "saving from another client\n");
            std::fflush(stdout);
            XConvertSelection(display, clipboard, utf8, saved, window, saving.time);
        } else if (event.type == SelectionNotify && event.xselection.selection == clipboard) {
            data = fetched();
            XSetSelectionOwner(display, clipboard, window, CurrentTime);
            reply(saving, true);
        } else if (event.type == SelectionRequest) {
            serve(event.xselectionrequest, data);
        }
    }
}
