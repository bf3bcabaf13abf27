#pragma once

// The test driver: the program on the in-memory backend, a working runtime
// with no display. Tests, benchmarks, fuzzers and the soak set the machine's
// clock, screen, files and instance flag, drive its events and read back what
// the program did to its windows.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "host/form.h"
#include "host/geometry.h"
#include "host/monitors.h"
#include "host/backend/files.h"
#include "host/headless/headless_records.h"
#include "host/render/image.h"

namespace host::headless {

// The primary monitor alone, at (0, 0); default 640 x 480 at 96 DPI.
void setScreenPixels(int width, int height);
void setDpi(int dpi);
// Any layout of monitors, one of them primary.
void setMonitors(std::vector<Monitor> monitors);
// Monitors added, removed or resized, or their DPI changed, while the
// program runs: the layout changes and every top-level window hears of it,
// as from WM_DISPLAYCHANGE, and a window whose monitor's DPI changed as from
// WM_DPICHANGED.
void changeDisplays(std::vector<Monitor> monitors);
void setDisplayPower(DisplayPower power);
// Whether someone can see the session: false while it is locked or
// disconnected.
void setSessionAttended(bool attended);
void setTimeOfDay(float seconds);
void setPreviousInstanceRunning(bool running);
void setCommandLine(std::string arguments);
// The in-memory file system. A relative path is taken from the current
// directory, /current-directory; the user's settings folder is
// /home/user/.config/zantrelle until a test sets another.
// Where this user's settings live; empty: the system names no such folder.
void setUserSettingsFolder(std::filesystem::path folder);
// A file with these bytes, made with the folders on its way.
void plantFile(const std::filesystem::path& path, std::string bytes);
void plantFolder(const std::filesystem::path& folder);
// The bytes of a file; nothing when no file has that name.
std::optional<std::string> fileBytes(const std::filesystem::path& path);
bool folderExists(const std::filesystem::path& folder);
// The names of what a folder holds, files and folders, sorted.
std::vector<std::string> folderListing(const std::filesystem::path& folder);
// A file that exists but cannot be opened, or a folder no file can be made
// in, as when the system refuses this user (AccessDenied) or another program
// holds the file (InUse).
void refuseAccess(const std::filesystem::path& path, backend::FileProblem problem);
// Makes that step fail the n-th time it runs from now (1: the next time).
void failFileStep(FileStep step, int occurrence = 1);
// Writes, flushes and closes fail as on a full disk until turned off.
void setDiskFull(bool full);

// A top-level window of another program (a preview pane, another instance),
// at (0, 0) until moved.
Handle addForeignWindow(std::string title, int clientWidth, int clientHeight, std::string className = {});
void moveForeignWindow(Handle window, int x, int y);
// A window of another program changes size; one of ours planted in it
// follows its client area, as the Win32 backend's watch makes it.
void resizeForeignWindow(Handle window, int clientWidth, int clientHeight);
// The plain covers that a full-screen form window has on the other monitors.
std::vector<Handle> plainCoversOf(const Form& form);
void destroyWindow(Handle window);
bool windowExists(Handle window);
const WindowState& window(Handle window);

const std::vector<RecordedCall>& calls();
// Whether this instance holds its turn among instances started together.
bool holdsInstanceTurn();
int cursorDisplayCount();  // 0 = shown, -1 = hidden once

// Runs the start-up procedure as the runtime would.
Outcome runMain(const std::function<void()>& main);
Outcome outcome();

// Events, each run as the runtime runs an event handler.
void click(Form& form);
// A click on any window of the program: a form's, or a plain cover, which
// the full-screen form takes as its own.
void clickWindow(Handle window);
// A key pressed while the form's window has the keyboard.
void pressKey(Form& form);
// Any mouse button pressed over the form's window.
void pressMouseButton(Form& form);
// The pointer moved to (x, y), in virtual-screen pixels, over the form's
// window; the form hears of it even when it is where it was, as a window
// that appears under the pointer does.
void movePointer(Form& form, int x, int y);
// The user switched to another window and back to this one.
void activate(Form& form);
// The form's running timers fire once: none while the display is off or
// nobody can see the session.
void tick(Form& form);

// A dialog's keys, one after another, as the user types them; each is a
// report of its own.
void pressKeys(Form& form, const std::vector<DialogKey>& keys);
// A click on the dialog's button or check box with that caption.
void clickButton(Form& form, const std::string& caption);
// A request to the dialog's n-th scroll bar in window order, as a click in
// its trough or on an arrow, or a drag of its thumb, makes.
void scroll(Form& form, int bar, backend::ScrollRequest request);
void clickCloseBox(Form& form);
// The dialog's controls as it shows them, in window order; none for a form
// that is no loaded dialog.
std::vector<DialogControlState> dialogControls(const Form& form);
// The index among them of the control that has the focus; -1 for none.
int focusedControl(const Form& form);
// The system's colours and high-contrast setting, and the desktop's message
// font (8 points until set), as the user changes them; an open dialog
// follows.
void setSystemLook(backend::SystemLook look);
void setMessageFontPoints(float points);

// What the form's window shows on screen. Every event presents what it
// changed, as on Windows; a test that changed controls outside any event has
// that presented first, as the next event would. An empty image for a form
// that is not loaded.
const render::Image& renderFrame(Form& form);
// The rectangles the last presentation put on screen.
const std::vector<PixelRect>& lastPresentedRects(const Form& form);
// Writes what the form's window shows as a PNG, for a person to look at.
// False when the form is not loaded or the file cannot be written.
bool saveFrame(Form& form, const std::filesystem::path& path);

}  // namespace host::headless
