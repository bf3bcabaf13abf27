// A program that trusts the search order: it loads every library that lies
// in its own folder by its bare name, as a program does that asks for a
// system library without saying where from.
#include <windows.h>

#include <string>

int main() {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring pattern = self;
    pattern.erase(pattern.find_last_of(L'\\') + 1);
    pattern += L"*.dll";
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 1;
    do {
        LoadLibraryW(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return 0;
}
