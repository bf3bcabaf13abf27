#pragma once

#include <windows.h>

namespace host::win32 {

// A function of a system library, looked up when first needed rather than
// imported: every imported library is loaded and initialised before the
// program's first line runs, and the ones only the settings dialog or the
// settings file need (the common controls, the shell with COM under it)
// cost a screen saver's start-up more than showing its window does.
// Null when the library or the function is missing.
template <typename Function>
Function systemFunction(const wchar_t* library, const char* name) {
    const HMODULE module = LoadLibraryW(library);
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace host::win32
