// The cover window's life on a real desktop, in this process: plain covers
// over the monitors they are given, its picture as the system asks to print
// it, and timers at rest while the display is off or the session locked.

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "harness.h"
#include "host/controls.h"
#include "host/form.h"
#include "host/form_window.h"
#include "host/win32/painted_window.h"
#include "host/win32/plain_covers.h"

#include <wtsapi32.h>

namespace {

using namespace std::chrono_literals;
using host::PixelRect;

constexpr COLORREF lightBlue = RGB(128, 128, 255);

RECT windowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

// Stands in for the clock's window: counts the clicks its covers report.
struct ClickCount final : host::backend::WindowEvents {
    void activated() override {}
    void deactivated() override {}
    void clicked() override { ++clicks; }
    void keyPressed() override {}
    void mouseButtonPressed() override {}
    void pointerMoved(int, int) override {}
    void timerFired(int) override {}
    void closeAsked() override {}
    void destroyed() override {}
    void resized() override {}
    void dpiChanged() override {}
    void displaysChanged() override {}
    void displayPowerChanged(bool) override {}
    void sessionChanged(bool) override {}

    int clicks = 0;
};

// What the cover paints, read back through WM_PRINTCLIENT: a cover off
// Wine's one screen shows in no screenshot.
COLORREF paintedColour(HWND window) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 8, 8);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    PatBlt(memory, 0, 0, 8, 8, BLACKNESS);
    SendMessageW(window, WM_PRINTCLIENT, WPARAM(memory), PRF_CLIENT | PRF_ERASEBKGND);
    const COLORREF colour = GetPixel(memory, 4, 4);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return colour;
}

