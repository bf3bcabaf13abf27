#pragma once

#include <stdexcept>
#include <string>

namespace host {

// The runtime's error numbers that this program can raise.
enum class ErrorNumber : int {
    Overflow = 6,
    OutOfMemory = 7,
    TypeMismatch = 13,
    InternalError = 51,
    BadFileNameOrNumber = 52,
    FileNotFound = 53,
    DiskFull = 61,
    InputPastEndOfFile = 62,
    PermissionDenied = 70,
    PathFileAccessError = 75,
    ControlArrayElementMissing = 340,
    ObjectAlreadyLoaded = 360,
    CannotUnloadDesignTimeElement = 362,
    InvalidPropertyValue = 380,
};

// A run-time error. It travels as an exception up to the procedure's error
// mode: resumeNext() swallows it, an unhandled one reaches runEvent(), which
// shows the error box and ends the program.
class RuntimeError : public std::runtime_error {
public:
    RuntimeError(ErrorNumber number, std::string description);
    explicit RuntimeError(ErrorNumber number);

    ErrorNumber number() const { return number_; }
    std::string description() const { return what(); }

private:
    ErrorNumber number_;
};

[[noreturn]] void raise(ErrorNumber number);
[[noreturn]] void raise(ErrorNumber number, std::string description);

// The standard description of an error number.
std::string describe(ErrorNumber number);

// What the runtime's error box says about an error nothing handled.
std::string errorBoxText(const RuntimeError& error);

// "On Error Resume Next" for one statement: a failing statement is skipped.
template <class Statement>
void resumeNext(Statement&& statement) {
    try {
        statement();
    } catch (const RuntimeError&) {
    }
}


}  // namespace host
