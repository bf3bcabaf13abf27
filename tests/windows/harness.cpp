#include "harness.h"

#include <atomic>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>

namespace harness {

namespace {

using Clock = std::chrono::steady_clock;

// Handles the test program's own messages while it waits, so windows a test
// creates (a preview host, say) keep painting and answering.
void pumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Sleeps up to the interval, waking early for the test's own messages.
void idle(std::chrono::milliseconds interval) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, DWORD(interval.count()), QS_ALLINPUT);
    pumpMessages();
}

std::wstring toWide(const std::string& text) {
    if (text.empty()) return {};
    int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(std::size_t(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide.data(), length);
    return wide;
}

// The build passes the path as the Linux host sees it; Wine reaches the
// host's root through a DOS drive, which its own kernel32 can name.
std::filesystem::path toWindowsPath(const std::wstring& path) {
    if (path.empty() || path.front() != L'/') return path;
    using DosName = WCHAR* (*)(LPCSTR);
    auto dosName = reinterpret_cast<DosName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
    if (dosName) {
        int length = WideCharToMultiByte(CP_UTF8, 0, path.c_str(), -1, nullptr, 0, nullptr, nullptr);
        std::string unixPath(std::size_t(length), '\0');
        WideCharToMultiByte(CP_UTF8, 0, path.c_str(), -1, unixPath.data(), length, nullptr, nullptr);
        if (WCHAR* converted = dosName(unixPath.c_str())) {
            std::filesystem::path result(converted);
            HeapFree(GetProcessHeap(), 0, converted);
            return result;
        }
    }
    std::wstring dos = L"Z:" + path;
    for (wchar_t& c : dos) {
        if (c == L'/') c = L'\\';
    }
    return dos;
}

std::wstring classOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

// WM_GETTEXT is marshalled across processes; the timeout keeps a hung
// screen saver from hanging the test with it.
std::wstring textOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) return {};
    std::wstring text(std::size_t(length) + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, WPARAM(text.size()), LPARAM(text.data()), SMTO_ABORTIFHUNG, 2000,
                             &copied)) {
        return {};
    }
    text.resize(std::size_t(copied));
    return text;
}

std::vector<HWND> childrenOf(HWND parent, const wchar_t* className) {
    struct Search {
        const wchar_t* className;
        std::vector<HWND> found;
    } search{className, {}};
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM context) -> BOOL {
            auto* s = reinterpret_cast<Search*>(context);
            if (_wcsicmp(classOf(child).c_str(), s->className) == 0) s->found.push_back(child);
            return TRUE;
        },
        LPARAM(&search));
    return search.found;
}

HWND messageBoxOf(DWORD processId) {
    for (HWND window : topLevelWindowsOf(processId)) {
        if (classOf(window) == L"#32770") return window;
    }
    return nullptr;
}

// A message box keeps its text in a static control with id 0xFFFF; the icon
// is a static control too, but without text.
std::wstring messageBoxText(HWND box) {
    if (HWND text = GetDlgItem(box, 0xFFFF)) {
        std::wstring content = textOf(text);
        if (!content.empty()) return content;
    }
    for (HWND label : childrenOf(box, L"Static")) {
        std::wstring content = textOf(label);
        if (!content.empty()) return content;
    }
    return {};
}

int okButtonId(HWND box) {
    if (GetDlgItem(box, IDOK)) return IDOK;
    std::vector<HWND> buttons = childrenOf(box, L"Button");
    return buttons.empty() ? IDOK : GetDlgCtrlID(buttons.front());
}

}  // namespace

std::filesystem::path scrPath() {
    wchar_t fromEnvironment[MAX_PATH * 4] = {};
    DWORD length = GetEnvironmentVariableW(L"ZANTRELLE_SCR", fromEnvironment, DWORD(std::size(fromEnvironment)));
    if (length > 0 && length < std::size(fromEnvironment)) return toWindowsPath(fromEnvironment);
    return toWindowsPath(toWide(ZANTRELLE_SCR_PATH));
}

Process::Process(Process&& other) noexcept : process_(other.process_), id_(other.id_) {
    other.process_ = nullptr;
    other.id_ = 0;
}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        kill();
        process_ = other.process_;
        id_ = other.id_;
        other.process_ = nullptr;
        other.id_ = 0;
    }
    return *this;
}

Process::~Process() { kill(); }

bool Process::running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

std::optional<DWORD> Process::waitForExit(std::chrono::milliseconds timeout) {
    if (!process_) return std::nullopt;
    if (!waitUntil([this] { return !running(); }, timeout)) return std::nullopt;
    DWORD code = 0;
    if (!GetExitCodeProcess(process_, &code)) return std::nullopt;
    return code;
}

void Process::kill() {
    if (!process_) return;
    if (running()) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
    process_ = nullptr;
    id_ = 0;
}

Process start(const std::wstring& arguments, const std::filesystem::path& workingDirectory) {
    return startAs(scrPath(), arguments, workingDirectory);
}

Process startAs(const std::filesystem::path& program, const std::wstring& arguments,
                const std::filesystem::path& workingDirectory) {
    std::wstring commandLine = L"\"" + program.wstring() + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const wchar_t* directory = workingDirectory.empty() ? nullptr : workingDirectory.c_str();
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, directory, &startup,
                        &info)) {
        DWORD error = GetLastError();
        std::ostringstream message;
        message << "cannot start " << program.string() << " (error " << error << ")";
        throw std::runtime_error(message.str());
    }
    CloseHandle(info.hThread);
    Process process;
    process.process_ = info.hProcess;
    process.id_ = info.dwProcessId;
    return process;
}

