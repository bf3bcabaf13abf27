// The settings dialog ("/C") driven from outside with real keyboard and
// mouse input, checked by what it leaves in the user's "settings.ini".

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "harness.h"
#include "user_settings.h"

namespace {

using namespace std::chrono_literals;

const std::string defaultBytes = "5\r\n150\r\n";
const std::string storedBytes = "7\r\n300\r\n";

// A running dialog in a directory of its own, with its controls found by
// class and sorted top to bottom, left to right.
class DialogTest : public ::testing::Test {
protected:
    void open() {
        process = harness::start(L"/C", directory.path());
        dialog = harness::waitForWindow(process.id());
        ASSERT_NE(dialog, nullptr) << "the dialog never showed";
        // The dialog takes the keyboard as it opens; input sent before that
        // would go elsewhere.
        ASSERT_TRUE(harness::waitUntil([&] { return GetForegroundWindow() == dialog; }, 5s));
    }

    std::vector<HWND> children(const wchar_t* className) const {
        std::vector<HWND> found;
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t name[64] = {};
            GetClassNameW(child, name, 64);
            if (_wcsicmp(name, className) == 0) found.push_back(child);
        }
        std::sort(found.begin(), found.end(), [&](HWND a, HWND b) {
            const RECT ra = clientRect(a), rb = clientRect(b);
            return ra.top != rb.top ? ra.top < rb.top : ra.left < rb.left;
        });
        return found;
    }

    // A child's rectangle in the dialog's client coordinates.
    RECT clientRect(HWND child) const {
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

    HWND gapBar() const { return children(L"ScrollBar").at(0); }
    HWND speedBar() const { return children(L"ScrollBar").at(1); }
    // The buttons, then the check boxes below them.
    HWND okButton() const { return children(L"Button").at(0); }
    HWND cancelButton() const { return children(L"Button").at(1); }

    void clickInside(HWND control, int x, int y) {
        POINT at{x, y};
        ClientToScreen(control, &at);
        harness::clickAt(at.x, at.y);
    }
    void clickCentre(HWND control) {
        RECT r{};
        GetClientRect(control, &r);
        clickInside(control, r.right / 2, r.bottom / 2);
    }

    // Keys go through the dialog's queue in order; waiting for the position
    // keeps a check from overtaking them.
    bool barReaches(HWND bar, int position) {
        return harness::waitUntil([&] { return GetScrollPos(bar, SB_CTL) == position; }, 5s);
    }

    void expectExitCode(DWORD expected) {
        const std::optional<DWORD> code = process.waitForExit(10s);
        ASSERT_TRUE(code.has_value()) << "the dialog did not end";
        EXPECT_EQ(*code, expected);
    }

    std::filesystem::path settingsFile() const { return userSettings.file(); }

    harness::TempDir directory;
    harness::UserSettings userSettings;
    harness::Process process;
    HWND dialog = nullptr;
};

TEST_F(DialogTest, EnterWithoutAFileWritesTheDefaultsIntoTheUsersFolderOnly) {
    open();
    harness::pressKey(VK_RETURN);
    expectExitCode(0);
    EXPECT_EQ(harness::readFile(settingsFile()), defaultBytes);
    EXPECT_TRUE(std::filesystem::is_empty(directory.path())) << "nothing in the current directory";
}

TEST_F(DialogTest, AFileInTheCurrentDirectoryIsReadUntilTheFirstSave) {
    harness::writeFile(directory.path() / "settings.ini", storedBytes);
    open();
    EXPECT_EQ(GetScrollPos(gapBar(), SB_CTL), 7);
    harness::pressKey(VK_RETURN);
    expectExitCode(0);
    EXPECT_EQ(harness::readFile(settingsFile()), storedBytes);
    EXPECT_EQ(harness::readFile(directory.path() / "settings.ini"), storedBytes);
}

TEST_F(DialogTest, ArrowKeysMoveTheFocusedBarByOneAndTabMovesToTheGapBar) {
    open();
    harness::pressKey(VK_RIGHT);
    harness::pressKey(VK_RIGHT);
    harness::pressKey(VK_TAB);
    harness::pressKey(VK_RIGHT);
    harness::pressKey(VK_RETURN);
    expectExitCode(0);
    EXPECT_EQ(harness::readFile(settingsFile()), "6\r\n152\r\n");
}

TEST_F(DialogTest, PageKeysTroughAndArrowClicksStepByOneAndTheLoadedValuesShow) {
    userSettings.write(storedBytes);
    open();
    EXPECT_EQ(GetScrollPos(gapBar(), SB_CTL), 7);
    EXPECT_EQ(GetScrollPos(speedBar(), SB_CTL), 300);

    harness::pressKey(VK_NEXT);
    harness::pressKey(VK_NEXT);
    harness::pressKey(VK_PRIOR);
    harness::pressKey(VK_LEFT);
    EXPECT_TRUE(barReaches(speedBar(), 300));

    // Right of the thumb in the trough, then on the right arrow.
    RECT bar{};
    GetClientRect(gapBar(), &bar);
    clickInside(gapBar(), bar.right * 3 / 4, bar.bottom / 2);
    EXPECT_TRUE(barReaches(gapBar(), 8));
    clickInside(gapBar(), bar.right - 3, bar.bottom / 2);
    EXPECT_TRUE(barReaches(gapBar(), 9));

    clickCentre(okButton());
    expectExitCode(0);
    EXPECT_EQ(harness::readFile(settingsFile()), "9\r\n300\r\n");
}

// Each way out that is not "Ok", after a thumb moved: each comes through
// another route of the system's (IDCANCEL, a click, the system menu's
// close, Enter on a focused button).
enum class WayOut { Escape, CancelButton, CloseBox, EnterOnCancel };

class LeavingWithoutOk : public DialogTest, public ::testing::WithParamInterface<WayOut> {
protected:
    void leave() {
        const int before = GetScrollPos(speedBar(), SB_CTL);
        harness::pressKey(VK_RIGHT);
        ASSERT_TRUE(barReaches(speedBar(), before + 1));
        switch (GetParam()) {
            case WayOut::Escape: harness::pressKey(VK_ESCAPE); break;
            case WayOut::CancelButton: clickCentre(cancelButton()); break;
            case WayOut::CloseBox: PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); break;
            case WayOut::EnterOnCancel:
                harness::pressKey(VK_TAB);
                harness::pressKey(VK_TAB);
                harness::pressKey(VK_RETURN);
                break;
        }
        expectExitCode(0);
    }
};

