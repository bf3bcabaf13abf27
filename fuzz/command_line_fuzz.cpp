// Feeds arbitrary command lines to start-up on the headless backend. Besides
// crashes and sanitizer reports it catches a run mode other than the three,
// a window handle read where the text does not end in digits within range
// (or missed where it does), any exception but the handle's documented
// run-time errors, an error box anywhere but a preview whose handle cannot
// be read, and a window opened other than that mode calls for.
//
// The first byte sets the scene:
//   bit 0  another instance is running,
//   bit 1  and its marked cover window exists;
//   bit 2  the handle of a window that exists (a preview pane, or the
//          settings page) is appended to the rest, the command line.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "display/frm_cover.h"
#include "fuzz/fuzz_machine.h"
#include "host/app.h"
#include "host/backend/window.h"
#include "host/error.h"
#include "host/text.h"
#include "settings/frm_config.h"
#include "startup/sub_main.h"
#include "tests/support/headless.h"

namespace {

namespace headless = host::headless;
using fuzz::check;
using host::ErrorNumber;

constexpr int exitPreviewPaneMissing = 1400;

// What the text's trailing digits say, worked out apart from the program:
// a handle, or the error that reading one raises.
struct ExpectedHandle {
    std::optional<std::int32_t> handle;
    ErrorNumber error{};
};

ExpectedHandle expectedHandle(std::string_view text) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    std::size_t start = text.size();
    while (start > 0 && text[start - 1] >= '0' && text[start - 1] <= '9') --start;
    std::string_view digits = text.substr(start);
    if (digits.empty()) return {std::nullopt, ErrorNumber::TypeMismatch};
    while (digits.size() > 1 && digits.front() == '0') digits.remove_prefix(1);
    if (digits.size() > 10 || std::stoll(std::string(digits)) > 2147483647LL) return {std::nullopt, ErrorNumber::Overflow};
    return {std::int32_t(std::stoll(std::string(digits))), {}};
}

startup::RunMode expectedMode(std::string_view switchKey) {
    if (switchKey == "/C") return startup::ModeConfigure;
    if (switchKey == "/P") return startup::ModePreview;
    return startup::ModeSaver;
}

void checkHandleReaders(const std::string& text, const ExpectedHandle& expected) {
    // Any exception but the documented run-time errors escapes and ends the
    // run; so does any from DialogOwnerHandle, which must never fail.
    check(startup::DialogOwnerHandle(text) == expected.handle);
    try {
        check(startup::ParseWindowHandle(text) == expected.handle);
    } catch (const host::RuntimeError& error) {
        check(!expected.handle && error.number() == expected.error);
    }
}

void checkPreview(startup::SubMain& program, const ExpectedHandle& expected, headless::Handle pane,
                  const headless::Outcome& outcome) {
    if (!expected.handle) {
        const int number = int(expected.error);
        check(outcome.errorBox == "Run-time error '" + std::to_string(number) + "':\n\n" + host::describe(expected.error));
        check(outcome.ended && outcome.exitCode == number);
        check(headless::calls().empty());
        return;
    }
    check(!outcome.errorBox);
    display::FrmCover& cover = program.frmCover();
    if (pane != 0 && *expected.handle == pane) {
        check(cover.isLoaded() && headless::window(cover.hWnd()).parent == pane);
    } else {
        check(outcome.ended && outcome.exitCode == exitPreviewPaneMissing && !cover.isLoaded());
    }
}

void checkSettingsDialog(startup::SubMain& program, const ExpectedHandle& expected, headless::Handle pane,
                         const headless::Outcome& outcome) {
    check(!outcome.errorBox);
    const settings::FrmConfig& dialog = program.frmConfig();
    check(dialog.isLoaded());
    const bool owned = pane != 0 && expected.handle == pane;
    check(headless::window(dialog.hWnd()).owner == (owned ? pane : 0));
}

void checkFullScreen(startup::SubMain& program, bool anotherShowing, const headless::Outcome& outcome) {
    check(!outcome.errorBox);
    const display::FrmCover& cover = program.frmCover();
    if (anotherShowing) {
        check(outcome.ended && !cover.isLoaded());
    } else {
        check(cover.isLoaded() && headless::window(cover.hWnd()).visible);
        check(headless::cursorDisplayCount() == -1);
    }
}

void unloadAll(startup::SubMain& program) {
    for (host::Form* form : {static_cast<host::Form*>(&program.frmCover()), static_cast<host::Form*>(&program.frmConfig())})
        if (form->isLoaded()) headless::runMain([form] { form->Unload(); });
    check(host::loadedFormCount() == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    host::startFreshProgram();
    const std::uint8_t scene = data[0];
    std::string commandLine(reinterpret_cast<const char*>(data + 1), size - 1);

    const bool anotherRunning = scene & 1;
    headless::setPreviousInstanceRunning(anotherRunning);
    if (scene & 2) headless::addForeignWindow(startup::MarkerTitle, 640, 480, host::backend::paintedWindowClass);
    headless::Handle pane = 0;
    if (scene & 4) {
        pane = headless::addForeignWindow("pane", 152, 112);
        commandLine += std::to_string(pane);
    }
    headless::setCommandLine(commandLine);

    const std::string text = host::UpperCase(host::TrimSpaces(commandLine));
    const ExpectedHandle expected = expectedHandle(text);
    checkHandleReaders(text, expected);

    startup::SubMain program;
    const headless::Outcome outcome = headless::runMain([&] { program.Main(); });
    check(program.ActiveMode == expectedMode(std::string_view(text).substr(0, 2)));
    switch (program.ActiveMode) {
    case startup::ModePreview: checkPreview(program, expected, pane, outcome); break;
    case startup::ModeConfigure: checkSettingsDialog(program, expected, pane, outcome); break;
    case startup::ModeSaver: checkFullScreen(program, anotherRunning && (scene & 2), outcome); break;
    default: check(false);
    }
    unloadAll(program);
    return 0;
}