std::vector<HWND> topLevelWindowsOf(DWORD processId) {
    struct Search {
        DWORD processId;
        std::vector<HWND> found;
    } search{processId, {}};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto* s = reinterpret_cast<Search*>(context);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->processId && IsWindowVisible(window)) s->found.push_back(window);
            return TRUE;
        },
        LPARAM(&search));
    return search.found;
}

HWND waitForWindow(DWORD processId, std::chrono::milliseconds timeout) {
    HWND found = nullptr;
    waitUntil(
        [&] {
            std::vector<HWND> windows = topLevelWindowsOf(processId);
            if (!windows.empty()) found = windows.front();
            return found != nullptr;
        },
        timeout);
    return found;
}

bool waitUntil(const std::function<bool()>& predicate, std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (true) {
        pumpMessages();
        if (predicate()) return true;
        if (Clock::now() >= deadline) return false;
        idle(10ms);
    }
}

std::optional<std::wstring> dismissMessageBox(DWORD processId, std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    HWND box = nullptr;
    if (!waitUntil([&] { return (box = messageBoxOf(processId)) != nullptr; }, timeout)) return std::nullopt;

    // The box may still be filling in its controls when it first turns up.
    std::wstring text;
    waitUntil([&] { return !(text = messageBoxText(box)).empty(); },
              std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()));

    // A posted command works whether or not the box is the active window,
    // which a direct button click does not promise.
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(okButtonId(box), BN_CLICKED), LPARAM(GetDlgItem(box, IDOK)));
    // The box hides at once; Wine may take seconds more to tear it down.
    waitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 2s);
    return text;
}

TempDir::TempDir() {
    static std::atomic<unsigned> counter{0};
    wchar_t base[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, base);
    std::filesystem::path root = base[0] ? std::filesystem::path(base) : std::filesystem::temp_directory_path();
    while (true) {
        std::wostringstream name;
        name << L"zantrelle-test-" << GetCurrentProcessId() << L"-" << GetTickCount64() << L"-" << counter++;
        path_ = root / name.str();
        if (std::filesystem::create_directory(path_)) return;
    }
}

TempDir::~TempDir() {
    // A screen saver that was just killed may hold its files for a moment.
    for (int attempt = 0; attempt < 20; ++attempt) {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
        if (!error) return;
        Sleep(50);
    }
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("cannot write " + path.string());
    out.write(bytes.data(), std::streamsize(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

Screenshot captureScreen() {
    Screenshot shot;
    shot.width = GetSystemMetrics(SM_CXSCREEN);
    shot.height = GetSystemMetrics(SM_CYSCREEN);

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = shot.width;
    info.bmiHeader.biHeight = -shot.height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, shot.width, shot.height, screen, 0, 0, SRCCOPY | CAPTUREBLT);
        GdiFlush();
        const auto* source = static_cast<const std::uint32_t*>(bits);
        shot.pixels.assign(source, source + std::size_t(shot.width) * std::size_t(shot.height));
        for (std::uint32_t& pixel : shot.pixels) pixel &= 0x00FFFFFFu;
        SelectObject(memory, previous);
        DeleteObject(bitmap);
    } else {
        shot.width = shot.height = 0;
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return shot;
}

// 24 bits per pixel, bottom-up: the form every image viewer reads.
bool Screenshot::saveBmp(const std::filesystem::path& path) const {
    if (width <= 0 || height <= 0) return false;
    const std::size_t rowBytes = (std::size_t(width) * 3 + 3) & ~std::size_t(3);
    const std::size_t imageBytes = rowBytes * std::size_t(height);

    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER header{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = DWORD(file.bfOffBits + imageBytes);
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = DWORD(imageBytes);

    std::string bytes(file.bfSize, '\0');
    std::memcpy(bytes.data(), &file, sizeof file);
    std::memcpy(bytes.data() + sizeof file, &header, sizeof header);
    for (int y = 0; y < height; ++y) {
        char* row = bytes.data() + file.bfOffBits + std::size_t(height - 1 - y) * rowBytes;
        for (int x = 0; x < width; ++x) {
            std::uint32_t pixel = at(x, y);
            row[x * 3 + 0] = char(pixel & 0xFF);
            row[x * 3 + 1] = char((pixel >> 8) & 0xFF);
            row[x * 3 + 2] = char((pixel >> 16) & 0xFF);
        }
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    return bool(out);
}

void clickAt(int x, int y) {
    SetCursorPos(x, y);
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT inputs[3] = {};
    for (INPUT& input : inputs) input.type = INPUT_MOUSE;
    inputs[0].mi.dx = LONG(MulDiv(x, 65535, width > 1 ? width - 1 : 1));
    inputs[0].mi.dy = LONG(MulDiv(y, 65535, height > 1 ? height - 1 : 1));
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(3, inputs, sizeof(INPUT));
    pumpMessages();
}

void pressKey(WORD virtualKey) {
    INPUT inputs[2] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = virtualKey;
        input.ki.wScan = WORD(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    }
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
    pumpMessages();
}

// A thread may only take the foreground for another while their input
// queues are joined.
bool activate(HWND window, std::chrono::milliseconds timeout) {
    const DWORD target = GetWindowThreadProcessId(window, nullptr);
    const DWORD self = GetCurrentThreadId();
    const bool attached = target != self && AttachThreadInput(self, target, TRUE);
    SetForegroundWindow(window);
    SetActiveWindow(window);
    SetFocus(window);
    if (attached) AttachThreadInput(self, target, FALSE);
    return waitUntil([window] { return GetForegroundWindow() == window; }, timeout);
}

}  // namespace harness
