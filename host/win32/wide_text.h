#pragma once

#include <string>
#include <string_view>

namespace host::win32 {

// The runtime keeps text as UTF-8; the wide Windows calls take UTF-16.
std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

}  // namespace host::win32