TEST_P(LeavingWithoutOk, LeavesTheFileUntouched) {
    userSettings.write(storedBytes);
    open();
    leave();
    EXPECT_EQ(harness::readFile(settingsFile()), storedBytes);
}

INSTANTIATE_TEST_SUITE_P(Dialog, LeavingWithoutOk,
                         ::testing::Values(WayOut::Escape, WayOut::CancelButton, WayOut::CloseBox,
                                           WayOut::EnterOnCancel));

TEST_F(DialogTest, AReadOnlyFileIsReportedAndKeepsItsBytes) {
    userSettings.write(storedBytes);
    SetFileAttributesW(settingsFile().c_str(), FILE_ATTRIBUTE_READONLY);
    open();
    harness::pressKey(VK_RIGHT);
    harness::pressKey(VK_RETURN);

    const std::optional<std::wstring> error = harness::dismissMessageBox(process.id());
    ASSERT_TRUE(error.has_value()) << "no error box";
    EXPECT_NE(error->find(L"settings.ini"), std::wstring::npos) << std::string(error->begin(), error->end());
    const std::optional<DWORD> code = process.waitForExit(10s);
    ASSERT_TRUE(code.has_value());
    EXPECT_NE(*code, 0u);
    EXPECT_EQ(harness::readFile(settingsFile()), storedBytes);
}

// Another program holds the file open and shares nothing: the save cannot
// replace it, says so, and the bytes stay.
TEST_F(DialogTest, AFileHeldOpenByAnotherProgramIsReportedAndKeepsItsBytes) {
    userSettings.write(storedBytes);
    HANDLE held = CreateFileW(settingsFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    open();
    harness::pressKey(VK_RIGHT);
    harness::pressKey(VK_RETURN);

    const std::optional<std::wstring> error = harness::dismissMessageBox(process.id());
    CloseHandle(held);
    ASSERT_TRUE(error.has_value()) << "no error box";
    EXPECT_NE(error->find(L"settings.ini"), std::wstring::npos) << std::string(error->begin(), error->end());
    EXPECT_TRUE(process.waitForExit(10s).has_value());
    EXPECT_EQ(harness::readFile(settingsFile()), storedBytes);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(userSettings.folder()), {}), 1)
        << "no temporary file left behind";
}

