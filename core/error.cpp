#include "error.h"

#include <utility>

namespace mosaikon {

std::string standardDescription(int number) {
    switch (number) {
    case InvalidProcedureCall:
        return "Invalid procedure call or argument";
    case Overflow:
        return "Overflow";
    case OutOfMemory:
        return "Out of memory";
    case SubscriptOutOfRange:
        return "Subscript out of range";
    case InternalError:
        return "Internal error";
    case FileNotFound:
        return "File not found";
    case PathFileAccessError:
        return "Path/File access error";
    case InvalidPicture:
        return "Invalid picture";
    case CantOpenClipboard:
        return "Can't open Clipboard";
    case CancelWasSelected:
        return "Cancel was selected";
    default:
        return "Application-defined or object-defined error";
    }
}

Error::Error(int number, std::string source, std::string description)
    : number_(number)
    , source_(std::move(source))
    , description_(std::move(description)) {}

Error::Error(int number)
    : Error(number, ProgramSource, standardDescription(number)) {}

void raiseError(ErrorNumber number) {
    throw Error(number);
}

} // namespace mosaikon
