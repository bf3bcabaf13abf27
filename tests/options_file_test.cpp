#include <optional>
#include <string>
#include <vector>

#include "settings/options_file.h"
#include "tests/settings_test_support.h"

namespace settings_test {
namespace {

class OptionsFileTest : public SettingsDirectoryTest {};

// Each planted file is read, then saved unchanged: the choices read and the
// bytes saved show what the reader understood and what it kept.
TEST_F(OptionsFileTest, ReadsEachChoiceAndSavesWhatItDoesNotKnow) {
    struct Case {
        std::optional<std::string> bytes;
        settings::Options read;
        std::string saved;
    };
    const std::string allOff = "EveryMonitor=0\r\nDrift=0\r\nAnyInputEnds=0\r\n";
    const std::vector<Case> cases = {
        {std::nullopt, {}, allOff},
        {"", {}, allOff},
        {"EveryMonitor=1\r\nDrift=1\r\nAnyInputEnds=1\r\n", {true, true, true}, "EveryMonitor=1\r\nDrift=1\r\nAnyInputEnds=1\r\n"},
        {"Drift=1\n", {false, true, false}, "EveryMonitor=0\r\nDrift=1\r\nAnyInputEnds=0\r\n"},
        {"AnyInputEnds=1", {false, false, true}, "EveryMonitor=0\r\nDrift=0\r\nAnyInputEnds=1\r\n"},
        {"EveryMonitor=yes\r\nDrift=1 \r\nAnyInputEnds= 1\r\n", {}, allOff},
        {"EveryMonitor=2\r\ndrift=1\r\n", {}, allOff + "drift=1\r\n"},
        {"Later=1\r\n\r\n; a note\r\nEveryMonitor=1\r\n", {true, false, false},
         "EveryMonitor=1\r\nDrift=0\r\nAnyInputEnds=0\r\nLater=1\r\n; a note\r\n"},
        {"Drift=1\r\nDrift=0\r\n", {}, allOff},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.bytes));
        host::startFreshProgram();
        if (c.bytes) headless::plantFile(optionsFile(), *c.bytes);
        const settings::Options read = settings::ReadOptions();
        EXPECT_EQ(read.everyMonitor, c.read.everyMonitor);
        EXPECT_EQ(read.drift, c.read.drift);
        EXPECT_EQ(read.anyInputEnds, c.read.anyInputEnds);
        settings::WriteOptions(read);
        EXPECT_EQ(headless::fileBytes(optionsFile()), c.saved);
        EXPECT_FALSE(settingsExist());
        EXPECT_EQ(directoryListing(), std::vector<std::string>{"options.ini"});
    }
}

}  // namespace
}  // namespace settings_test
