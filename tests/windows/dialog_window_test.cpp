// The Win32 dialog peer in this test's own process: what cannot be seen from
// another process (fonts, colours, the dialog manager's state, settings that
// Wine cannot change from outside, scroll requests the mouse cannot aim at
// exactly) is checked on its windows directly.

#include "host/win32/dialog_window.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "harness.h"
#include "host/form.h"
#include "host/runtime.h"

namespace {

// The settings dialog's shape, with handlers that only count.
class TestDialog : public host::Form {
public:
    TestDialog()
        : host::Form({.name = "frmTest",
                      .caption = "Test dialog",
                      .border = host::BorderStyle::FixedToolWindow,
                      .showInTaskbar = false,
                      .clientSize = {3615, 2880},
                      .font = {}}) {
        add(band);
        add(upperLabel);
        add(upper);
        add(lowerLabel);
        add(lower);
        add(ok);
        add(cancel);
        add(everyMonitor);
        add(drift);
        add(anyInputEnds);
    }

    host::Label band{{0, 0, 3615, 255}, "A band across the top", host::colors::white, 6};
    host::Label upperLabel{{0, 720, 735, 255}, "B gap:", std::nullopt, 2};
    host::HScrollBar upper{{720, 720, 2895, 255}, 1, 20, 1, 3};
    host::Label lowerLabel{{0, 960, 735, 255}, "B speed:", std::nullopt, 0};
    host::HScrollBar lower{{720, 960, 2895, 255}, 100, 600, 100, 1};
    host::CommandButton ok{{0, 1680, 1815, 255}, "Ok", true, false, 5, {}};
    host::CommandButton cancel{{1800, 1680, 1815, 255}, "Cancel", false, true, 4, {}};
    host::CheckBox everyMonitor{{60, 2025, 3555, 255}, "Clock on every monitor", false, 7};
    host::CheckBox drift{{60, 2280, 3555, 255}, "Move the clock slowly (OLED screens)", false, 8};
    host::CheckBox anyInputEnds{{60, 2535, 3555, 255}, "A key or mouse move ends it", true, 9};
};

std::wstring classOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring textOf(HWND window) {
    wchar_t text[128] = {};
    GetWindowTextW(window, text, 128);
    return text;
}

RECT clientRectOf(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return r;
}

// Restores the desktop's message font when it goes.
class MessageFontChange {
public:
    MessageFontChange() {
        original_.cbSize = sizeof original_;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof original_, &original_, 0);
    }
    ~MessageFontChange() { apply(original_); }

    // The message font scaled; every top-level window hears of it.
    void scaleBy(double factor) {
        NONCLIENTMETRICSW larger = original_;
        larger.lfMessageFont.lfHeight = LONG(std::lround(original_.lfMessageFont.lfHeight * factor));
        apply(larger);
    }

private:
    static void apply(NONCLIENTMETRICSW metrics) {
        SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof metrics, &metrics, SPIF_SENDCHANGE);
    }
    NONCLIENTMETRICSW original_{};
};

class DialogWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.Show();
        dialog = HWND(form.hWnd());
    }
    void TearDown() override {
        if (form.isLoaded()) form.Unload();
        // The last form gone posts the quit message; it must not linger.
        MSG message;
        PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }

    std::vector<HWND> children() const {
        std::vector<HWND> found;
        for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) found.push_back(c);
        return found;
    }
    HWND childWithText(const wchar_t* text) const {
        for (HWND c : children()) {
            if (textOf(c) == text) return c;
        }
        return nullptr;
    }
    // The scroll bars, in window order: speed first.
    HWND bar(std::size_t index) const {
        std::vector<HWND> bars;
        for (HWND c : children()) {
            if (_wcsicmp(classOf(c).c_str(), L"ScrollBar") == 0) bars.push_back(c);
        }
        return bars.at(index);
    }
    HWND lowerBar() const { return bar(0); }
    HWND upperBar() const { return bar(1); }
    HWND okButton() const { return childWithText(L"Ok"); }
    HWND cancelButton() const { return childWithText(L"Cancel"); }
    HWND box(int index) const {
        return childWithText(std::array{L"Clock on every monitor", L"Move the clock slowly (OLED screens)",
                                        L"A key or mouse move ends it"}[std::size_t(index)]);
    }

    // A child's rectangle in the dialog's client coordinates.
    RECT placeOf(HWND child) const {
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

    // A pixel of the dialog as it shows now.
    COLORREF pixelAt(HWND window, int x, int y) const {
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        HDC dc = GetDC(window);
        const COLORREF pixel = GetPixel(dc, x, y);
        ReleaseDC(window, dc);
        return pixel;
    }

    void scroll(HWND bar, int request, int thumb = 0) {
        SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(request, thumb), LPARAM(bar));
    }

    TestDialog form;
    HWND dialog = nullptr;
};

