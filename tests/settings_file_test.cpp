#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/error.h"
#include "host/sequential_file.h"
#include "host/variant.h"
#include "settings/settings_file.h"
#include "tests/settings_test_support.h"

namespace settings_test {
namespace {

using host::Variant;

struct ReadBack {
    Variant first;
    Variant second;
};

ReadBack readFresh() {
    ReadBack slots;
    settings::ReadSettings(slots.first, slots.second);
    return slots;
}

using ReadSettingsTest = SettingsDirectoryTest;

TEST_F(ReadSettingsTest, NoFileGivesTheDefaultsAndCreatesNothing) {
    const ReadBack slots = readFresh();
    EXPECT_EQ(slots.first, Variant(std::int16_t(5)));
    EXPECT_EQ(slots.second, Variant(std::int16_t(150)));
    EXPECT_FALSE(settingsExist());
}

TEST_F(ReadSettingsTest, MissingFieldsLeaveTheirSlotsAndEmptyOnesTakeTheDefaults) {
    struct Case {
        std::string bytes;
        Variant first, second;
    };
    const std::vector<Case> cases = {
        {"", std::int16_t(5), std::int16_t(150)},
        {"12\r\n", 12.0, std::int16_t(150)},
        {"\r\n300\r\n", std::int16_t(5), 300.0},
        {"7,300\r\n", 7.0, 300.0},
        {"0\r\n0\r\n", 0.0, 0.0},
        {"  9  ,  250  \r\n", 9.0, 250.0},
        {"7.5\r\n250.5\r\n", 7.5, 250.5},
        {"-3\r\n+40\r\n", -3.0, 40.0},
        {",300", std::int16_t(5), 300.0},
        {"7,,300", 7.0, std::int16_t(150)},
        {"4\r\n5\r\nignored,also ignored\r\n", 4.0, 5.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.bytes));
        plantSettings(c.bytes);
        const ReadBack slots = readFresh();
        EXPECT_EQ(slots.first, c.first);
        EXPECT_EQ(slots.second, c.second);
    }
}

TEST_F(ReadSettingsTest, EveryLineEndSeparatesFields) {
    for (const char* bytes : {"8\r\n200\r\n", "8\r200\r", "8\n200\n", "8\r\n200", "8\n\r200"}) {
        SCOPED_TRACE(testing::PrintToString(std::string(bytes)));
        plantSettings(bytes);
        const ReadBack slots = readFresh();
        EXPECT_EQ(slots.first, Variant(8.0));
        // "\n\r" is two line ends, so its second field is the blank line between them.
        EXPECT_EQ(slots.second, std::string(bytes) == "8\n\r200" ? Variant(std::int16_t(150)) : Variant(200.0));
    }
}

TEST_F(ReadSettingsTest, FieldsThatAreNoNumberReadAsTheirText) {
    plantSettings("fast\r\n\"slow, but steady\"\r\n");
    ReadBack slots = readFresh();
    EXPECT_EQ(slots.first, Variant("fast"));
    EXPECT_EQ(slots.second, Variant("slow, but steady"));

    // Quotes around nothing are still a field that is there, not a missing value.
    plantSettings("\"\"\r\n\"  \"\r\n");
    slots = readFresh();
    EXPECT_EQ(slots.first, Variant("\"\""));
    EXPECT_EQ(slots.second, Variant("  "));

    plantSettings("1e3x\r\n--5\r\n");
    slots = readFresh();
    EXPECT_EQ(slots.first, Variant("1e3x"));
    EXPECT_EQ(slots.second, Variant("--5"));
}

TEST_F(ReadSettingsTest, ASlotKeepsItsValueWhenTheFileHasNoFieldForIt) {
    Variant first(std::int16_t(42));
    Variant second;
    settings::ReadSettings(first, second);
    EXPECT_EQ(first, Variant(std::int16_t(42)));
    EXPECT_EQ(second, Variant(std::int16_t(150)));

    plantSettings("9\r\n");
    settings::ReadSettings(first, second);
    EXPECT_EQ(first, Variant(9.0));
    EXPECT_EQ(second, Variant(std::int16_t(150)));
}

TEST_F(ReadSettingsTest, AHugeFileIsReadOnlyAsFarAsItsFirstFields) {
    std::string bytes = "6\r\n210\r\n";
    bytes.append(8 * 1024 * 1024, '\xff');
    plantSettings(bytes);
    const ReadBack slots = readFresh();
    EXPECT_EQ(slots.first, Variant(6.0));
    EXPECT_EQ(slots.second, Variant(210.0));
}

TEST_F(ReadSettingsTest, AFieldCutByTheReadLimitIsNotReadAsItsBeginning) {
    // A number that runs past the limit must not read as its first digits.
    plantSettings("3\r\n" + std::string(host::InputFile::readableBytes, '1'));
    const ReadBack slots = readFresh();
    EXPECT_EQ(slots.first, Variant(3.0));
    EXPECT_EQ(slots.second, Variant(std::int16_t(150)));
}

// A file that is there but cannot be read raises the runtime's error for
// what stopped it, and the settings take their defaults: the user's own file
// is still the one chosen, not one in the current directory.
TEST_F(ReadSettingsTest, AFileThatCannotBeReadGivesTheDefaults) {
    struct Case {
        const char* name;
        std::optional<host::backend::FileProblem> refusal;  // nothing: a read fails instead
        host::ErrorNumber number;
    };
    const std::vector<Case> cases = {
        {"refused to this user", host::backend::FileProblem::AccessDenied, host::ErrorNumber::PathFileAccessError},
        {"held by another program", host::backend::FileProblem::InUse, host::ErrorNumber::PermissionDenied},
        {"a device lost while reading", std::nullopt, host::ErrorNumber::PathFileAccessError},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host::startFreshProgram();
        plantInCurrentDirectory("3\r\n300\r\n");
        plantSettings("9\r\n300\r\n");
        const auto makeUnreadable = [&] {
            if (c.refusal) {
                headless::refuseAccess(userFile(), *c.refusal);
            } else {
                headless::failFileStep(headless::FileStep::Read);
            }
        };
        makeUnreadable();
        try {
            host::InputFile file(userFile());
            ADD_FAILURE() << "the file should not have been read";
        } catch (const host::RuntimeError& error) {
            EXPECT_EQ(error.number(), c.number);
        }
        makeUnreadable();
        const ReadBack slots = readFresh();
        EXPECT_EQ(slots.first, Variant(std::int16_t(5)));
        EXPECT_EQ(slots.second, Variant(std::int16_t(150)));
    }
}

TEST_F(ReadSettingsTest, ADirectoryNamedLikeTheFileCountsAsNoFile) {
    headless::plantFolder("settings.ini");
    const ReadBack slots = readFresh();
    EXPECT_EQ(slots.first, Variant(std::int16_t(5)));
    EXPECT_EQ(slots.second, Variant(std::int16_t(150)));
}

using SettingsLocationTest = SettingsDirectoryTest;

TEST_F(SettingsLocationTest, TheUsersOwnFileWinsOverOneInTheCurrentDirectory) {
    plantInCurrentDirectory("3\r\n300\r\n");
    ReadBack slots = readFresh();
    EXPECT_EQ(slots.first, Variant(3.0)) << "a file kept in the current directory is read while the user has none";
    EXPECT_EQ(slots.second, Variant(300.0));

    plantSettings("12\r\n");
    slots = readFresh();
    EXPECT_EQ(slots.first, Variant(12.0));
    EXPECT_EQ(slots.second, Variant(std::int16_t(150))) << "the current directory's file is not mixed in";
}

TEST_F(SettingsLocationTest, SavingCreatesTheUsersFolderAndNeverWritesTheCurrentDirectory) {
    plantInCurrentDirectory("3\r\n300\r\n");
    settings::WriteSettings(7, 200);
    EXPECT_EQ(settingsBytes(), "7\r\n200\r\n");
    EXPECT_EQ(directoryListing(), std::vector<std::string>{"settings.ini"});
    EXPECT_EQ(directoryListing("."), std::vector<std::string>{"settings.ini"});
    EXPECT_EQ(headless::fileBytes("settings.ini"), "3\r\n300\r\n");

    const ReadBack slots = readFresh();
    EXPECT_EQ(slots.first, Variant(7.0));
    EXPECT_EQ(slots.second, Variant(200.0));
}

// The error a save that must fail raises; a test failure when it does not.
host::RuntimeError failedWrite() {
    try {
        settings::WriteSettings(5, 150);
    } catch (const host::RuntimeError& error) {
        return error;
    }
    ADD_FAILURE() << "the write should have failed";
    return host::RuntimeError(host::ErrorNumber::Overflow, "no failure");
}

TEST_F(SettingsLocationTest, AFolderThatCannotBeMadeIsAClearError) {
    headless::plantFile(userFolder(), "a file where the folder belongs");
    const host::RuntimeError error = failedWrite();
    EXPECT_EQ(error.number(), host::ErrorNumber::PathFileAccessError);
    EXPECT_NE(error.description().find("zantrelle"), std::string::npos) << error.description();
    EXPECT_FALSE(headless::fileBytes("settings.ini"));
}

TEST_F(SettingsLocationTest, ASystemThatNamesNoSettingsFolderReadsTheCurrentDirectoryAndRefusesToSave) {
    headless::setUserSettingsFolder({});
    plantInCurrentDirectory("4\r\n");
    EXPECT_EQ(readFresh().first, Variant(4.0));
    EXPECT_THROW(settings::WriteSettings(5, 150), host::RuntimeError);
    EXPECT_EQ(headless::fileBytes("settings.ini"), "4\r\n");
}

using WriteSettingsTest = SettingsDirectoryTest;

// A save writes only into a file it made itself, under a name of its own. A
// save cut short between writing and replacing (a crash, a power cut) leaves
// its temporary file: never settings, and gone with the next save. Any other
// file is left as it is: one another program holds open under such a name,
// or one under the name earlier versions wrote through, where a link to
// another file may have been planted.
TEST_F(WriteSettingsTest, WritesOnlyAFileOfItsOwnAndTakesAwayWhatCutOffSavesLeft) {
    struct Planted {
        std::string name;
        bool held;  // by another program
    };
    struct Case {
        const char* description;
        std::vector<Planted> planted;
        std::vector<std::string> left;  // by the save, beside "settings.ini"
    };
    const std::vector<Case> cases = {
        {"a cut-off save's file", {{"settings.ini.1.tmp", false}}, {}},
        {"two cut-off saves' files", {{"settings.ini.1.tmp", false}, {"settings.ini.2.tmp", false}}, {}},
        {"a file held under the first name", {{"settings.ini.1.tmp", true}}, {"settings.ini.1.tmp"}},
        {"the old name", {{"settings.ini.tmp", false}}, {"settings.ini.tmp"}},
        {"the old name, held", {{"settings.ini.tmp", true}}, {"settings.ini.tmp"}},
        {"names of others",
         {{"settings.ini.x.tmp", false}, {"other.1.tmp", false}},
         {"other.1.tmp", "settings.ini.x.tmp"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        host::startFreshProgram();
        for (const Planted& planted : c.planted) {
            headless::plantFile(userFolder() / planted.name, "19\r\n590\r\n");
            if (planted.held) headless::refuseAccess(userFolder() / planted.name, host::backend::FileProblem::InUse);
        }
        const ReadBack slots = readFresh();
        EXPECT_EQ(slots.first, Variant(std::int16_t(5)));
        EXPECT_EQ(slots.second, Variant(std::int16_t(150)));

        settings::WriteSettings(7, 200);
        EXPECT_EQ(settingsBytes(), "7\r\n200\r\n");
        std::vector<std::string> expected = c.left;
        expected.push_back("settings.ini");
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(directoryListing(), expected);
        for (const std::string& name : c.left) EXPECT_EQ(headless::fileBytes(userFolder() / name), "19\r\n590\r\n");
    }
}

// With every name of its own taken, a save fails as one that cannot write,
// and touches nothing.
TEST_F(WriteSettingsTest, WithEveryTemporaryNameHeldTheSaveFailsAndTouchesNothing) {
    plantSettings("9\r\n300\r\n");
    std::vector<std::string> listing = {"settings.ini"};
    for (int number = 1; number <= 20; ++number) {
        listing.push_back("settings.ini." + std::to_string(number) + ".tmp");
        headless::plantFile(userFolder() / listing.back(), "19\r\n590\r\n");
        headless::refuseAccess(userFolder() / listing.back(), host::backend::FileProblem::InUse);
    }
    std::sort(listing.begin(), listing.end());
    EXPECT_EQ(failedWrite().number(), host::ErrorNumber::PathFileAccessError);
    EXPECT_EQ(settingsBytes(), "9\r\n300\r\n");
    EXPECT_EQ(directoryListing(), listing);
}

TEST_F(WriteSettingsTest, WritesTwoRecordsOfPlainDigits) {
    settings::WriteSettings(5, 150);
    EXPECT_EQ(settingsBytes(), std::string("\x35\x0D\x0A\x31\x35\x30\x0D\x0A", 8));

    settings::WriteSettings(20, 600);
    EXPECT_EQ(settingsBytes(), std::string("\x32\x30\x0D\x0A\x36\x30\x30\x0D\x0A", 9));
    EXPECT_EQ(directoryListing(), std::vector<std::string>{"settings.ini"});
}

TEST_F(WriteSettingsTest, AFailedReplaceKeepsTheOldFileAndLeavesNoTemporaryFile) {
    plantSettings("9\r\n300\r\n");
    headless::failFileStep(headless::FileStep::Replace);
    const host::RuntimeError error = failedWrite();
    EXPECT_NE(error.description().find("settings.ini"), std::string::npos) << error.description();
    EXPECT_EQ(settingsBytes(), "9\r\n300\r\n");
    EXPECT_EQ(directoryListing(), std::vector<std::string>{"settings.ini"});

    settings::WriteSettings(5, 150);
    EXPECT_EQ(settingsBytes(), "5\r\n150\r\n");
}

TEST_F(WriteSettingsTest, AnUnwritableDirectoryKeepsTheOldFileAndNamesTheReason) {
    plantSettings("9\r\n300\r\n");
    headless::refuseAccess(userFolder(), host::backend::FileProblem::AccessDenied);
    const host::RuntimeError error = failedWrite();
    EXPECT_EQ(error.number(), host::ErrorNumber::PathFileAccessError);
    const std::string& reason = error.description();
    EXPECT_NE(reason.find("settings.ini"), std::string::npos) << reason;
    EXPECT_NE(reason.find("Access is denied"), std::string::npos) << reason;
    EXPECT_EQ(settingsBytes(), "9\r\n300\r\n");
    EXPECT_EQ(directoryListing(), std::vector<std::string>{"settings.ini"});
}

}  // namespace
}  // namespace settings_test
