#include <windows.h>

#include "host/error.h"
#include "host/platform.h"
#include "host/win32/wide_text.h"

namespace host::platform {

namespace {

std::string systemMessage(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length ? std::wstring(buffer, length) : L"system error " + std::to_wstring(code);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.pop_back();
    return win32::narrow(text);
}

[[noreturn]] void raiseReplaceFailure(const std::filesystem::path& target, DWORD code) {
    const bool denied = code == ERROR_ACCESS_DENIED || code == ERROR_SHARING_VIOLATION;
    const ErrorNumber number = denied ? ErrorNumber::PermissionDenied : ErrorNumber::PathFileAccessError;
    raise(number, describe(number) + ": cannot replace '" + win32::narrow(target.filename().wstring()) +
                      "': " + systemMessage(code));
}

}  // namespace

void replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    // A read-only target must stay as it is; not every file system refuses
    // to replace one by itself.
    const DWORD attributes = GetFileAttributesW(to.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        raiseReplaceFailure(to, ERROR_ACCESS_DENIED);
    if (!MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        raiseReplaceFailure(to, GetLastError());
}

}  // namespace host::platform
