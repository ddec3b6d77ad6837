#pragma once

// Who owns CLIPBOARD on the X server, seen through a connection of the test's own, and another
// client (xclip) taking it while the program sees nothing of it.

#include <QByteArray>

#include <memory>

class QProcess;

namespace mosaikon::testing {

class XClipboard {
public:
    XClipboard();
    ~XClipboard();
    XClipboard(const XClipboard &) = delete;
    XClipboard &operator=(const XClipboard &) = delete;

    // Whether the connection to $DISPLAY opened.
    bool isOpen() const;
    // The X window that owns CLIPBOARD, 0 for none.
    unsigned long owner() const;
    // Starts `xclip` (set up by the caller, not started) taking CLIPBOARD with `text`, fed
    // without an event loop so that this process handles no event meanwhile. True once another
    // window than the owner before, and not none, owns it; waiting is bounded only to stop a hang.
    bool takeUnseen(QProcess &xclip, const QByteArray &text) const;

private:
    struct Connection; // keeps Xlib's macros out of the tests' Qt code
    std::unique_ptr<Connection> connection_;
};

} // namespace mosaikon::testing
