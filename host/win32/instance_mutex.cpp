#include <windows.h>

#include <cstdint>
#include <cwchar>
#include <string>

#include "host/platform.h"

namespace host::platform {

namespace {

// The executable's path in its long form: the system starts a screen saver
// by its short 8.3 path at idle time and by its long path from the settings
// page, and both must be the one program.
std::wstring longExecutablePath() {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), DWORD(path.size())));
    std::wstring longPath(32768, L'\0');
    const DWORD length = GetLongPathNameW(path.c_str(), longPath.data(), DWORD(longPath.size()));
    if (length == 0 || length >= longPath.size()) return path;
    longPath.resize(length);
    return longPath;
}

// Kernel object names cannot hold backslashes and are limited in length, so
// the mutex is named after a hash of the lower-cased long executable path.
std::wstring instanceMutexName() {
    std::wstring path = longExecutablePath();
    CharLowerBuffW(path.data(), DWORD(path.size()));
    std::uint64_t hash = 14695981039346656037ull;
    for (wchar_t c : path) {
        hash ^= std::uint16_t(c);
        hash *= 1099511628211ull;
    }
    wchar_t name[64];
    std::swprintf(name, 64, L"Local\\Zantrelle.Instance.%016llx", static_cast<unsigned long long>(hash));
    return name;
}

// The handle stays open for the life of the process: while it is open, any
// later instance of the same executable finds the mutex already there.
bool createInstanceMutex() {
    CreateMutexW(nullptr, FALSE, instanceMutexName().c_str());
    return GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace

bool previousInstanceRunning() {
    static const bool existed = createInstanceMutex();
    return existed;
}

}  // namespace host::platform
