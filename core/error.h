#pragma once

#include <exception>
#include <string>

namespace mosaikon {

// The run-time error numbers Mosaikon raises. Each has a standard description.
enum ErrorNumber : int {
    InvalidProcedureCall = 5,
    Overflow = 6,
    OutOfMemory = 7,
    SubscriptOutOfRange = 9,
    InternalError = 51,
    FileNotFound = 53,
    PathFileAccessError = 75,
    InvalidPicture = 481,
    CantOpenClipboard = 521,
    CancelWasSelected = 32755,
};

// Source text of the errors the program raises itself.
inline constexpr const char *ProgramSource = "Mosaikon";

// Description that goes with a run-time error number; "Application-defined or object-defined
// error" for a number without a standard one.
std::string standardDescription(int number);

// An error carried as a number, a source text and a description text. Handlers never catch it;
// the window's top-level handler reports it.
class Error : public std::exception {
public:
    Error(int number, std::string source, std::string description);
    // Source "Mosaikon" and the standard description.
    explicit Error(int number);

    int number() const noexcept { return number_; }
    const std::string &source() const noexcept { return source_; }
    const std::string &description() const noexcept { return description_; }
    const char *what() const noexcept override { return description_.c_str(); }

private:
    int number_;
    std::string source_;
    std::string description_;
};

// Throws Error(number): the standard description, source "Mosaikon".
[[noreturn]] void raiseError(ErrorNumber number);

} // namespace mosaikon
