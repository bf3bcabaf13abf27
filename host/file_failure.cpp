#include "host/file_failure.h"

namespace host {

ErrorNumber errorNumberFor(backend::FileProblem problem) {
    switch (problem) {
        case backend::FileProblem::NotFound: return ErrorNumber::FileNotFound;
        case backend::FileProblem::AccessDenied: return ErrorNumber::PathFileAccessError;
        case backend::FileProblem::InUse: return ErrorNumber::PermissionDenied;
        case backend::FileProblem::DiskFull: return ErrorNumber::DiskFull;
        case backend::FileProblem::NameTaken:
        case backend::FileProblem::Other: return ErrorNumber::PathFileAccessError;
    }
    return ErrorNumber::PathFileAccessError;
}

}  // namespace host
