// The screen saver on a display of several monitors, whatever their layout:
// scripts/test runs this program on several, each time on a display whose
// monitors are what EnumDisplayMonitors reports. It also says how to switch
// the last monitor off and on again (ZANTRELLE_MONITOR_OFF and _ON, host
// commands that Wine runs as it runs any program).

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <numbers>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "cover_screen.h"
#include "harness.h"
#include "user_settings.h"

namespace {

using namespace std::chrono_literals;

struct Monitor {
    RECT bounds;
    RECT workArea;
    bool primary;
    std::string device;
};

std::vector<Monitor> monitors() {
    std::vector<Monitor> found;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR monitor, HDC, RECT*, LPARAM context) -> BOOL {
            MONITORINFOEXA info{};
            info.cbSize = sizeof info;
            GetMonitorInfoA(monitor, &info);
            reinterpret_cast<std::vector<Monitor>*>(context)->push_back(
                {info.rcMonitor, info.rcWork, (info.dwFlags & MONITORINFOF_PRIMARY) != 0, info.szDevice});
            return TRUE;
        },
        LPARAM(&found));
    return found;
}

// The first monitor that is, or is not, the primary one.
Monitor firstMonitor(bool primary) {
    const std::vector<Monitor> all = monitors();
    const auto found = std::find_if(all.begin(), all.end(), [&](const Monitor& m) { return m.primary == primary; });
    if (found == all.end()) throw std::runtime_error("the display has a single monitor");
    return *found;
}

RECT windowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

std::string text(const RECT& rect) {
    std::ostringstream out;
    out << "(" << rect.left << "," << rect.top << ")-(" << rect.right << "," << rect.bottom << ")";
    return out.str();
}

