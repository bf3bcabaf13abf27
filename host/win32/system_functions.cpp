#include "host/win32/system_functions.h"

namespace host::win32 {

namespace {

// A library already loaded (user32) is found as it is; another is loaded
// from the system folder, whatever the search path says.
template <typename Function>
Function systemFunction(const wchar_t* library, const char* name) {
    const HMODULE module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace

void loadLibrariesFromTheSystemFolderOnly() { SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32); }

namespace system_functions {

// Each looked up once, when first asked for.
#define ZANTRELLE_DEFINE_SYSTEM_FUNCTION(accessor, library, function)                       \
    decltype(&function) accessor() {                                                        \
        static const auto found = systemFunction<decltype(&function)>(library, #function);  \
        return found;                                                                       \
    }
ZANTRELLE_SYSTEM_FUNCTIONS(ZANTRELLE_DEFINE_SYSTEM_FUNCTION)
#undef ZANTRELLE_DEFINE_SYSTEM_FUNCTION

}  // namespace system_functions

}  // namespace host::win32