TEST(PlainCovers, CoverExactlyTheirRectanglesAndFollowThem) {
    ClickCount clock;
    host::win32::PlainCovers covers(host::Color::fromRgb(128, 128, 255), clock);

    covers.follow({{1920, 0, 5760, 2160}, {-1280, -1024, 0, 0}});
    ASSERT_EQ(covers.windows().size(), 2u);
    const RECT expected[] = {{1920, 0, 5760, 2160}, {-1280, -1024, 0, 0}};
    for (std::size_t i = 0; i < 2; ++i) {
        HWND cover = covers.windows()[i];
        const RECT placed = windowRect(cover);
        EXPECT_TRUE(EqualRect(&placed, &expected[i])) << placed.left << "," << placed.top << " " << placed.right
                                                       << "," << placed.bottom;
        EXPECT_TRUE(IsWindowVisible(cover));
        const LONG style = GetWindowLongW(cover, GWL_STYLE);
        EXPECT_TRUE(style & WS_POPUP);
        EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER));
        EXPECT_TRUE(GetWindowLongW(cover, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_EQ(paintedColour(cover), lightBlue);
        wchar_t title[8] = {};
        EXPECT_EQ(GetWindowTextW(cover, title, 8), 0) << "only the clock carries the instance's mark";
    }

    PostMessageW(covers.windows()[1], WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(covers.windows()[1], WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(harness::waitUntil([&] { return clock.clicks == 1; }, 2s)) << "a click on a cover ends the screen saver";

    const HWND kept = covers.windows()[0];
    const HWND dropped = covers.windows()[1];
    covers.follow({{1920, 0, 4480, 1440}});
    ASSERT_EQ(covers.windows(), std::vector<HWND>{kept});
    const RECT resized = windowRect(kept);
    const RECT wanted{1920, 0, 4480, 1440};
    EXPECT_TRUE(EqualRect(&resized, &wanted));
    EXPECT_FALSE(IsWindow(dropped));

    covers.follow({});
    EXPECT_TRUE(covers.windows().empty());
    EXPECT_FALSE(IsWindow(kept));
}

// A form of one colour, shown as a picture the back buffer holds.
class ColouredForm : public host::Form {
public:
    ColouredForm() : host::Form(design()) {}

private:
    static host::FormDesign design() {
        host::FormDesign design;
        design.name = "frmColoured";
        design.clientSize = {3000, 2000};
        design.backColor = host::Color::fromRgb(200, 40, 40);
        return design;
    }
};

TEST(PaintedWindow, AnswersPrintClientWithItsPictureShownOrHidden) {
    ColouredForm form;
    form.Show();
    const HWND window = reinterpret_cast<HWND>(form.hWnd());
    EXPECT_EQ(paintedColour(window), RGB(200, 40, 40));
    ShowWindow(window, SW_HIDE);
    EXPECT_EQ(paintedColour(window), RGB(200, 40, 40));
    form.Unload();
}

// A form with nothing but a timer that counts its ticks.
class TickCounter : public host::Form {
public:
    TickCounter() : host::Form(design()) {
        Timer1.Interval = 1;
        Timer1.onTimer = [this] { ++ticks; };
        add(Timer1);
    }
    host::Timer Timer1;
    int ticks = 0;

private:
    static host::FormDesign design() {
        host::FormDesign design;
        design.name = "frmTicks";
        design.clientSize = {3000, 2000};
        return design;
    }
};

// A full-screen form: what covers the primary monitor.
class FullScreenForm : public host::Form {
public:
    FullScreenForm() : host::Form(design()) {}

private:
    static host::FormDesign design() {
        host::FormDesign design;
        design.name = "frmFull";
        design.maximized = true;
        return design;
    }
};

// The rectangle the system suggests with a new DPI is for windows of a
// size of their own; a full-screen window keeps exactly its monitor.
TEST(FullScreenWindow, KeepsItsMonitorWhenTheDpiChanges) {
    FullScreenForm form;
    form.Show();
    const HWND window = reinterpret_cast<HWND>(form.hWnd());
    const RECT monitor{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT suggested{100, 100, 700, 500};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(144, 144), LPARAM(&suggested));
    const RECT placed = windowRect(window);
    EXPECT_TRUE(EqualRect(&placed, &monitor)) << placed.left << "," << placed.top << " " << placed.right << ","
                                              << placed.bottom;
    EXPECT_EQ(form.scale().twipsPerPixelX, 10.0f) << "the form measures at the new DPI";
    form.Unload();
}

void sendDisplayState(HWND window, DWORD state) {
    struct {
        POWERBROADCAST_SETTING header;
        BYTE rest[sizeof(DWORD)];
    } message{};
    message.header.PowerSetting = host::win32::consoleDisplayState;
    message.header.DataLength = sizeof(DWORD);
    std::memcpy(message.header.Data, &state, sizeof state);
    SendMessageW(window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, LPARAM(&message));
}

// A form whose ticks are counted, and a second one, which hears nothing of
// the display, to keep time: its ticks come through the same queue as the
// first form's would.
class CoverWindowPower : public ::testing::Test {
protected:
    void SetUp() override {
        form.Show();
        clock.Show();
        window = reinterpret_cast<HWND>(form.hWnd());
        ASSERT_TRUE(harness::waitUntil([&] { return form.ticks > 3; }, 5s));
    }
    void TearDown() override {
        clock.Unload();
        form.Unload();
    }

    // Waits until the clock has ticked that many more times.
    bool clockTicksPast(int ticks) {
        const int from = clock.ticks;
        return harness::waitUntil([this, from, ticks] { return clock.ticks >= from + ticks; }, 5s);
    }

    TickCounter form;
    TickCounter clock;
    HWND window = nullptr;
};

TEST_F(CoverWindowPower, TimersRestWhileTheDisplayIsOffAndRunWhenItIsOnOrDimmed) {
    sendDisplayState(window, 0);
    ASSERT_TRUE(clockTicksPast(2));  // a tick already queued may still come
    const int atRest = form.ticks;
    ASSERT_TRUE(clockTicksPast(30));
    EXPECT_EQ(form.ticks, atRest) << "ticks while the display is off";

    sendDisplayState(window, 2);
    EXPECT_TRUE(harness::waitUntil([&] { return form.ticks > atRest + 3; }, 5s)) << "no ticks when dimmed";
    sendDisplayState(window, 0);
    sendDisplayState(window, 1);
    const int resumed = form.ticks;
    EXPECT_TRUE(harness::waitUntil([&] { return form.ticks > resumed + 3; }, 5s)) << "no ticks when back on";
}

// Locked or disconnected, locally or remotely, and back.
TEST_F(CoverWindowPower, TimersRestWhileNobodyCanSeeTheSession) {
    const std::pair<WPARAM, WPARAM> awayAndBack[] = {{WTS_SESSION_LOCK, WTS_SESSION_UNLOCK},
                                                     {WTS_CONSOLE_DISCONNECT, WTS_CONSOLE_CONNECT},
                                                     {WTS_REMOTE_DISCONNECT, WTS_REMOTE_CONNECT}};
    for (const auto& [away, back] : awayAndBack) {
        SCOPED_TRACE(away);
        SendMessageW(window, WM_WTSSESSION_CHANGE, away, 0);
        ASSERT_TRUE(clockTicksPast(2));
        const int atRest = form.ticks;
        ASSERT_TRUE(clockTicksPast(20));
        EXPECT_EQ(form.ticks, atRest) << "ticks while nobody can see them";
        SendMessageW(window, WM_WTSSESSION_CHANGE, back, 0);
        EXPECT_TRUE(harness::waitUntil([&] { return form.ticks > atRest + 3; }, 5s)) << "no ticks once back";
    }
}

// Behind the runtime's error box nothing may tick, whatever the display does.
TEST_F(CoverWindowPower, ASuspendedWindowStaysAtRestWhenTheDisplayComesBack) {
    form.window()->suspend();
    sendDisplayState(window, 0);
    sendDisplayState(window, 1);
    ASSERT_TRUE(clockTicksPast(2));
    const int atRest = form.ticks;
    ASSERT_TRUE(clockTicksPast(30));
    EXPECT_EQ(form.ticks, atRest) << "ticks behind the error box";
}

}  // namespace
