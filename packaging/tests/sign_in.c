// Does what Windows does at the next sign-in with the RunOnce value
// "Zantrelle": removes the value, then runs its command line as it stands,
// no shell in between, and waits for it. Exits with the command's exit code,
// or 255 when there is no such value.
#include <windows.h>

#define RUNONCE_KEY L"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce"

int wmain(void) {
    // A command of more than 260 characters is not run by Windows: room for
    // more tells such a one from one that fits.
    wchar_t command[1024];
    DWORD size = sizeof command;
    if (RegGetValueW(HKEY_CURRENT_USER, RUNONCE_KEY, L"Zantrelle", RRF_RT_REG_SZ, NULL, command, &size) != ERROR_SUCCESS)
        return 255;
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, RUNONCE_KEY, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueW(key, L"Zantrelle");
        RegCloseKey(key);
    }
    STARTUPINFOW startup = {sizeof startup};
    PROCESS_INFORMATION process;
    if (!CreateProcessW(NULL, command, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process)) return 254;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    return (int)code;
}