// Assistive technology names a scroll bar by the label just before it in
// window order; the band is painted on the dialog, so it is no control to
// announce; a check box is named by its caption. Labels take no focus: Tab
// goes speed, gap, Cancel, Ok, then the check boxes.
TEST_F(DialogWindowTest, EachBarFollowsItsLabelAndTabFollowsTabIndex) {
    std::vector<std::wstring> order;
    for (HWND c : children()) order.push_back(classOf(c) + L" " + textOf(c));
    EXPECT_EQ(order, (std::vector<std::wstring>{L"Static B speed:", L"ScrollBar ", L"Static B gap:", L"ScrollBar ",
                                                L"Button Cancel", L"Button Ok", L"Button Clock on every monitor",
                                                L"Button Move the clock slowly (OLED screens)",
                                                L"Button A key or mouse move ends it"}));
    EXPECT_EQ(textOf(GetWindow(lowerBar(), GW_HWNDPREV)), L"B speed:");
    EXPECT_EQ(textOf(GetWindow(upperBar(), GW_HWNDPREV)), L"B gap:");

    EXPECT_EQ(GetFocus(), lowerBar());
    std::vector<HWND> tabs{GetFocus()};
    for (int i = 0; i < 7; ++i) tabs.push_back(GetNextDlgTabItem(dialog, tabs.back(), FALSE));
    EXPECT_EQ(tabs, (std::vector<HWND>{lowerBar(), upperBar(), cancelButton(), okButton(), box(0), box(1), box(2),
                                       lowerBar()}));
}

