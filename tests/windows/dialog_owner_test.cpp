// The settings dialog as the desktop's settings page opens it: "/c:<hwnd>"
// names the page's window, which the dialog is owned by and modal to.

#include <gtest/gtest.h>

#include <string>

#include "harness.h"
#include "user_settings.h"

namespace {

using namespace std::chrono_literals;

// A top-level window of this process, standing for the settings page, with
// a child standing for its "Settings..." button.
struct SettingsPage {
    SettingsPage() {
        window = CreateWindowExW(0, L"STATIC", L"Screen Saver Settings", WS_POPUP | WS_VISIBLE, 200, 150, 400, 300,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        button = CreateWindowExW(0, L"BUTTON", L"Settings...", WS_CHILD | WS_VISIBLE, 10, 10, 80, 24, window,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~SettingsPage() { DestroyWindow(window); }
    std::wstring decimal(HWND handle) const { return std::to_wstring(reinterpret_cast<std::uintptr_t>(handle)); }

    HWND window;
    HWND button;
};

class DialogOwnerTest : public ::testing::Test {
protected:
    HWND open(const std::wstring& arguments) {
        process = harness::start(arguments, directory.path());
        HWND dialog = harness::waitForWindow(process.id());
        if (dialog) harness::waitUntil([&] { return GetForegroundWindow() == dialog; }, 5s);
        return dialog;
    }

    bool pageEnabledAgain() {
        return harness::waitUntil([&] { return IsWindowEnabled(page.window) != FALSE; }, 5s);
    }

    harness::TempDir directory;
    harness::UserSettings userSettings;
    SettingsPage page;
    harness::Process process;
};

TEST_F(DialogOwnerTest, ThePageOwnsTheDialogAndWaitsForItUntilEscCancelOrOk) {
    struct WayOut {
        std::wstring arguments;
        std::function<void(HWND dialog)> leave;
    };
    const std::vector<WayOut> ways = {
        {L"/c:" + page.decimal(page.window), [](HWND) { harness::pressKey(VK_ESCAPE); }},
        {L"/C " + page.decimal(page.window),
         [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); }},
        // The page passes the window of its button: the owner is the page.
        {L"/c:" + page.decimal(page.button), [](HWND) { harness::pressKey(VK_RETURN); }},
    };
    for (const WayOut& way : ways) {
        SCOPED_TRACE(std::string(way.arguments.begin(), way.arguments.end()));
        HWND dialog = open(way.arguments);
        ASSERT_NE(dialog, nullptr) << "the dialog never showed";
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), page.window);
        EXPECT_FALSE(IsWindowEnabled(page.window)) << "the page waits while the dialog is open";

        RECT pageRect{}, dialogRect{};
        GetWindowRect(page.window, &pageRect);
        GetWindowRect(dialog, &dialogRect);
        EXPECT_NEAR((dialogRect.left + dialogRect.right) / 2, (pageRect.left + pageRect.right) / 2, 1);
        EXPECT_NEAR((dialogRect.top + dialogRect.bottom) / 2, (pageRect.top + pageRect.bottom) / 2, 1);

        way.leave(dialog);
        EXPECT_EQ(process.waitForExit(10s), std::optional<DWORD>(0));
        EXPECT_TRUE(pageEnabledAgain());
    }
    EXPECT_EQ(harness::readFile(userSettings.file()), "5\r\n150\r\n") << "Enter saved";
}

// A save that fails ends the program with its error box: the page must not
// stay disabled behind it, waiting for a program that is going.
TEST_F(DialogOwnerTest, TheErrorBoxOfAFailedSaveGivesThePageBack) {
    userSettings.write("7\r\n300\r\n");
    SetFileAttributesW(userSettings.file().c_str(), FILE_ATTRIBUTE_READONLY);
    HWND dialog = open(L"/c:" + page.decimal(page.window));
    ASSERT_NE(dialog, nullptr);
    harness::pressKey(VK_RETURN);
    EXPECT_TRUE(pageEnabledAgain()) << "already while the box shows";
    EXPECT_TRUE(harness::dismissMessageBox(process.id()).has_value());
    EXPECT_TRUE(process.waitForExit(10s).has_value());
    EXPECT_TRUE(IsWindowEnabled(page.window));
}

}  // namespace
