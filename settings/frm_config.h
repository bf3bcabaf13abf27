#pragma once

#include "host/controls.h"
#include "host/form.h"

namespace settings {

// The settings dialog: the ball gap on HScroll1, the ball speed on HScroll2,
// saved to "settings.ini" by Ok. It shows no numbers, only thumb positions.
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
};

}  // namespace settings
