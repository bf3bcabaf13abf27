#include "host/error.h"

namespace host {

RuntimeError::RuntimeError(ErrorNumber number, std::string description)
    : std::runtime_error(std::move(description)), number_(number) {}

RuntimeError::RuntimeError(ErrorNumber number) : RuntimeError(number, describe(number)) {}

void raise(ErrorNumber number) { throw RuntimeError(number); }

void raise(ErrorNumber number, std::string description) { throw RuntimeError(number, std::move(description)); }

std::string describe(ErrorNumber number) {
    switch (number) {
        case ErrorNumber::Overflow: return "Overflow";
        case ErrorNumber::OutOfMemory: return "Out of memory";
        case ErrorNumber::TypeMismatch: return "Type mismatch";
        case ErrorNumber::InternalError: return "Internal error";
        case ErrorNumber::BadFileNameOrNumber: return "Bad file name or number";
        case ErrorNumber::FileNotFound: return "File not found";
        case ErrorNumber::DiskFull: return "Disk full";
        case ErrorNumber::InputPastEndOfFile: return "Input past end of file";
        case ErrorNumber::PermissionDenied: return "Permission denied";
        case ErrorNumber::PathFileAccessError: return "Path/File access error";
        case ErrorNumber::ControlArrayElementMissing: return "Control array element doesn't exist";
        case ErrorNumber::ObjectAlreadyLoaded: return "Object already loaded";
        case ErrorNumber::CannotUnloadDesignTimeElement: return "Can't unload controls created at design time";
        case ErrorNumber::InvalidPropertyValue: return "Invalid property value";
    }
    return "Application-defined or object-defined error";
}

std::string errorBoxText(const RuntimeError& error) {
    return "Run-time error '" + std::to_string(int(error.number())) + "':\n\n" + error.description();
}

}  // namespace host
