#pragma once

// Helpers for Windows integration tests: they start the real Zantrelle.scr
// as a separate process and look at it from outside, as the desktop would.
// Each part below is implemented in its own harness_*.cpp.

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace harness {

using namespace std::chrono_literals;

// Processes.

// The Zantrelle.scr under test.
std::filesystem::path scrPath();

// A started screen-saver process; killed on destruction if still running.
class Process {
public:
    Process() = default;
    Process(Process&&) noexcept;
    Process& operator=(Process&&) noexcept;
    ~Process();

    DWORD id() const { return id_; }
    HANDLE handle() const { return process_; }
    bool running() const;
    // The exit code, once the process ended within the timeout.
    std::optional<DWORD> waitForExit(std::chrono::milliseconds timeout);
    void kill();

private:
    friend Process startAs(const std::filesystem::path&, const std::wstring&, const std::filesystem::path&);
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// Starts Zantrelle.scr with the arguments, in the working directory (the
// test's own when empty).
Process start(const std::wstring& arguments, const std::filesystem::path& workingDirectory = {});
// The same, through another spelling of its path (its short 8.3 path, say).
Process startAs(const std::filesystem::path& program, const std::wstring& arguments,
                const std::filesystem::path& workingDirectory = {});

// Windows.

// The visible top-level windows of a process.
std::vector<HWND> topLevelWindowsOf(DWORD processId);
std::wstring titleOf(HWND window);

// Waiting. Every wait handles the test program's own messages meanwhile, so
// windows a test creates (a preview pane, say) keep painting and answering.

// Waits until the predicate holds, polling; false on timeout.
bool waitUntil(const std::function<bool()>& predicate, std::chrono::milliseconds timeout);
// Waits until the process has a visible top-level window and returns it.
HWND waitForWindow(DWORD processId, std::chrono::milliseconds timeout = 10s);
// Handles the test program's messages for the given time. For a test whose
// subject is a moment (a pane closed at some point of a start), never for
// waiting on something to happen: waitUntil does that.
void pumpMessagesFor(std::chrono::milliseconds duration);
void pumpMessages();

struct PostedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
// Posts the messages to a window of another thread and returns once that
// thread has taken them from its queue and handled them; false when the
// window went away or stopped answering first.
bool postAndWaitUntilHandled(HWND window, std::initializer_list<PostedMessage> messages,
                             std::chrono::milliseconds timeout = 5s);

// Message boxes.

// Waits for a message box of the process, reads its text, presses its OK
// button and returns the text; nothing on timeout.
std::optional<std::wstring> dismissMessageBox(DWORD processId, std::chrono::milliseconds timeout = 10s);

// Files.

// A fresh, empty directory, removed with its content on destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& bytes);
// A symbolic link to the target, which must exist.
void plantSymbolicLink(const std::filesystem::path& link, const std::filesystem::path& target);

// Screenshots.

// Screen pixels as 0x00RRGGBB.
struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t at(int x, int y) const { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
    bool saveBmp(const std::filesystem::path& path) const;
    // The part inside a rectangle of the screen, such as a window's.
    Screenshot crop(const RECT& part) const;
};
// The primary monitor, or any area of the virtual screen.
Screenshot captureScreen();
Screenshot captureScreen(const RECT& area);
// Waits until the screen has changed the given number of times since the
// call, as a window that paints frames changes it; false on timeout.
bool waitForScreenChanges(int changes, std::chrono::milliseconds timeout = 10s);

// Input, synthesised as a user would give it.

// A click of the left button, or of the button whose flags are given.
void clickAt(int x, int y, DWORD down = MOUSEEVENTF_LEFTDOWN, DWORD up = MOUSEEVENTF_LEFTUP);
void moveMouseTo(int x, int y);
// Keys go to the active window: activate the target first.
void pressKey(WORD virtualKey);
// Makes a window of another process the active one, with keyboard focus
// (there is no window manager to do it); false on timeout.
bool activate(HWND window, std::chrono::milliseconds timeout = 2s);

}  // namespace harness