POINT centreOf(const RECT& rect) { return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

// What keeps the windows of the process from covering each monitor exactly
// once, with the clock over the primary monitor, the only one titled, and
// plain covers elsewhere; empty when nothing does.
std::string coverFault(DWORD processId) {
    const std::vector<HWND> windows = harness::topLevelWindowsOf(processId);
    const std::vector<Monitor> shown = monitors();
    if (windows.size() != shown.size())
        return std::to_string(windows.size()) + " windows for " + std::to_string(shown.size()) + " monitors";
    for (const Monitor& monitor : shown) {
        const auto over = std::find_if(windows.begin(), windows.end(), [&](HWND window) {
            const RECT placed = windowRect(window);
            return EqualRect(&placed, &monitor.bounds) != FALSE;
        });
        if (over == windows.end()) return "nothing covers exactly " + text(monitor.bounds);
        const std::wstring title = harness::titleOf(*over);
        if ((title == L"Zantrelle") != monitor.primary)
            return "the window over " + text(monitor.bounds) + " is titled \"" +
                   std::string(title.begin(), title.end()) + "\"";
    }
    return {};
}

// Waits until the process covers every monitor exactly; the last fault seen
// otherwise.
std::string coverFaultAfterWaiting(DWORD processId) {
    std::string fault;
    harness::waitUntil(
        [&] {
            fault = coverFault(processId);
            return fault.empty();
        },
        10s);
    return fault;
}

// The first window of the process that covers a whole monitor, if any.
std::string coveringWindow(DWORD processId) {
    for (HWND window : harness::topLevelWindowsOf(processId)) {
        const RECT placed = windowRect(window);
        for (const Monitor& monitor : monitors()) {
            RECT common{};
            IntersectRect(&common, &placed, &monitor.bounds);
            if (EqualRect(&common, &monitor.bounds)) return text(placed) + " covers " + text(monitor.bounds);
        }
    }
    return {};
}

// Windows tells top-level windows of a change of monitors; a change made
// on the X server behind Wine's back is told by nobody, so the test does.
void tellOfDisplayChange(DWORD processId) {
    const LPARAM size = MAKELPARAM(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    for (HWND window : harness::topLevelWindowsOf(processId)) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(window, WM_DISPLAYCHANGE, 32, size, SMTO_ABORTIFHUNG, 5000, &ignored);
    }
}

// Starts the host command an environment variable holds. Wine starts a
// host program without a process to wait on: callers wait for its effect.
bool runHostCommand(const char* variable) {
    const char* command = std::getenv(variable);
    if (!command) return false;
    std::string line = command;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return false;
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return true;
}

// A top-level window of the test program, standing for the settings page
// or its preview pane, centred on a monitor.
struct Page {
    Page(const RECT& monitor, int width, int height) {
        const POINT centre = centreOf(monitor);
        window = CreateWindowExW(0, L"STATIC", L"Screen Saver Settings", WS_POPUP | WS_VISIBLE, centre.x - width / 2,
                                 centre.y - height / 2, width, height, nullptr, nullptr, GetModuleHandleW(nullptr),
                                 nullptr);
    }
    ~Page() { DestroyWindow(window); }
    std::wstring decimal() const { return std::to_wstring(reinterpret_cast<std::uintptr_t>(window)); }
    HWND window;
};

// The dial as a screenshot of its monitor shows it: twelve black
// tick marks between 800 and 1000 twips from its centre, numerals at 1200,
// and no black ink beyond them.
struct Dial {
    double centreX, centreY, pixelsPerTwip;

    // The clock's centre is half the window across and 120 twips above half
    // its height.
    static Dial ofWindow(int width, int height) {
        HDC screen = GetDC(nullptr);
        const double pixelsPerTwip = GetDeviceCaps(screen, LOGPIXELSY) / 1440.0;
        ReleaseDC(nullptr, screen);
        return {width / 2.0, height / 2.0 - 120 * pixelsPerTwip, pixelsPerTwip};
    }

    // A ball or a hand may pass over a mark for a frame: callers wait.
    bool ticksShowIn(const harness::Screenshot& shot) const {
        const double radius = 900 * pixelsPerTwip;
        for (int hour = 0; hour < 12; ++hour) {
            const double angle = hour * std::numbers::pi / 6;
            const int x = int(std::lround(centreX + radius * std::sin(angle)));
            const int y = int(std::lround(centreY - radius * std::cos(angle)));
            if (!cover_screen::anyPixel(shot, {x - 1, y - 1, x + 2, y + 2}, cover_screen::isInkBlack)) return false;
        }
        return true;
    }

    // True when every black pixel lies within the numerals' reach.
    bool aloneIn(const harness::Screenshot& shot) const {
        const double reach = 1500 * pixelsPerTwip;
        for (int y = 0; y < shot.height; ++y) {
            for (int x = 0; x < shot.width; ++x) {
                if (cover_screen::isInkBlack(shot.at(x, y)) && std::hypot(x - centreX, y - centreY) > reach)
                    return false;
            }
        }
        return true;
    }

    bool drawnIn(const harness::Screenshot& shot) const { return ticksShowIn(shot) && aloneIn(shot); }
};

TEST(MonitorLayout, EveryMonitorIsCoveredExactlyAndAClickOnAPlainCoverEndsTheProgram) {
    ASSERT_GE(monitors().size(), 2u) << "the display has a single monitor";
    harness::Process saver = harness::start(L"/s");
    ASSERT_EQ(coverFaultAfterWaiting(saver.id()), "");

    const POINT onPlainCover = centreOf(firstMonitor(false).bounds);
    harness::clickAt(onPlainCover.x, onPlainCover.y);
    EXPECT_EQ(saver.waitForExit(15s), std::optional<DWORD>(0));
}

TEST(MonitorLayout, WithEveryMonitorChosenEachMonitorShowsItsOwnDialAndAClickOnAnyEndsIt) {
    harness::UserSettings settings;
    std::filesystem::create_directories(settings.folder());
    harness::writeFile(settings.folder() / "options.ini", "EveryMonitor=1\r\n");
    harness::Process saver = harness::start(L"/s");
    ASSERT_EQ(coverFaultAfterWaiting(saver.id()), "");

    for (const Monitor& monitor : monitors()) {
        SCOPED_TRACE(text(monitor.bounds));
        const Dial dial = Dial::ofWindow(monitor.bounds.right - monitor.bounds.left,
                                         monitor.bounds.bottom - monitor.bounds.top);
        harness::Screenshot shot;
        const bool drawn = harness::waitUntil(
            [&] {
                shot = harness::captureScreen(monitor.bounds);
                return dial.drawnIn(shot);
            },
            10s);
        EXPECT_TRUE(drawn) << "no dial centred on the monitor; see every_monitor.bmp";
        if (!drawn) shot.saveBmp("every_monitor.bmp");
    }

    const POINT onAnother = centreOf(firstMonitor(false).bounds);
    harness::clickAt(onAnother.x + 200, onAnother.y + 200);
    EXPECT_EQ(saver.waitForExit(15s), std::optional<DWORD>(0));
}

// With plain covers, and with a clock on every monitor: either way each
// monitor stays covered exactly once.
TEST(MonitorLayout, CoversFollowAMonitorSwitchedOffAndOnAgain) {
    const std::size_t all = monitors().size();
    ASSERT_GE(all, 2u);
    for (const char* options : {"", "EveryMonitor=1\r\n"}) {
        SCOPED_TRACE(*options ? "a clock on every monitor" : "plain covers");
        harness::UserSettings settings;
        std::filesystem::create_directories(settings.folder());
        harness::writeFile(settings.folder() / "options.ini", options);
        harness::Process saver = harness::start(L"/s");
        ASSERT_EQ(coverFaultAfterWaiting(saver.id()), "");

        const struct {
            const char* command;
            std::size_t monitors;
        } steps[] = {{"ZANTRELLE_MONITOR_OFF", all - 1}, {"ZANTRELLE_MONITOR_ON", all}};
        for (const auto& step : steps) {
            SCOPED_TRACE(step.command);
            ASSERT_TRUE(runHostCommand(step.command)) << "scripts/test sets the command";
            ASSERT_TRUE(harness::waitUntil([&] { return monitors().size() == step.monitors; }, 10s))
                << "the display kept " << monitors().size() << " monitors";
            tellOfDisplayChange(saver.id());
            EXPECT_EQ(coverFaultAfterWaiting(saver.id()), "");
        }
    }
}

TEST(MonitorLayout, TheSettingsDialogOfAPageOnAnotherMonitorShowsCentredOverItOnThatMonitor) {
    const Monitor other = firstMonitor(false);
    const Page page(other.workArea, 400, 300);
    harness::Process saver = harness::start(L"/c:" + page.decimal());
    const HWND dialog = harness::waitForWindow(saver.id());
    ASSERT_NE(dialog, nullptr) << "the dialog never showed";

    const RECT placed = windowRect(dialog);
    const POINT pageCentre = centreOf(windowRect(page.window));
    EXPECT_NEAR(centreOf(placed).x, pageCentre.x, 1);
    EXPECT_NEAR(centreOf(placed).y, pageCentre.y, 1);
    RECT inside{};
    IntersectRect(&inside, &placed, &other.workArea);
    EXPECT_TRUE(EqualRect(&inside, &placed)) << text(placed) << " leaves the work area " << text(other.workArea);

    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_EQ(saver.waitForExit(10s), std::optional<DWORD>(0));
}

// The settings dialog and the preview show no plain covers, on no monitor.
// A round trip through the shown window's queue lets start-up finish first.
TEST(MonitorLayout, TheDialogAndThePreviewCoverNoMonitor) {
    const Page pane(firstMonitor(true).bounds, 152, 112);
    const struct {
        std::wstring arguments;
        bool planted;
    } runs[] = {{L"/c", false}, {L"/p " + pane.decimal(), true}};
    for (const auto& run : runs) {
        SCOPED_TRACE(std::string(run.arguments.begin(), run.arguments.end()));
        harness::Process saver = harness::start(run.arguments);
        HWND shown = nullptr;
        harness::waitUntil(
            [&] {
                const std::vector<HWND> windows = harness::topLevelWindowsOf(saver.id());
                shown = run.planted ? GetWindow(pane.window, GW_CHILD) : windows.empty() ? nullptr : windows.front();
                return shown != nullptr;
            },
            10s);
        ASSERT_NE(shown, nullptr) << "nothing showed";
        ASSERT_TRUE(harness::postAndWaitUntilHandled(shown, {}));
        EXPECT_EQ(coveringWindow(saver.id()), "");
    }
}

// The largest mode of the monitor smaller than its current one both ways.
std::optional<DEVMODEA> smallerMode(const std::string& device) {
    DEVMODEA current{};
    current.dmSize = sizeof current;
    EnumDisplaySettingsA(device.c_str(), ENUM_CURRENT_SETTINGS, &current);
    std::optional<DEVMODEA> best;
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    for (DWORD i = 0; EnumDisplaySettingsA(device.c_str(), i, &mode); ++i) {
        if (mode.dmPelsWidth < current.dmPelsWidth && mode.dmPelsHeight < current.dmPelsHeight &&
            mode.dmBitsPerPel == current.dmBitsPerPel &&
            (!best || mode.dmPelsWidth * mode.dmPelsHeight > best->dmPelsWidth * best->dmPelsHeight))
            best = mode;
    }
    return best;
}

// A mode set on a monitor for the test, and the one before set back after.
class ModeChange {
public:
    ModeChange(const std::string& device, DEVMODEA mode) : device_(device) {
        before_.dmSize = sizeof before_;
        EnumDisplaySettingsA(device.c_str(), ENUM_CURRENT_SETTINGS, &before_);
        result = ChangeDisplaySettingsExA(device.c_str(), &mode, nullptr, CDS_FULLSCREEN, nullptr);
    }
    ~ModeChange() { ChangeDisplaySettingsExA(device_.c_str(), &before_, nullptr, CDS_FULLSCREEN, nullptr); }
    LONG result;

private:
    std::string device_;
    DEVMODEA before_{};
};

// Last: the change may leave Wine's other monitors moved.
TEST(MonitorLayout, AResolutionChangeOfThePrimaryMovesTheCoversAndRedrawsTheDialAboutTheNewCentre) {
    const Monitor primary = firstMonitor(true);
    harness::Process saver = harness::start(L"/s");
    ASSERT_EQ(coverFaultAfterWaiting(saver.id()), "");
    const Dial before = Dial::ofWindow(primary.bounds.right, primary.bounds.bottom);
    harness::Screenshot shotBefore;
    ASSERT_TRUE(harness::waitUntil(
        [&] {
            shotBefore = harness::captureScreen();
            return before.drawnIn(shotBefore);
        },
        10s))
        << "no dial about the centre before the change";

    const std::optional<DEVMODEA> smaller = smallerMode(primary.device);
    ASSERT_TRUE(smaller.has_value()) << "the primary monitor has no smaller mode";
    const ModeChange change(primary.device, *smaller);
    ASSERT_EQ(change.result, DISP_CHANGE_SUCCESSFUL);
    EXPECT_EQ(coverFaultAfterWaiting(saver.id()), "");

    const int width = int(smaller->dmPelsWidth), height = int(smaller->dmPelsHeight);
    const Dial after = Dial::ofWindow(width, height);
    harness::Screenshot shotAfter;
    const bool moved = harness::waitUntil(
        [&] {
            shotAfter = harness::captureScreen();
            return shotAfter.width == width && shotAfter.height == height &&
                   cover_screen::cornersAreLightBlue(shotAfter) && after.drawnIn(shotAfter);
        },
        10s);
    EXPECT_TRUE(moved) << "no dial about (" << after.centreX << ", " << after.centreY << ") alone on light blue at "
                       << width << " x " << height << "; see resolution_before.bmp and resolution_after.bmp";
    if (!moved) {
        shotBefore.saveBmp("resolution_before.bmp");
        shotAfter.saveBmp("resolution_after.bmp");
    }
}

}  // namespace
