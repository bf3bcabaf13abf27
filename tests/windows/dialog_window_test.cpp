// The Win32 dialog peer in this test's own process: what cannot be seen from
// another process (fonts, the dialog manager's state, scroll requests the
// mouse cannot aim at exactly) is checked on its windows directly.

#include "host/win32/dialog_window.h"

#include <gtest/gtest.h>

#include "host/form.h"

namespace {

// The settings dialog's shape, with handlers that only count.
class TestDialog : public host::Form {
public:
    TestDialog()
        : host::Form({.name = "frmTest",
                      .caption = "Test dialog",
                      .border = host::BorderStyle::FixedToolWindow,
                      .showInTaskbar = false,
                      .clientSize = {3615, 1965},
                      .font = {}}) {
        add(band);
        add(plain);
        add(upper);
        add(lower);
        add(ok);
        add(cancel);
    }

    host::Label band{{0, 0, 3615, 255}, "Band", host::colors::white, 4};
    host::Label plain{{0, 720, 735, 255}, "Plain:", std::nullopt, 5};
    host::HScrollBar upper{{720, 720, 2895, 255}, 1, 20, 1, 1};
    host::HScrollBar lower{{720, 960, 2895, 255}, 100, 600, 100, 0};
    int okClicks = 0;
    int cancelClicks = 0;
    host::CommandButton ok{{0, 1680, 1815, 255}, "Ok", true, false, 3, [this] { ++okClicks; }};
    host::CommandButton cancel{{1800, 1680, 1815, 255}, "Cancel", false, true, 2, [this] { ++cancelClicks; }};
};

class DialogWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.Show();
        dialog = HWND(form.hWnd());
    }
    void TearDown() override {
        form.Unload();
        // The last form gone posts the quit message; it must not linger.
        MSG message;
        PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }

    HWND child(const wchar_t* className, LONG top, LONG left = 0) const {
        for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            wchar_t name[64] = {};
            GetClassNameW(c, name, 64);
            RECT r{};
            GetWindowRect(c, &r);
            MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&r), 2);
            if (_wcsicmp(name, className) == 0 && r.top == top && r.left == left) return c;
        }
        return nullptr;
    }
    HWND upperBar() const { return child(L"ScrollBar", 48, 48); }
    HWND lowerBar() const { return child(L"ScrollBar", 64, 48); }
    HWND okButton() const { return child(L"Button", 112, 0); }
    HWND cancelButton() const { return child(L"Button", 112, 120); }

    void scroll(HWND bar, int request, int thumb = 0) {
        SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(request, thumb), LPARAM(bar));
    }

    TestDialog form;
    HWND dialog = nullptr;
};

TEST_F(DialogWindowTest, TextsUseTheMessageFontNotTheSystemFont) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    // Scroll bars show no text and keep no font.
    for (HWND control : {child(L"Static", 0), child(L"Static", 48), okButton(), cancelButton()}) {
        const auto font = HFONT(SendMessageW(control, WM_GETFONT, 0, 0));
        ASSERT_NE(font, nullptr) << "a control without a font draws in the bitmap system font";
        LOGFONTW face{};
        ASSERT_TRUE(GetObjectW(font, sizeof face, &face));
        EXPECT_STREQ(face.lfFaceName, metrics.lfMessageFont.lfFaceName);
        EXPECT_EQ(face.lfHeight, metrics.lfMessageFont.lfHeight);
    }
}

TEST_F(DialogWindowTest, FocusStartsOnTheLowestTabIndexAndTabFollowsTabIndex) {
    EXPECT_EQ(GetFocus(), lowerBar());
    HWND next = GetNextDlgTabItem(dialog, lowerBar(), FALSE);
    EXPECT_EQ(next, upperBar());
    next = GetNextDlgTabItem(dialog, next, FALSE);
    EXPECT_EQ(next, cancelButton());
    next = GetNextDlgTabItem(dialog, next, FALSE);
    EXPECT_EQ(next, okButton());
    EXPECT_EQ(GetNextDlgTabItem(dialog, next, FALSE), lowerBar());
}

