#pragma once

#include "host/controls.h"
#include "host/form.h"
#include "settings/options_file.h"

namespace settings {

// The settings dialog: the ball gap on HScroll1, the ball speed on HScroll2,
// saved to "settings.ini" by Ok. It shows no numbers, only thumb positions.
// Below the buttons, the user's on/off choices, saved to "options.ini" by Ok
// after the settings.
class FrmConfig : public host::Form {
public:
    FrmConfig();

    void Form_Load() override;
    void cmdOk_Click();
    void cmdCancel_Click();

    host::Label Label3;
    host::Label Label1;
    host::HScrollBar HScroll1;
    host::Label Label2;
    host::HScrollBar HScroll2;
    host::CommandButton cmdOk;
    host::CommandButton cmdCancel;
    host::CheckBox chkEveryMonitor;
    host::CheckBox chkDrift;
    host::CheckBox chkAnyInputEnds;

private:
    // As read at Load, so that Ok writes back the lines this version does
    // not know.
    Options options_;
};

}  // namespace settings
