#include <windows.h>

#include "host/backend/program.h"
#include "host/win32/wide_text.h"

namespace host::backend {

namespace {

// The program path ends at its closing quote when quoted, else at the first
// blank; the blanks that separate it from the arguments go with it.
std::wstring_view argumentsAfterProgramPath(std::wstring_view commandLine) {
    std::size_t end = 0;
    if (!commandLine.empty() && commandLine.front() == L'"') {
        end = commandLine.find(L'"', 1);
        end = end == std::wstring_view::npos ? commandLine.size() : end + 1;
    } else {
        end = commandLine.find_first_of(L" \t");
        if (end == std::wstring_view::npos) end = commandLine.size();
    }
    commandLine.remove_prefix(end);
    const std::size_t first = commandLine.find_first_not_of(L" \t");
    return first == std::wstring_view::npos ? std::wstring_view{} : commandLine.substr(first);
}

}  // namespace

std::string commandLineArguments() { return win32::narrow(argumentsAfterProgramPath(GetCommandLineW())); }

}  // namespace host::backend
