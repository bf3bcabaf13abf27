#include "display/frm_cover.h"

#include "host/app.h"
#include "host/backend/user32.h"

namespace display {

namespace {

host::FormDesign coverDesign() {
    host::FormDesign design;
    design.name = "frmCover";
    design.caption = "Horlaven";
    design.border = host::BorderStyle::None;
    design.maximized = true;
    design.topmost = true;
    design.showInTaskbar = false;
    design.backColor = host::Color{0xFF8080};
    design.font = {"MS Sans Serif", 12.0f};
    return design;
}

// Element 0 of the balls: never shown itself, copied for every ball.
host::Shape ballTemplate() {
    host::Shape ball;
    ball.Left = 1200;
    ball.Top = 240;
    ball.Width = 60;
    ball.Height = 60;
    ball.Kind = host::ShapeKind::Circle;
    ball.Fill = host::FillStyle::Solid;
    ball.FillColor = host::colors::blue;
    ball.BorderColor = host::colors::blue;
    ball.Visible = false;
    return ball;
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

void FrmCover::Timer1_Timer() {
    moveHands();
    releaseBall();
    stage2();
}

void FrmCover::Form_Click() {
    Unload();
    host::End();
}

void FrmCover::Form_Unload() {
    if (cursorHiddenByStartUp_()) host::user32::ShowCursor(true);
}

}  // namespace display
