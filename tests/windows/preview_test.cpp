// The preview as the desktop's settings page runs it: the test program owns
// the pane, starts the screen saver with its handle and looks at what was
// planted in it. Wine does not show another process's child window in a
// screenshot, so these tests check window properties, not pixels.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "cover_screen.h"
#include "harness.h"

namespace {

using namespace std::chrono_literals;

constexpr int paneWidth = 152;
constexpr int paneHeight = 112;

// A top-level window of the test program with a client area the size of the
// desktop's preview pane. The harness pumps its messages while it waits.
class PreviewPane {
public:
    PreviewPane() {
        static const wchar_t* const className = [] {
            WNDCLASSW description{};
            description.lpfnWndProc = DefWindowProcW;
            description.hInstance = GetModuleHandleW(nullptr);
            description.hbrBackground = HBRUSH(GetStockObject(BLACK_BRUSH));
            description.lpszClassName = L"ZantrellePreviewPane";
            RegisterClassW(&description);
            return description.lpszClassName;
        }();
        RECT frame{0, 0, paneWidth, paneHeight};
        const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
        AdjustWindowRect(&frame, style, FALSE);
        window_ = CreateWindowW(className, L"Preview pane", style, 40, 40, frame.right - frame.left,
                                frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ShowWindow(window_, SW_SHOW);
        UpdateWindow(window_);
    }
    ~PreviewPane() { destroy(); }
    PreviewPane(const PreviewPane&) = delete;
    PreviewPane& operator=(const PreviewPane&) = delete;

    HWND handle() const { return window_; }
    std::wstring decimal() const { return std::to_wstring(reinterpret_cast<std::uintptr_t>(window_)); }
    void destroy() {
        if (window_) DestroyWindow(window_);
        window_ = nullptr;
    }

private:
    HWND window_ = nullptr;
};

// The window the screen saver planted in the pane, once it is shown there.
HWND waitForPlantedWindow(const PreviewPane& pane, DWORD processId, std::chrono::milliseconds timeout = 10s) {
    HWND planted = nullptr;
    harness::waitUntil(
        [&] {
            for (HWND child = GetWindow(pane.handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                DWORD owner = 0;
                GetWindowThreadProcessId(child, &owner);
                if (owner == processId && IsWindowVisible(child)) planted = child;
            }
            return planted != nullptr;
        },
        timeout);
    return planted;
}

HWND activeWindowOfThreadOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndActive;
}

constexpr LONG stateBits = WS_VISIBLE | WS_MAXIMIZE | WS_MINIMIZE | WS_DISABLED;

struct PlantedCase {
    const wchar_t* switchText;  // the handle follows it
};

class PlantedInPane : public ::testing::TestWithParam<PlantedCase> {};

TEST_P(PlantedInPane, IsAVisibleInactiveChildFillingThePane) {
    PreviewPane pane;
    harness::Process saver = harness::start(GetParam().switchText + pane.decimal());
    const HWND cover = waitForPlantedWindow(pane, saver.id());
    ASSERT_NE(cover, nullptr) << "no window was planted in the pane";

    // GetParent would name the owner: the window keeps its popup bit.
    EXPECT_EQ(GetAncestor(cover, GA_PARENT), pane.handle());
    EXPECT_TRUE(IsChild(pane.handle(), cover));
    EXPECT_EQ(harness::titleOf(cover), L"Preview");

    const LONG style = GetWindowLongW(cover, GWL_STYLE);
    EXPECT_TRUE(style & WS_CHILD);
    // WS_CHILD is added, nothing taken away: the borderless popup stays one.
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME));

    RECT client{};
    GetClientRect(cover, &client);
    EXPECT_EQ(client.right, paneWidth);
    EXPECT_EQ(client.bottom, paneHeight);
    RECT placed{};
    GetWindowRect(cover, &placed);
    MapWindowPoints(HWND_DESKTOP, pane.handle(), reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.left, 0);
    EXPECT_EQ(placed.top, 0);
    EXPECT_EQ(placed.right, paneWidth);
    EXPECT_EQ(placed.bottom, paneHeight);

    EXPECT_TRUE(IsWindowVisible(cover));
    EXPECT_NE(GetForegroundWindow(), cover);
    EXPECT_NE(GetActiveWindow(), cover);
    EXPECT_NE(activeWindowOfThreadOf(cover), cover);

    EXPECT_TRUE(saver.running());
}

INSTANTIATE_TEST_SUITE_P(Switches, PlantedInPane,
                         ::testing::Values(PlantedCase{L"/p "}, PlantedCase{L"/P:"}, PlantedCase{L"/P"}));

// The planted window keeps the style bits a full-screen cover window has,
// and a full-screen instance started while the preview runs is not taken
// for a second full-screen one.
TEST(Preview, KeepsTheCoverStyleAndLetsAFullScreenInstanceStart) {
    PreviewPane pane;
    harness::Process preview = harness::start(L"/p " + pane.decimal());
    const HWND planted = waitForPlantedWindow(pane, preview.id());
    ASSERT_NE(planted, nullptr);

    // Painted, it is past the search for another full-screen instance.
    cover_screen::FullScreenRun fullScreen(L"/s");
    const HWND fullScreenCover = fullScreen.window;
    ASSERT_NE(fullScreenCover, nullptr) << "the full-screen instance showed nothing";
    EXPECT_TRUE(fullScreen.painted) << "the full-screen instance never painted";
    EXPECT_TRUE(harness::postAndWaitUntilHandled(fullScreenCover, {})) << "the full-screen instance was ended";
    EXPECT_TRUE(fullScreen.saver.running());
    EXPECT_EQ(harness::titleOf(fullScreenCover), L"Zantrelle");

    const LONG previewStyle = GetWindowLongW(planted, GWL_STYLE) & ~stateBits;
    const LONG fullScreenStyle = GetWindowLongW(fullScreenCover, GWL_STYLE) & ~stateBits;
    EXPECT_EQ(previewStyle, fullScreenStyle | WS_CHILD);

    EXPECT_TRUE(preview.running());
}

