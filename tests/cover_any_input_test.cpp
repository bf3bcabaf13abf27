#include <functional>
#include <string>
#include <vector>

#include "tests/cover_test_support.h"

namespace cover_test {
namespace {

using CoverAnyInputTest = CoverTest;

// The pointer rests at (300, 200) when the clock starts. Not chosen, only a
// click ends it; chosen, a key, a button or a move of more than a few pixels
// from where the pointer rested ends it, and neither the report that comes
// as the window appears nor a jitter does.
TEST_F(CoverAnyInputTest, EndsOnDeliberateInputOnlyWhenChosen) {
    struct Case {
        std::string name;
        std::function<void(display::FrmCover&)> input;
        bool endsWhenChosen;
    };
    const std::vector<Case> cases = {
        {"the report as the window appears", [](auto& c) { headless::movePointer(c, 300, 200); }, false},
        {"a key", [](auto& c) { headless::pressKey(c); }, true},
        {"a mouse button", [](auto& c) { headless::pressMouseButton(c); }, true},
        {"a jitter",
         [](auto& c) {
             headless::movePointer(c, 304, 196);
             headless::movePointer(c, 297, 203);
         },
         false},
        {"a slow move past the threshold",
         [](auto& c) {
             for (int x = 301; x <= 305; ++x) headless::movePointer(c, x, 200);
         },
         true},
        {"a move up", [](auto& c) { headless::movePointer(c, 300, 190); }, true},
    };
    for (const bool chosen : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name + (chosen ? ", chosen" : ", not chosen"));
            SetUp();
            if (chosen) headless::plantFile(userSettingsFolder() / "options.ini", "AnyInputEnds=1\r\n");
            display::FrmCover fresh{[] { return true; }};
            headless::movePointer(fresh, 300, 200);
            headless::runMain([&] { fresh.Show(); });
            c.input(fresh);
            const bool ends = chosen && c.endsWhenChosen;
            EXPECT_EQ(fresh.isLoaded(), !ends);
            EXPECT_EQ(headless::outcome().ended, ends);
            if (fresh.isLoaded()) headless::runMain([&] { fresh.Unload(); });
        }
    }
}

}  // namespace
}  // namespace cover_test
