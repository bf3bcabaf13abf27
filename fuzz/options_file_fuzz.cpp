// Feeds arbitrary bytes to the program as its options file, reads them and
// saves what was read. Besides crashes and sanitizer reports it catches a
// save that the reader does not read back as the same choices and the same
// kept lines, and a second save that differs from the first: a file once
// saved must stay as it is however often it is saved again.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "fuzz/fuzz_machine.h"
#include "host/app.h"
#include "tests/support/headless.h"
#include "host/sequential_file.h"
#include "settings/options_file.h"

namespace {

namespace headless = host::headless;
using fuzz::check;

bool sameChoices(const settings::Options& a, const settings::Options& b) {
    return a.everyMonitor == b.everyMonitor && a.drift == b.drift && a.anyInputEnds == b.anyInputEnds &&
           a.otherLines == b.otherLines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    host::startFreshProgram();
    const std::filesystem::path file = host::UserSettingsFolder() / "options.ini";
    headless::plantFile(file, std::string(reinterpret_cast<const char*>(data), size));

    const settings::Options read = settings::ReadOptions();
    check(!headless::outcome().errorBox.has_value());
    settings::WriteOptions(read);
    const std::optional<std::string> saved = headless::fileBytes(file);
    check(saved.has_value());

    const settings::Options again = settings::ReadOptions();
    // A kept line cut off by the read limit may be read back shorter; what
    // fits within it must survive whole.
    if (saved->size() <= host::InputFile::readableBytes) check(sameChoices(read, again));
    settings::WriteOptions(again);
    if (saved->size() <= host::InputFile::readableBytes) check(headless::fileBytes(file) == saved);
    return 0;
}
