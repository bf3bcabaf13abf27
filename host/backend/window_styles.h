#pragma once

// The styles the program's windows wear, in the window manager's own bits:
// the Win32 backend makes its windows with them, and the in-memory backend
// reports them, so what a test reads of a window's style is what Windows
// answers. Named here rather than after <windows.h>, whose names are macros.

#include <cstdint>

namespace host::backend {

namespace windowStyle {
inline constexpr std::uint32_t popup = 0x80000000u;
inline constexpr std::uint32_t clipSiblings = 0x04000000u;
inline constexpr std::uint32_t clipChildren = 0x02000000u;
inline constexpr std::uint32_t caption = 0x00C00000u;  // a title bar and a border
inline constexpr std::uint32_t systemMenu = 0x00080000u;
}  // namespace windowStyle

// Borderless: the painted window and its plain covers.
inline constexpr std::uint32_t paintedWindowStyle =
    windowStyle::popup | windowStyle::clipSiblings | windowStyle::clipChildren;
// An overlapped window with a title bar and a close box.
inline constexpr std::uint32_t dialogWindowStyle =
    windowStyle::caption | windowStyle::systemMenu | windowStyle::clipChildren;

}  // namespace host::backend
