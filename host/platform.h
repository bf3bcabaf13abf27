#pragma once

// What each backend (host/win32, host/headless) provides to the runtime core.
// Exactly one backend is linked into a program.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "host/error.h"
#include "host/form.h"
#include "host/geometry.h"

namespace host {

struct PixelSize {
    int width = 0;
    int height = 0;
};

// A form's window on the platform.
class WindowPeer {
public:
    virtual ~WindowPeer() = default;

    virtual std::intptr_t handle() const = 0;
    virtual void setCaption(const std::string& caption) = 0;
    // Shows the window modeless; Activate follows through the event loop.
    virtual void show() = 0;
    // Shows it owned by another window, which may belong to another program,
    // and modal to it: centred over the owner, inside the work area of the
    // owner's monitor; the owner is disabled while this window is open, and
    // enabled and made active again just before this window goes.
    virtual void showOwnedBy(std::intptr_t owner) = 0;
    virtual PixelSize windowPixels() const = 0;
    virtual PixelSize clientPixels() const = 0;
    virtual PixelScale scale() const = 0;

    // The persistent drawing layer, in twips of the client area.
    virtual void drawLine(TwipPoint from, TwipPoint to, Color color, int widthPixels) = 0;
    virtual void drawText(TwipPoint topLeft, std::string_view text, const Font& font, Color color) = 0;
    virtual TwipSize textExtent(std::string_view text, const Font& font) const = 0;
};

namespace platform {

// Creates the form's window and its windowed controls, hidden.
std::unique_ptr<WindowPeer> createWindow(Form& form);
// The last loaded form has been unloaded: the program ends normally.
void lastFormUnloaded();
// Ends the program at once.
[[noreturn]] void endProgram(int exitCode);
// Shows the runtime's error box for an unhandled error, then ends the
// program with a nonzero exit code.
[[noreturn]] void reportUnhandledError(const RuntimeError& error);

// True while another instance of this same program runs.
bool previousInstanceRunning();
// Instances of this program take turns between these two calls, however
// many start at the same moment; a turn left by an instance that ended
// passes to the next.
void beginInstanceTurn();
void endInstanceTurn();
// The command-line text after the program's own path.
std::string commandLineArguments();
// Local time of day in seconds since midnight, with fraction.
float secondsSinceMidnight();
// What went wrong with a file, in the system's words.
struct FileFailure {
    ErrorNumber number;
    std::string reason;
};
using FileResult = std::optional<FileFailure>;  // nothing: it worked

// A file being written, opened for this process alone.
class WritableFile {
public:
    virtual ~WritableFile() = default;
    virtual FileResult write(std::string_view bytes) = 0;
    // Puts what was written on the disk itself, not only in the system's
    // buffers: a file that replaces another must be whole before it does.
    virtual FileResult flush() = 0;
    virtual FileResult close() = 0;
};

// Creates the file, or empties it when it exists.
std::unique_ptr<WritableFile> createFile(const std::filesystem::path& path, FileResult& failure);
// Moves a fully written file over another in one step; on failure both stay
// as they were.
FileResult replaceFile(const std::filesystem::path& from, const std::filesystem::path& to);
// Removes a file if it is there; nothing is reported.
void removeFile(const std::filesystem::path& path);
// The folder that holds this user's settings of the program, whatever the
// current directory; it may not exist yet. Empty when the system cannot say.
std::filesystem::path userSettingsFolder();

}  // namespace platform
}  // namespace host
