#include "clipboardkeeper.h"

#include <QGuiApplication>

#include <X11/Xlib.h>

#include <chrono>
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char **environ;

namespace mosaikon {
namespace {

const QNativeInterface::QX11Application *x11() {
    return qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
}

// The text waits in the pipe before xclip starts, so nothing here can block on xclip, and an
// xclip that dies early cannot raise SIGPIPE in this process.
int pipeHolding(const std::string &text) {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) return -1;
    fcntl(ends[1], F_SETFL, O_NONBLOCK);
    const bool whole =
        write(ends[1], text.data(), text.size()) == static_cast<ssize_t>(text.size());
    close(ends[1]);
    if (whole) return ends[0];
    close(ends[0]);
    return -1;
}

// xclip's first process ends once it owns the selection and its server has forked.
void awaitHandOver(pid_t xclip) {
    using namespace std::chrono;
    const auto deadline = steady_clock::now() + milliseconds(500);
    while (waitpid(xclip, nullptr, WNOHANG) == 0 && steady_clock::now() < deadline)
        std::this_thread::sleep_for(milliseconds(2));
}

// Starts `argv` found on PATH with `input` as its standard input, in a session of its own and
// holding nothing else of this process. Returns its process id, or 0 when it cannot start.
pid_t spawnDetached(const char *const argv[], int input) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input, STDIN_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    posix_spawn_file_actions_addchdir_np(&actions, "/");
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes,
                             POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    pid_t child = 0;
    if (posix_spawnp(&child, argv[0], &actions, &attributes, const_cast<char *const *>(argv),
                     environ) != 0)
        child = 0;
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return child;
}

// The two Xlib functions the keeper calls, from the Xlib that Qt's X platform plugin has loaded
// by then. Looked up when first needed rather than linked: a library linked to the program is
// loaded before main and lengthens every symbol look-up of the start-up. Null where Xlib cannot
// be opened.
struct Xlib {
    decltype(&XInternAtom) internAtom = nullptr;
    decltype(&XGetSelectionOwner) selectionOwner = nullptr;
};

const Xlib *xlib() {
    static const Xlib lib = [] {
        Xlib found;
        if (void *handle = dlopen("libX11.so.6", RTLD_LAZY | RTLD_LOCAL)) {
            found.internAtom =
                reinterpret_cast<decltype(&XInternAtom)>(dlsym(handle, "XInternAtom"));
            found.selectionOwner = reinterpret_cast<decltype(&XGetSelectionOwner)>(
                dlsym(handle, "XGetSelectionOwner"));
        }
        return found;
    }();
    return lib.internAtom && lib.selectionOwner ? &lib : nullptr;
}

} // namespace

bool clipboardManagerRuns() {
    const auto *native = x11();
    Display *display = native ? native->display() : nullptr;
    const Xlib *x = display ? xlib() : nullptr;
    return x &&
           x->selectionOwner(display, x->internAtom(display, "CLIPBOARD_MANAGER", False)) != None;
}

bool startClipboardKeeper(const std::string &text) {
    const auto *native = x11();
    if (!native || !native->display()) return false;
    // The display Qt connected to, which a -display option may have chosen over DISPLAY.
    const std::string display = DisplayString(native->display());
    const char *const argv[] = {"xclip",         "-i",   "-selection", "clipboard", "-display",
                                display.c_str(), nullptr};
    const int input = pipeHolding(text);
    if (input < 0) return false;
    const pid_t xclip = spawnDetached(argv, input);
    close(input);
    if (xclip > 0) awaitHandOver(xclip);
    return xclip > 0;
}

} // namespace mosaikon
