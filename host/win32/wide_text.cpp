#include "host/win32/wide_text.h"

#include <windows.h>

namespace host::win32 {

std::wstring widen(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::wstring wide(std::size_t(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(), length);
    return wide;
}

std::string narrow(std::wstring_view utf16) {
    if (utf16.empty()) return {};
    const int length = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), int(utf16.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(std::size_t(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), int(utf16.size()), utf8.data(), length, nullptr, nullptr);
    return utf8;
}

}  // namespace host::win32
