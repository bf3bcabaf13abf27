#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "startup/run_mode.h"

namespace display { class FrmCover; }
namespace settings { class FrmConfig; }

namespace startup {

// The title by which a full-screen instance marks its cover window and by
// which a later full-screen instance finds it.
inline constexpr const char* MarkerTitle = "Zantrelle";
// The caption of the cover window planted in the desktop's preview pane.
inline constexpr const char* PreviewCaption = "Preview";

// The start-up module: reads the command line, fixes the run mode and opens
// the window that mode calls for. Its forms are created on first use, like
// the runtime's default form instances.
class SubMain {
public:
    SubMain();
    ~SubMain();

    // Called once by the runtime, while no form is loaded.
    void Main();

    RunMode ActiveMode = RunMode(0);  // set once by Main

    display::FrmCover& frmCover();
    settings::FrmConfig& frmConfig();

private:
    void GuardSingleInstance();
    void GuardAndLoadCover();
    void ShowSettingsDialog(const std::string& commandText);

    std::unique_ptr<display::FrmCover> cover_;
    std::unique_ptr<settings::FrmConfig> config_;
};

// Plants the cover window in the desktop's preview pane named at the end of
// the command text, as a child window that fills the pane's client area and
// is shown without being activated. Ends the program when the pane is gone.
void EmbedInPreview(display::FrmCover& frmCover, const std::string& commandText);

// The run mode that the first two characters of the command text choose.
RunMode RunModeFor(std::string_view switchKey);

// The handle at the end of the command text: its last run of decimal digits.
// Fails with a type mismatch when there is none and an overflow above 2^31 - 1.
std::int32_t ParseWindowHandle(std::string text);

// The window that asked for the settings dialog, named at the end of the
// command text as the preview pane is: none when the text ends in no digits
// or in a number above 2^31 - 1. Never fails.
std::optional<std::int32_t> DialogOwnerHandle(const std::string& commandText);

}  // namespace startup
