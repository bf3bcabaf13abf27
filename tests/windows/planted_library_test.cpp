// A library lying beside the screen saver under the name of a system library
// it uses (a Downloads folder holds anything) must never be loaded: its code
// would run as the user whenever the screen saver starts. Wine loads its own
// libraries whatever lies beside a program unless told to prefer those on the
// search path, as Windows does; CMake runs this test with WINEDLLOVERRIDES
// saying so for every planted name.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cwctype>
#include <filesystem>
#include <set>
#include <string>

#include "harness.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// Built beside this test: the planted libraries, and a program that loads
// each by its bare name, as any program does that trusts the search order.
const fs::path plantedFolder = fs::absolute(L"planted");

std::wstring lowerCase(std::wstring text) {
    std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return wchar_t(std::towlower(c)); });
    return text;
}

// The marks the planted libraries left in the folder, one per library loaded.
std::set<std::wstring> marksIn(const fs::path& folder) {
    std::set<std::wstring> marks;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        if (lowerCase(entry.path().extension().wstring()) == L".loaded")
            marks.insert(lowerCase(entry.path().filename().wstring()));
    return marks;
}

std::string listed(const std::set<std::wstring>& names) {
    std::string text;
    for (const std::wstring& name : names) text += fs::path(name).string() + " ";
    return text;
}

// A copy of the screen saver in a folder of its own, with the planted
// libraries and the trusting program beside it.
class PlantedLibraries : public ::testing::Test {
protected:
    void SetUp() override {
        for (const fs::directory_entry& entry : fs::directory_iterator(plantedFolder)) {
            fs::copy_file(entry.path(), folder.path() / entry.path().filename());
            if (lowerCase(entry.path().extension().wstring()) == L".dll")
                expectedMarks.insert(lowerCase(entry.path().filename().wstring()) + L".loaded");
        }
        fs::copy_file(harness::scrPath(), folder.path() / L"Zantrelle.scr");
    }

    harness::TempDir folder;
    std::set<std::wstring> expectedMarks;
};

TEST_F(PlantedLibraries, AreLoadedByAProgramThatTrustsTheSearchOrder) {
    ASSERT_FALSE(expectedMarks.empty()) << "nothing planted in " << plantedFolder.string();
    harness::Process trusting = harness::startAs(folder.path() / L"trusting_loader.exe", L"", folder.path());
    ASSERT_EQ(trusting.waitForExit(10s), DWORD(0));
    EXPECT_EQ(marksIn(folder.path()), expectedMarks)
        << "Wine took its own libraries: this test needs WINEDLLOVERRIDES=<each planted name>=n,b, as CTest sets";
}

// Whether the screen saver shows: its own window, or one planted in the pane.
bool shows(const harness::Process& saver, HWND pane) {
    if (!pane) return !harness::topLevelWindowsOf(saver.id()).empty();
    for (HWND child = GetWindow(pane, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(child, &owner);
        if (owner == saver.id() && IsWindowVisible(child)) return true;
    }
    return false;
}

// Each mode loads its libraries by the time its window runs: the settings
// file's folder, the monitors' DPI, the session's notifications at the first
// tick, the common controls for the dialog.
TEST_F(PlantedLibraries, AreNeverLoadedByTheScreenSaverInAnyMode) {
    struct Run {
        const wchar_t* arguments;
        bool inPane;  // the pane's handle follows the arguments
    };
    for (const Run& run : {Run{L"/S", false}, Run{L"/P ", true}, Run{L"/C", false}}) {
        SCOPED_TRACE(fs::path(run.arguments).string());
        const HWND pane = run.inPane ? CreateWindowExW(0, L"STATIC", L"preview pane", WS_POPUP | WS_VISIBLE, 40, 40,
                                                       152, 112, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr)
                                     : nullptr;
        std::wstring arguments = run.arguments;
        if (pane) arguments += std::to_wstring(reinterpret_cast<std::uintptr_t>(pane));
        harness::Process saver = harness::startAs(folder.path() / L"Zantrelle.scr", arguments, folder.path());
        EXPECT_TRUE(harness::waitUntil([&] { return shows(saver, pane); }, 10s)) << "the screen saver never showed";
        // Nothing happens to wait for: the window has run long enough to
        // have loaded all it loads.
        harness::pumpMessagesFor(2s);
        const std::set<std::wstring> marks = marksIn(folder.path());
        EXPECT_TRUE(marks.empty()) << "loaded from beside the program: " << listed(marks);
        for (const std::wstring& mark : marks) fs::remove(folder.path() / mark);
        saver.kill();
        if (pane) DestroyWindow(pane);
    }
}

}  // namespace
