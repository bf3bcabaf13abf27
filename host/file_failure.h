#pragma once

#include "host/backend/files.h"
#include "host/error.h"

namespace host {

// The runtime's error number for a file that failed, whatever the platform:
// 53 when there is no such file, 75 (Path/File access error) when the system
// refuses this user, as for a read-only file or a folder they may not write,
// 70 (Permission denied) when another program holds the file, 61 on a full
// disk, and 75 for anything else, a name already taken among them.
ErrorNumber errorNumberFor(backend::FileProblem problem);

}  // namespace host
