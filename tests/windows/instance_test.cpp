// Instances of the screen saver started side by side, as the desktop may
// start them: only one full-screen window may ever show.

#include <gtest/gtest.h>

#include <vector>

#include "harness.h"

namespace {

using namespace std::chrono_literals;

std::vector<HWND> visibleWindowsTitled(const std::wstring& title) {
    struct Search {
        std::wstring title;
        std::vector<HWND> found;
    } search{title, {}};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto* s = reinterpret_cast<Search*>(context);
            if (IsWindowVisible(window) && harness::titleOf(window) == s->title) s->found.push_back(window);
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

// Ten full-screen starts at the same moment, as a host that starts the
// screen saver twice might: each looks for the mark and marks its own window
// in turn, so one stays and nine end without showing anything.
TEST(Instances, OfTenStartedTogetherExactlyOneStays) {
    std::vector<harness::Process> savers;
    for (int i = 0; i < 10; ++i) savers.push_back(harness::start(L"/S"));
    int ended = 0;
    harness::waitUntil(
        [&] {
            ended = 0;
            for (const harness::Process& saver : savers) ended += saver.running() ? 0 : 1;
            return ended == 9;
        },
        30s);
    EXPECT_EQ(ended, 9);
    const std::vector<HWND> covers = visibleWindowsTitled(L"Zantrelle");
    EXPECT_EQ(covers.size(), 1u);
    for (harness::Process& saver : savers) {
        if (!saver.running()) {
            EXPECT_EQ(saver.waitForExit(1s), std::optional<DWORD>(0));
        }
    }
}

TEST(Instances, AFullScreenStartWhileTheDialogIsOpenRuns) {
    harness::Process dialog = harness::start(L"/C");
    ASSERT_NE(harness::waitForWindow(dialog.id()), nullptr);
    harness::Process saver = harness::start(L"/S");
    const HWND cover = harness::waitForWindow(saver.id());
    ASSERT_NE(cover, nullptr) << "the open dialog kept the screen saver from showing";
    EXPECT_EQ(harness::titleOf(cover), L"Zantrelle");
    EXPECT_TRUE(dialog.running());
}

}  // namespace
