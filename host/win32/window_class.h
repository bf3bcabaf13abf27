#pragma once

#include <windows.h>

namespace host::win32 {

// Registers one of the program's own window classes, with no background
// brush (its windows paint every pixel themselves) and the given class
// styles, and returns its name.
// Call it once per class, from a static: a class belongs to the process,
// not to one run of the program (registering it again fails), so it is the
// one piece of a window that rightly outlives a fresh start in a test.
const wchar_t* registerPaintedWindowClass(const wchar_t* name, UINT style, WNDPROC procedure, HICON icon,
                                          HCURSOR cursor);

}  // namespace host::win32
