#include "xclipboard.h"

#include <QProcess>
#include <QThread>

#include <X11/Xlib.h>

namespace mosaikon::testing {

struct XClipboard::Connection {
    Display *display = XOpenDisplay(nullptr);
};

XClipboard::XClipboard()
    : connection_(std::make_unique<Connection>()) {}

XClipboard::~XClipboard() {
    if (isOpen()) XCloseDisplay(connection_->display);
}

bool XClipboard::isOpen() const {
    return connection_->display != nullptr;
}

unsigned long XClipboard::owner() const {
    Display *display = connection_->display;
    return XGetSelectionOwner(display, XInternAtom(display, "CLIPBOARD", False));
}

bool XClipboard::takeUnseen(QProcess &xclip, const QByteArray &text) const {
    const unsigned long before = owner();
    xclip.startCommand(QStringLiteral("xclip -quiet -selection clipboard"));
    if (!xclip.waitForStarted() || xclip.write(text) <= 0 || !xclip.waitForBytesWritten())
        return false;
    xclip.closeWriteChannel();
    for (int i = 0; i < 2500 && (owner() == before || owner() == None); ++i) QThread::msleep(2);
    return owner() != before && owner() != None;
}

} // namespace mosaikon::testing