TEST_F(DialogWindowTest, TheDefaultButtonIsTheOneEnterPresses) {
    const LRESULT defaultId = SendMessageW(dialog, DM_GETDEFID, 0, 0);
    EXPECT_EQ(HIWORD(defaultId), DC_HASDEFID);
    EXPECT_EQ(LOWORD(defaultId), GetDlgCtrlID(okButton()));
    EXPECT_EQ(GetWindowLongW(okButton(), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(GetWindowLongW(cancelButton(), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
}

TEST_F(DialogWindowTest, ScrollRequestsStepBySmallAndLargeChangeWithinTheRange) {
    form.lower.LargeChange = 50;
    scroll(lowerBar(), SB_LINERIGHT);
    EXPECT_EQ(form.lower.Value(), 101);
    scroll(lowerBar(), SB_PAGERIGHT);
    EXPECT_EQ(form.lower.Value(), 151);
    scroll(lowerBar(), SB_PAGELEFT);
    scroll(lowerBar(), SB_LINELEFT);
    EXPECT_EQ(form.lower.Value(), 100);
    scroll(lowerBar(), SB_LINELEFT);
    EXPECT_EQ(form.lower.Value(), 100) << "stays at Min";
    scroll(lowerBar(), SB_THUMBTRACK, 437);
    EXPECT_EQ(form.lower.Value(), 437);
    scroll(lowerBar(), SB_RIGHT);
    scroll(lowerBar(), SB_PAGERIGHT);
    EXPECT_EQ(form.lower.Value(), 600) << "stays at Max";
    EXPECT_EQ(GetScrollPos(lowerBar(), SB_CTL), 600);
    EXPECT_EQ(form.upper.Value(), 1) << "the other bar did not move";
}

TEST_F(DialogWindowTest, ValuesSetByCodeMoveTheThumb) {
    int low = 0, high = 0;
    GetScrollRange(upperBar(), SB_CTL, &low, &high);
    EXPECT_EQ(low, 1);
    EXPECT_EQ(high, 20);
    form.upper.setValue(13);
    EXPECT_EQ(GetScrollPos(upperBar(), SB_CTL), 13);
}

TEST_F(DialogWindowTest, ButtonsEscAndTheCloseBoxRunWhatTheyStandFor) {
    SendMessageW(okButton(), BM_CLICK, 0, 0);
    EXPECT_EQ(form.okClicks, 1);
    SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);  // what the dialog manager sends for Esc
    EXPECT_EQ(form.cancelClicks, 1);

    SendMessageW(dialog, WM_CLOSE, 0, 0);
    EXPECT_FALSE(form.isLoaded());
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(form.okClicks + form.cancelClicks, 2) << "the close box presses no button";
    EXPECT_EQ(form.upper.peer, nullptr) << "the bar outlives its window";
}

TEST_F(DialogWindowTest, TheBandHasItsOwnBackColourAndOtherLabelsTheDialogs) {
    HDC dc = GetDC(dialog);
    SendMessageW(dialog, WM_CTLCOLORSTATIC, WPARAM(dc), LPARAM(child(L"Static", 0)));
    EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
    const auto brush = HBRUSH(SendMessageW(dialog, WM_CTLCOLORSTATIC, WPARAM(dc), LPARAM(child(L"Static", 48))));
    EXPECT_NE(GetBkColor(dc), RGB(255, 255, 255));
    LOGBRUSH fill{};
    GetObjectW(brush, sizeof fill, &fill);
    EXPECT_EQ(fill.lbColor, GetBkColor(dc));
    ReleaseDC(dialog, dc);
}

TEST_F(DialogWindowTest, MovingToAMonitorOfAnotherDpiScalesControlsAndFont) {
    HWND button = cancelButton();
    RECT suggested{100, 100, 700, 500};
    SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(192, 192), LPARAM(&suggested));

    RECT cancel{};
    GetWindowRect(button, &cancel);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&cancel), 2);
    EXPECT_EQ(cancel.left, 240);
    EXPECT_EQ(cancel.top, 224);
    EXPECT_EQ(cancel.right, 482);
    EXPECT_EQ(cancel.bottom, 258);

    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, 192));
    LOGFONTW face{};
    GetObjectW(HFONT(SendMessageW(button, WM_GETFONT, 0, 0)), sizeof face, &face);
    EXPECT_EQ(face.lfHeight, metrics.lfMessageFont.lfHeight);
}

}  // namespace
