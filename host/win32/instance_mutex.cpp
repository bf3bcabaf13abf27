#include <windows.h>

#include <cstdint>
#include <cwchar>
#include <string>

#include "host/platform.h"

namespace host::platform {

namespace {

// Kernel object names cannot hold backslashes and are limited in length, so
// the mutex is named after a hash of the lower-cased executable path.
std::wstring instanceMutexName() {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), DWORD(path.size())));
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
