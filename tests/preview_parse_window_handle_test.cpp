#include "tests/startup_test_support.h"

#include "host/error.h"

namespace startup_test {
namespace {

TEST(ParseWindowHandle, TakesTheLastRunOfDigits) {
    EXPECT_EQ(startup::ParseWindowHandle("/P 123"), 123);
    EXPECT_EQ(startup::ParseWindowHandle("/P123"), 123);
    EXPECT_EQ(startup::ParseWindowHandle("/P:123"), 123);
    EXPECT_EQ(startup::ParseWindowHandle("/P 12 34"), 34);
    EXPECT_EQ(startup::ParseWindowHandle("/P 00123"), 123);
    EXPECT_EQ(startup::ParseWindowHandle("/P -123"), 123);
    EXPECT_EQ(startup::ParseWindowHandle("  /P 77  "), 77);
    EXPECT_EQ(startup::ParseWindowHandle("/P 2147483647"), 2147483647);
}

host::ErrorNumber parseError(const std::string& text) {
    try {
        startup::ParseWindowHandle(text);
    } catch (const host::RuntimeError& error) {
        return error.number();
    }
    return host::ErrorNumber(0);
}

TEST(ParseWindowHandle, FailsWithoutDigitsOrAboveTheLargestHandle) {
    EXPECT_EQ(parseError("/P"), host::ErrorNumber::TypeMismatch);
    EXPECT_EQ(parseError("/P X"), host::ErrorNumber::TypeMismatch);
    EXPECT_EQ(parseError("/P 12X"), host::ErrorNumber::TypeMismatch);
    EXPECT_EQ(parseError("/P 2147483648"), host::ErrorNumber::Overflow);
    EXPECT_EQ(parseError("/P 99999999999999999999999"), host::ErrorNumber::Overflow);
}

using BadHandleTest = StartupTest;

TEST_F(BadHandleTest, AnUnreadableHandleShowsTheErrorBoxBeforeAnyWindowExists) {
    for (const char* commandLine : {"/P", "/p x", "/P 2147483648"}) {
        SCOPED_TRACE(commandLine);
        host::startFreshProgram();
        startup::SubMain preview;
        headless::setCommandLine(commandLine);

        const headless::Outcome outcome = headless::runMain([&preview] { preview.Main(); });

        EXPECT_TRUE(outcome.ended);
        EXPECT_NE(outcome.exitCode, 0);
        EXPECT_TRUE(outcome.errorBox.has_value());
        EXPECT_TRUE(headless::calls().empty());
        EXPECT_FALSE(preview.frmCover().isLoaded());
        EXPECT_EQ(host::loadedFormCount(), 0);
    }
}

}  // namespace
}  // namespace startup_test
