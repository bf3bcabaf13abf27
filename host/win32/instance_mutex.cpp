#include <windows.h>

#include <cstdint>
#include <cwchar>
#include <string>

#include "host/backend/program.h"

namespace host::backend {

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

struct InstanceMutex {
    HANDLE handle = nullptr;
    bool existed = false;
    bool owned = false;
};

// The handle stays open for the life of the process: while it is open, any
// later instance of the same executable finds the mutex already there.
InstanceMutex& instanceMutex() {
    static InstanceMutex mutex = [] {
        InstanceMutex created;
        created.handle = CreateMutexW(nullptr, FALSE, instanceMutexName().c_str());
        created.existed = GetLastError() == ERROR_ALREADY_EXISTS;
        return created;
    }();
    return mutex;
}

// Long enough for any instance to look for a mark and make its window; an
// instance that hangs in its turn must not hang every other one.
constexpr DWORD longestTurnMs = 10000;

}  // namespace

bool previousInstanceRunning() { return instanceMutex().existed; }

// A turn left by an instance that ended inside it comes back abandoned,
// which is a turn all the same.
void beginInstanceTurn() {
    InstanceMutex& mutex = instanceMutex();
    if (!mutex.handle || mutex.owned) return;
    const DWORD waited = WaitForSingleObject(mutex.handle, longestTurnMs);
    mutex.owned = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

void endInstanceTurn() {
    InstanceMutex& mutex = instanceMutex();
    if (!mutex.owned) return;
    ReleaseMutex(mutex.handle);
    mutex.owned = false;
}

}  // namespace host::backend
