#include "display/frm_cover.h"

#include "host/app.h"
#include "host/backend/user32.h"

namespace display {

namespace {

host::FormDesign coverDesign() {
    return {.name = "frmCover", .caption = "Horlaven", .border = host::BorderStyle::None, .maximized = true,
            .topmost = true, .showInTaskbar = false, .backColor = host::Color{0xFF8080},
            .font = {"MS Sans Serif", 12.0f}};
}

// Element 0 of the balls: never shown itself, copied for every ball. Its
// border is as blue as its fill, so a ball a few pixels across is all blue.
host::Shape ballTemplate() {
    return {.Left = 1200, .Top = 240, .Width = 60, .Height = 60, .FillColor = host::colors::blue,
            .BorderColor = host::colors::blue, .Kind = host::ShapeKind::Circle, .Fill = host::FillStyle::Solid,
            .Visible = false};
}

}  // namespace

FrmCover::FrmCover(std::function<bool()> cursorHiddenByStartUp)
    : host::Form(coverDesign()), effect(ballTemplate()),
      cursorHiddenByStartUp_(std::move(cursorHiddenByStartUp)) {
    Timer1.Interval = 1;
    Timer1.Enabled = true;
    Timer1.onTimer = [this] { Timer1_Timer(); };
    Line1.BorderWidth = 2;
    Line3.BorderColor = host::colors::red;

    add(Timer1);
    // Registered bottom first: the hands pass over the balls.
    add(effect);
    add(Line1);
    add(Line2);
    add(Line3);
}

FrmCover::FrmCover(FrmCover& leader) : FrmCover([] { return false; }) {
    leader_ = &leader;
    Timer1.Interval = 0;
    setCaption("");
}

// All clocks from one reading of the time, so no two ever disagree.
void FrmCover::Timer1_Timer() {
    const float reading = host::SecondsSinceMidnight();
    advance(reading);
    for (const auto& companion : companions_) {
        if (companion->isLoaded()) companion->advance(reading);
    }
}

void FrmCover::advance(float reading) {
    if (Drift) followDriftPath(reading);
    moveHands(reading);
    releaseBall();
    stage2();
}

void FrmCover::Form_Click() { dismiss(); }

void FrmCover::dismiss() {
    FrmCover& leader = leader_ ? *leader_ : *this;
    leader.Unload();
    host::End();
}

void FrmCover::Form_Unload() {
    for (const auto& companion : companions_) companion->Unload();
    if (cursorHiddenByStartUp_()) host::user32::ShowCursor(true);
}

}  // namespace display
