// Instances of the screen saver started side by side, as the desktop may
// start them: only one full-screen window may ever show.

#include <gtest/gtest.h>

#include <vector>

#include "harness.h"

namespace {

using namespace std::chrono_literals;

std::wstring titleOf(HWND window) {
    wchar_t title[256] = {};
    GetWindowTextW(window, title, 256);
    return title;
}

std::vector<HWND> visibleWindowsTitled(const std::wstring& title) {
    struct Search {
        std::wstring title;
        std::vector<HWND> found;
    } search{title, {}};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto* s = reinterpret_cast<Search*>(context);
            if (IsWindowVisible(window) && titleOf(window) == s->title) s->found.push_back(window);
            return TRUE;
        },
        LPARAM(&search));
    return search.found;
}

TEST(Instances, OnlyTheFirstOfThreeFullScreenInstancesStays) {
    harness::Process first = harness::start(L"/S");
    HWND window = harness::waitForWindow(first.id());
    ASSERT_NE(window, nullptr);
    harness::Process second = harness::start(L"/S");
    EXPECT_EQ(second.waitForExit(10s), std::optional<DWORD>(0));
    harness::Process third = harness::start(L"/s");
    EXPECT_EQ(third.waitForExit(10s), std::optional<DWORD>(0));

    EXPECT_TRUE(first.running());
    EXPECT_EQ(visibleWindowsTitled(L"Zantrelle"), std::vector<HWND>{window});
}

// The system starts the screen saver by its short 8.3 path at idle time and
// by its long path from the settings page: both are the same program.
TEST(Instances, TheShortPathIsTheSameProgramAsTheLongOne) {
    wchar_t shortPath[MAX_PATH] = {};
    ASSERT_NE(GetShortPathNameW(harness::scrPath().c_str(), shortPath, MAX_PATH), 0u);
    ASSERT_NE(std::filesystem::path(shortPath), harness::scrPath()) << "no short name to try";

    harness::Process first = harness::start(L"/S");
    HWND window = harness::waitForWindow(first.id());
    ASSERT_NE(window, nullptr);
    harness::Process second = harness::startAs(shortPath, L"/S");
    EXPECT_EQ(second.waitForExit(10s), std::optional<DWORD>(0));
    EXPECT_EQ(visibleWindowsTitled(L"Zantrelle"), std::vector<HWND>{window});
}

}  // namespace
