#include "settings/frm_config.h"

#include "host/error.h"
#include "host/variant.h"
#include "settings/settings_file.h"

namespace settings {

namespace {

host::FormDesign configDesign() {
    return {.name = "frmConfig", .caption = "Settings...", .border = host::BorderStyle::FixedToolWindow,
            .showInTaskbar = false, .clientSize = {3615, 2880}};
}

}  // namespace

FrmConfig::FrmConfig()
    : host::Form(configDesign()),
      // Each caption's TabIndex is just before its bar's, which makes it the
      // bar's name; labels take no focus, so the focus still goes speed bar,
      // gap bar, Cancel, Ok, and on to the check boxes in the strip below the
      // buttons. The band names nothing.
      Label3{{0, 0, 3615, 255}, "Horlaven by Quessort!", host::colors::white, 6},
      Label1{{0, 720, 735, 255}, "B gap:", std::nullopt, 2},
      HScroll1({720, 720, 2895, 255}, 1, 20, 1, 3),
      Label2{{0, 960, 735, 255}, "B speed:", std::nullopt, 0},
      HScroll2({720, 960, 2895, 255}, 100, 600, 100, 1),
      cmdOk{{0, 1680, 1815, 255}, "Ok", true, false, 5, [this] { cmdOk_Click(); }},
      cmdCancel{{1800, 1680, 1815, 255}, "Cancel", false, true, 4, [this] { cmdCancel_Click(); }},
      chkEveryMonitor{{60, 2025, 3555, 255}, "Clock on every monitor", false, 7},
      chkDrift{{60, 2280, 3555, 255}, "Move the clock slowly (OLED screens)", false, 8},
      chkAnyInputEnds{{60, 2535, 3555, 255}, "A key or mouse move ends it", false, 9} {
    add(Label3);
    add(Label1);
    add(HScroll1);
    add(Label2);
    add(HScroll2);
    add(cmdOk);
    add(cmdCancel);
    add(chkEveryMonitor);
    add(chkDrift);
    add(chkAnyInputEnds);
}

void FrmConfig::Form_Load() {
    // Each step may fail on its own: text that is no number, a value beyond
    // 16 bits or outside the bar's range leaves that bar at its design value.
    host::Variant gap;
    host::Variant speed;
    ReadSettings(gap, speed);
    host::resumeNext([&] { HScroll1.setValue(gap.toInteger()); });
    host::resumeNext([&] { HScroll2.setValue(speed.toInteger()); });
    options_ = ReadOptions();
    chkEveryMonitor.Value = options_.everyMonitor;
    chkDrift.Value = options_.drift;
    chkAnyInputEnds.Value = options_.anyInputEnds;
}

// Either failure reaches the error box, which names the file and ends the
// program; the file that failed keeps its old bytes. The settings go first,
// so their file is written exactly as it always was.
void FrmConfig::cmdOk_Click() {
    WriteSettings(HScroll1.Value(), HScroll2.Value());
    options_.everyMonitor = chkEveryMonitor.Value;
    options_.drift = chkDrift.Value;
    options_.anyInputEnds = chkAnyInputEnds.Value;
    WriteOptions(options_);
    Unload();
}

void FrmConfig::cmdCancel_Click() { Unload(); }

}  // namespace settings