// A save writes only into a file it made itself. A link planted under the
// name earlier versions wrote through stays as it is, and so does the file it
// leads to; what a cut-off save left under a name of the program's own is
// taken away.
TEST_F(DialogTest, ASaveFollowsNoLinkAndTakesAwayWhatACutOffSaveLeft) {
    enum class Plant { SymbolicLink, File };
    struct Case {
        const char* description;
        const char* name;
        Plant plant;
        bool stays;
    };
    const std::vector<Case> cases = {
        {"a symbolic link under the old name", "settings.ini.tmp", Plant::SymbolicLink, true},
        {"a cut-off save's file", "settings.ini.1.tmp", Plant::File, false},
    };
    const std::string precious = "not the settings\r\n";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        std::filesystem::create_directories(userSettings.folder());
        const std::filesystem::path planted = userSettings.folder() / c.name;
        const std::filesystem::path elsewhere = directory.path() / "another file";
        harness::writeFile(elsewhere, precious);
        switch (c.plant) {
            case Plant::SymbolicLink: harness::plantSymbolicLink(planted, elsewhere); break;
            case Plant::File: harness::writeFile(planted, precious); break;
        }

        open();
        harness::pressKey(VK_RETURN);
        expectExitCode(0);
        EXPECT_EQ(harness::readFile(settingsFile()), defaultBytes);
        EXPECT_EQ(harness::readFile(elsewhere), precious);
        EXPECT_EQ(std::filesystem::exists(planted), c.stays);
        if (c.stays) {
            EXPECT_EQ(harness::readFile(planted), precious);
        }
        for (const std::filesystem::path& made : {settingsFile(), planted, elsewhere}) std::filesystem::remove(made);
    }
}

// The check boxes as a screen reader finds them, each a check box named by
// its caption; Tab reaches them after Ok, Space ticks one and Enter on one
// saves as Ok does.
TEST_F(DialogTest, TabSpaceAndEnterOnTheCheckBoxesSaveTheOptions) {
    open();
    const std::vector<HWND> buttons = children(L"Button");
    ASSERT_EQ(buttons.size(), 5u);
    const std::vector<std::wstring> captions{L"Clock on every monitor", L"Move the clock slowly (OLED screens)",
                                             L"A key or mouse move ends it"};
    for (std::size_t i = 0; i < captions.size(); ++i) {
        HWND box = buttons[2 + i];
        wchar_t text[64] = {};
        GetWindowTextW(box, text, 64);
        EXPECT_EQ(text, captions[i]);
        EXPECT_EQ(GetWindowLongW(box, GWL_STYLE) & BS_TYPEMASK, BS_CHECKBOX);
    }

    for (int i = 0; i < 4; ++i) harness::pressKey(VK_TAB);
    harness::pressKey(VK_SPACE);
    harness::pressKey(VK_TAB);
    harness::pressKey(VK_TAB);
    harness::pressKey(VK_SPACE);
    EXPECT_TRUE(harness::waitUntil([&] { return SendMessageW(buttons[4], BM_GETCHECK, 0, 0) == BST_CHECKED; }, 5s));
    EXPECT_EQ(SendMessageW(buttons[2], BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(buttons[3], BM_GETCHECK, 0, 0), BST_UNCHECKED);
    harness::pressKey(VK_RETURN);
    expectExitCode(0);
    EXPECT_EQ(harness::readFile(settingsFile()), defaultBytes);
    EXPECT_EQ(harness::readFile(userSettings.folder() / "options.ini"),
              "EveryMonitor=1\r\nDrift=0\r\nAnyInputEnds=1\r\n");
}

TEST_F(DialogTest, IsAFixedToolWindowOfTheDesignedSize) {
    open();
    ASSERT_EQ(GetDpiForWindow(dialog), 96u) << "the sizes below hold at 96 DPI";
    RECT client{};
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, 241);   // 3615 twips
    EXPECT_EQ(client.bottom, 192);  // 2880 twips

    const LONG style = GetWindowLongW(dialog, GWL_STYLE);
    EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU);
    EXPECT_TRUE(GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    wchar_t caption[64] = {};
    GetWindowTextW(dialog, caption, 64);
    EXPECT_STREQ(caption, L"Settings...");
    harness::pressKey(VK_ESCAPE);
    expectExitCode(0);
}

}  // namespace
