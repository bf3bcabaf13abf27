#include <windows.h>

#include "host/backend/dialog.h"

namespace host::win32 {

namespace {

bool highContrastOn() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

Color systemColor(int index) { return Color{std::uint32_t(GetSysColor(index))}; }

}  // namespace

}  // namespace host::win32

namespace host::backend {

SystemLook systemLook() {
    using win32::systemColor;
    return {win32::highContrastOn(),
            {systemColor(COLOR_WINDOW), systemColor(COLOR_WINDOWTEXT), systemColor(COLOR_BTNFACE),
             systemColor(COLOR_BTNTEXT), systemColor(COLOR_HIGHLIGHT)}};
}

}  // namespace host::backend