// The preview is a picture: a click in it does not end it. The posted click
// is handled before the round trips that follow it come back, and a click
// that ended the preview would have taken its window with it.
TEST(Preview, AClickDoesNotEndIt) {
    PreviewPane pane;
    harness::Process saver = harness::start(L"/p " + pane.decimal());
    const HWND planted = waitForPlantedWindow(pane, saver.id());
    ASSERT_NE(planted, nullptr) << "nothing was planted in the pane";

    EXPECT_TRUE(harness::postAndWaitUntilHandled(planted, {{WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20)},
                                                           {WM_LBUTTONUP, 0, MAKELPARAM(20, 20)}}))
        << "the preview went away on a click";
    EXPECT_TRUE(saver.running());
    pane.destroy();
    EXPECT_TRUE(saver.waitForExit(5s).has_value()) << "the pane went, the preview stayed";
}

TEST(Preview, EndsWithinASecondOfThePaneGoing) {
    PreviewPane pane;
    harness::Process saver = harness::start(L"/p " + pane.decimal());
    ASSERT_NE(waitForPlantedWindow(pane, saver.id()), nullptr);

    pane.destroy();

    const auto exitCode = saver.waitForExit(1s);
    ASSERT_TRUE(exitCode.has_value()) << "the screen saver outlived its pane";
    EXPECT_EQ(*exitCode, 0u);
}

// The settings page opens and closes previews as the user moves through the
// list, sometimes before a preview has planted itself. Half the cycles close
// the pane at once; none may leave a process behind.
TEST(Preview, RepeatedOpenAndCloseLeavesNoProcessBehind) {
    constexpr int cycles = 100;
    constexpr int sideBySide = 10;
    int planted = 0;
    for (int round = 0; round < cycles / sideBySide; ++round) {
        std::vector<std::unique_ptr<PreviewPane>> panes;
        std::vector<harness::Process> savers;
        for (int i = 0; i < sideBySide; ++i) {
            panes.push_back(std::make_unique<PreviewPane>());
            savers.push_back(harness::start(L"/p " + panes.back()->decimal()));
        }
        for (int i = 0; i < sideBySide; ++i) {
            if (i % 2 == 0 && waitForPlantedWindow(*panes[std::size_t(i)], savers[std::size_t(i)].id())) ++planted;
            panes[std::size_t(i)]->destroy();
        }
        for (int i = 0; i < sideBySide; ++i)
            EXPECT_TRUE(savers[std::size_t(i)].waitForExit(5s).has_value())
                << "round " << round << ", preview " << i << " still runs";
    }
    EXPECT_EQ(planted, cycles / 2);
}

// Its window exists, titled, but is not yet in the pane: a moment far
// shorter than a poll's pause, so this polls without one. It catches the
// moment about every other time; otherwise it ends once the window is planted.
void waitForTitledOrPlanted(const PreviewPane& pane) {
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (!FindWindowW(nullptr, L"Preview") && !GetWindow(pane.handle(), GW_CHILD) &&
           std::chrono::steady_clock::now() < deadline)
        harness::pumpMessages();
}

// The pane goes at any moment of a start: before the process has a window,
// while its window is made but not yet planted, or after. Whatever the
// moment, the screen saver must not outlive the pane.
TEST(Preview, APaneDestroyedAtAnyPointOfTheStartLeavesNoProcessBehind) {
    std::mt19937 random(20261207);
    for (int start = 0; start < 20; ++start) {
        PreviewPane pane;
        harness::Process saver = harness::start(L"/p " + pane.decimal());
        if (start % 4 == 3) {
            waitForTitledOrPlanted(pane);
        } else {
            harness::pumpMessagesFor(std::chrono::milliseconds(std::uniform_int_distribution<int>(0, 400)(random)));
        }
        pane.destroy();
        EXPECT_TRUE(saver.waitForExit(5s).has_value()) << "start " << start << " still runs";
    }
}

TEST(Preview, ASwitchWithoutAHandleReportsTheErrorBeforeAnyWindow) {
    harness::Process saver = harness::start(L"/P");
    const auto text = harness::dismissMessageBox(saver.id());
    ASSERT_TRUE(text.has_value()) << "no error box";
    EXPECT_NE(text->find(L"Type mismatch"), std::wstring::npos);
    const auto exitCode = saver.waitForExit(5s);
    ASSERT_TRUE(exitCode.has_value());
    EXPECT_NE(*exitCode, 0u);
}

TEST(Preview, AHandleThatIsNoWindowEndsAtOnceShowingNothing) {
    harness::Process saver = harness::start(L"/P 123");
    bool showedAWindow = false;
    harness::waitUntil(
        [&] {
            showedAWindow = showedAWindow || !harness::topLevelWindowsOf(saver.id()).empty();
            return !saver.running();
        },
        5s);
    const auto exitCode = saver.waitForExit(0ms);
    ASSERT_TRUE(exitCode.has_value()) << "the screen saver kept running without a pane";
    EXPECT_NE(*exitCode, 0u);
    EXPECT_FALSE(showedAWindow);
}

}  // namespace