// A click reaches the core as a press; the tick is the core's, shown through
// the box, which never turns itself over.
TEST_F(DialogWindowTest, ACheckBoxShowsTheTickTheCoreKeeps) {
    for (int i = 0; i < 3; ++i) EXPECT_EQ(GetWindowLongW(box(i), GWL_STYLE) & BS_TYPEMASK, BS_CHECKBOX);
    EXPECT_EQ(SendMessageW(box(2), BM_GETCHECK, 0, 0), BST_CHECKED) << "the value it was loaded with";
    SendMessageW(box(0), BM_CLICK, 0, 0);
    EXPECT_TRUE(form.everyMonitor.Value);
    EXPECT_EQ(SendMessageW(box(0), BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageW(box(2), BM_CLICK, 0, 0);
    EXPECT_FALSE(form.anyInputEnds.Value);
    EXPECT_EQ(SendMessageW(box(2), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_FALSE(form.drift.Value) << "the other box did not move";
}

TEST_F(DialogWindowTest, TheDefaultButtonIsTheOneEnterPresses) {
    const LRESULT defaultId = SendMessageW(dialog, DM_GETDEFID, 0, 0);
    EXPECT_EQ(HIWORD(defaultId), DC_HASDEFID);
    EXPECT_EQ(LOWORD(defaultId), GetDlgCtrlID(okButton()));
    EXPECT_EQ(GetWindowLongW(okButton(), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(GetWindowLongW(cancelButton(), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
}

// Each request the native scroll bar sends reaches the core as what it asks
// for; the stepping itself is tested natively.
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

// A larger message font, set while the dialog is open, at each DPI: every
// caption fits its control in the control's own font, and the dialog keeps
// its proportions. With the desktop's own font it has its designed size.
TEST_F(DialogWindowTest, TextScaleAndDpiGrowTheDialogSoEveryCaptionFits) {
    struct Case {
        double textScale;
        int dpi;
    };
    MessageFontChange messageFont;
    for (const Case& c : {Case{1, 96}, Case{1.5, 96}, Case{2, 96}, Case{1, 144}, Case{1.5, 144}, Case{2, 144}}) {
        SCOPED_TRACE(testing::Message() << "text x" << c.textScale << " at " << c.dpi << " DPI");
        messageFont.scaleBy(c.textScale);
        RECT suggested{100, 100, 700, 500};
        SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(c.dpi, c.dpi), LPARAM(&suggested));

        // The controls' extent: this process has one frame size whatever
        // DPI the dialog is told it is on, so the client area is checked at
        // the system's DPI only.
        const RECT corner = placeOf(cancelButton());
        const double designRight = 3615.0 * c.dpi / 1440, designBottom = 1935.0 * c.dpi / 1440;
        if (c.textScale == 1) {
            EXPECT_EQ(corner.right, std::lround(designRight));
            EXPECT_EQ(corner.bottom, std::lround(designBottom));
            if (c.dpi == 96) {
                EXPECT_EQ(clientRectOf(dialog).right, 241);   // 3615 twips
                EXPECT_EQ(clientRectOf(dialog).bottom, 192);  // 2880 twips
            }
        } else {
            EXPECT_GT(corner.right, designRight * 1.2);
        }
        EXPECT_NEAR(double(corner.right) / corner.bottom, designRight / designBottom, 0.02) << "its proportions";
        EXPECT_NEAR(double(placeOf(upperBar()).left) / corner.right, 720.0 / 3615, 0.01);
        EXPECT_NEAR(double(placeOf(upperBar()).top) / corner.bottom, 720.0 / 1935, 0.01);

        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        ASSERT_TRUE(SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, c.dpi));
        for (const wchar_t* caption : {L"B gap:", L"B speed:", L"Ok", L"Cancel", L"Clock on every monitor",
                                       L"Move the clock slowly (OLED screens)", L"A key or mouse move ends it"}) {
            SCOPED_TRACE(testing::Message() << std::string(caption, caption + wcslen(caption)));
            HWND control = childWithText(caption);
            ASSERT_NE(control, nullptr);
            const auto font = HFONT(SendMessageW(control, WM_GETFONT, 0, 0));
            ASSERT_NE(font, nullptr) << "a control without a font draws in the bitmap system font";
            LOGFONTW face{};
            GetObjectW(font, sizeof face, &face);
            EXPECT_STREQ(face.lfFaceName, metrics.lfMessageFont.lfFaceName);
            EXPECT_EQ(face.lfHeight, metrics.lfMessageFont.lfHeight);

            HDC dc = GetDC(control);
            HGDIOBJ before = SelectObject(dc, font);
            SIZE text{};
            GetTextExtentPoint32W(dc, caption, int(wcslen(caption)), &text);
            SelectObject(dc, before);
            ReleaseDC(control, dc);
            const RECT room = clientRectOf(control);
            const bool isBox = (GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK) == BS_CHECKBOX;
            EXPECT_LE(text.cx + (isBox ? MulDiv(13, c.dpi, 96) : 0), room.right) << "beside the box";
            EXPECT_LE(text.cy, room.bottom);
        }
        const UINT repaint = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW;
        RedrawWindow(dialog, nullptr, nullptr, repaint);
        harness::pumpMessages();
        RECT frame{};
        GetWindowRect(dialog, &frame);
        const std::wstring name = L"dialog_text_x" + std::to_wstring(int(c.textScale * 10)) + L"_" +
                                  std::to_wstring(c.dpi) + L".bmp";
        harness::captureScreen().crop(frame).saveBmp(name);
    }
}

// High contrast on takes every colour from the system, off gives the design
// back; both while the dialog is open. The focused bar wears a frame.
TEST_F(DialogWindowTest, ColoursFollowHighContrastWhileOpen) {
    const int indexes[] = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_HIGHLIGHT};
    COLORREF original[5];
    for (int i = 0; i < 5; ++i) original[i] = GetSysColor(indexes[i]);
    const COLORREF contrast[] = {RGB(0, 0, 0), RGB(255, 255, 0), RGB(0, 0, 128), RGB(0, 255, 255), RGB(255, 0, 255)};

    HWND speedLabel = childWithText(L"B speed:");
    const auto labelColours = [&](HWND label) {
        HDC dc = GetDC(dialog);
        const auto brush = HBRUSH(SendMessageW(dialog, WM_CTLCOLORSTATIC, WPARAM(dc), LPARAM(label)));
        LOGBRUSH fill{};
        GetObjectW(brush, sizeof fill, &fill);
        const std::vector<COLORREF> colours{GetTextColor(dc), GetBkColor(dc), fill.lbColor};
        ReleaseDC(dialog, dc);
        return colours;
    };
    // Inside the frame's outer ring, which the controls that overlap a bar
    // by a pixel may paint over.
    const int focusX = clientRectOf(lowerBar()).right / 2;

    EXPECT_EQ(pixelAt(dialog, 2, 2), RGB(255, 255, 255)) << "the designed band";
    EXPECT_EQ(labelColours(speedLabel), (std::vector<COLORREF>{original[1], original[2], original[2]}));
    EXPECT_EQ(pixelAt(lowerBar(), focusX, 1), original[4]) << "the focus cue";
    EXPECT_NE(pixelAt(upperBar(), focusX, 1), original[4]);

    host::runtime().highContrast = true;
    SetSysColors(5, indexes, contrast);  // tells every top-level window
    EXPECT_EQ(pixelAt(dialog, 2, 2), contrast[0]) << "the band on the window colour";
    EXPECT_EQ(pixelAt(dialog, 2, clientRectOf(dialog).bottom - 1), contrast[2]) << "the face";
    EXPECT_EQ(labelColours(speedLabel), (std::vector<COLORREF>{contrast[3], contrast[2], contrast[2]}));
    EXPECT_EQ(labelColours(box(0)), labelColours(speedLabel)) << "a check box's text as a label's";
    EXPECT_EQ(pixelAt(lowerBar(), focusX, 1), contrast[4]);
    SendMessageW(dialog, WM_NEXTDLGCTL, 0, FALSE);
    EXPECT_EQ(pixelAt(upperBar(), focusX, 1), contrast[4]) << "the cue moves with the focus";
    EXPECT_NE(pixelAt(lowerBar(), focusX, 1), contrast[4]);
    RECT frame{};
    GetWindowRect(dialog, &frame);
    harness::captureScreen().crop(frame).saveBmp("dialog_high_contrast.bmp");

    host::runtime().highContrast = std::nullopt;
    SendMessageW(dialog, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    EXPECT_EQ(pixelAt(dialog, 2, 2), RGB(255, 255, 255)) << "the designed band again";
    SetSysColors(5, indexes, original);
    EXPECT_EQ(labelColours(speedLabel), (std::vector<COLORREF>{original[1], original[2], original[2]}));
}

}  // namespace
