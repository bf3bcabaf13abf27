// Feeds arbitrary bytes to the program as its settings file and reads them
// the two ways the program does: the cover's ball gap and speed, and the
// settings dialog's two scroll bars. Besides crashes and sanitizer reports it
// catches an error box, a gap or speed that is no finite number, a bar
// outside its range, the two readers taking different numbers from the same
// file, and a save from the dialog that the cover does not read back as
// saved.
//
// The first byte chooses how the file is laid out:
//   bit 0  the dialog's Ok saves what it shows, and the cover reads it again;
//   bit 1  the file lies in the current directory, where earlier versions
//          kept it, rather than in the user's settings folder;
//   bits 2 to 7 all set: the rest starts just before the end of the 64 KiB
//          that are read, after filler of the second byte's value; the
//          third byte says how far before. The file is then longer than
//          what is read. Reading 64 KiB takes a hundred times as long as a
//          short file, hence the rare key.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "display/frm_cover.h"
#include "fuzz/fuzz_machine.h"
#include "host/app.h"
#include "host/sequential_file.h"
#include "settings/frm_config.h"
#include "tests/support/headless.h"

namespace {

namespace headless = host::headless;
using fuzz::check;

constexpr double defaultGap = 5;
constexpr double defaultSpeed = 150;

struct Bar {
    int min;
    int max;
    int design;
};
constexpr Bar gapBar{1, 20, 1};
constexpr Bar speedBar{100, 600, 100};

struct Layout {
    bool saveWithOk = false;
    bool inCurrentDirectory = false;
    std::string content;
};

Layout layoutOf(const std::uint8_t* data, std::size_t size) {
    Layout layout;
    const std::uint8_t flags = data[0];
    layout.saveWithOk = flags & 1;
    layout.inCurrentDirectory = flags & 2;
    std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    if ((flags & 0xFC) == 0xFC && rest.size() >= 2) {
        const char filler = rest[0];
        const std::size_t before = std::uint8_t(rest[1]);
        layout.content.assign(host::InputFile::readableBytes - before, filler);
        rest.remove_prefix(2);
    }
    layout.content.append(rest);
    return layout;
}

void checkNoErrorBox() { check(!headless::outcome().errorBox.has_value()); }

struct CoverReading {
    double gap;
    double speed;
};

CoverReading readLikeTheCover() {
    display::FrmCover cover([] { return true; });
    headless::runMain([&] { cover.Show(); });
    checkNoErrorBox();
    check(cover.isLoaded());
    const CoverReading reading{cover.BallGap, cover.BallSpeed};
    headless::runMain([&] { cover.Unload(); });
    check(std::isfinite(reading.gap) && std::isfinite(reading.speed));
    return reading;
}

// Where the bar must stand for the number the cover took from the same
// field. A default the cover fell back on may stand for a missing field
// (the bar shows the default too) or for one that holds no number (the bar
// keeps its design value).
void checkBarAgrees(int barValue, double coverValue, double fallback, const Bar& bar) {
    check(barValue >= bar.min && barValue <= bar.max);
    if (coverValue == fallback) {
        check(barValue == int(fallback) || barValue == bar.design);
        return;
    }
    // Halves round to even, as the dialog's conversion does.
    const double rounded = std::nearbyint(coverValue);
    const bool fits = rounded >= bar.min && rounded <= bar.max;
    check(barValue == (fits ? int(rounded) : bar.design));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    host::startFreshProgram();
    const Layout layout = layoutOf(data, size);
    const std::filesystem::path userFile = host::UserSettingsFolder() / "settings.ini";
    headless::plantFile(layout.inCurrentDirectory ? std::filesystem::path("settings.ini") : userFile, layout.content);

    const CoverReading cover = readLikeTheCover();

    settings::FrmConfig dialog;
    headless::runMain([&] { dialog.Show(); });
    checkNoErrorBox();
    check(dialog.isLoaded());
    const int gap = dialog.HScroll1.Value();
    const int speed = dialog.HScroll2.Value();
    checkBarAgrees(gap, cover.gap, defaultGap, gapBar);
    checkBarAgrees(speed, cover.speed, defaultSpeed, speedBar);

    if (!layout.saveWithOk) {
        headless::runMain([&] { dialog.Unload(); });
        return 0;
    }
    headless::runMain([&] { dialog.cmdOk_Click(); });
    checkNoErrorBox();
    check(!dialog.isLoaded());
    check(headless::fileBytes(userFile) ==
          std::to_string(gap) + "\r\n" + std::to_string(speed) + "\r\n");
    const CoverReading saved = readLikeTheCover();
    check(saved.gap == gap && saved.speed == speed);
    return 0;
}
