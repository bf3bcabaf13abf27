#include "host/win32/window_class.h"

namespace host::win32 {

const wchar_t* registerPaintedWindowClass(const wchar_t* name, UINT style, WNDPROC procedure, HICON icon,
                                          HCURSOR cursor) {
    WNDCLASSEXW description{};
    description.cbSize = sizeof(description);
    description.style = style;
    description.lpfnWndProc = procedure;
    description.hInstance = GetModuleHandleW(nullptr);
    description.hIcon = icon;
    description.hCursor = cursor;
    description.lpszClassName = name;
    RegisterClassExW(&description);
    return name;
}

}  // namespace host::win32
