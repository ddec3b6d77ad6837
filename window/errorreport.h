#pragma once

#include "error.h"

#include <new>
#include <stdexcept>

class QWidget;

namespace mosaikon {

// Shows an error that left an event handler: a modal message box captioned "Mosaikon" saying
// "Run-time error 'N':" and the description. Returns when the user has closed it.
void reportError(QWidget *window, const Error &error);

// Runs one event handler. An error that leaves it goes to reportError and the program goes on:
// the steps the handler finished stay done, nothing else changes. Ending the program instead
// would throw away the user's unsaved arrangement.
template<class Handler> void runHandler(QWidget *window, Handler &&handler) {
    try {
        handler();
    } catch (const Error &e) {
        reportError(window, e);
    } catch (const std::bad_alloc &) {
        reportError(window, Error(OutOfMemory));
    } catch (const std::exception &e) {
        reportError(window, Error(InternalError, ProgramSource, e.what()));
    }
}

} // namespace mosaikon
