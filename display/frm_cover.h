#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "display/ball_steps.h"
#include "display/drift_path.h"
#include "host/control_array.h"
#include "host/controls.h"
#include "host/form.h"

namespace display {

// The screen saver's own window: a clock face with three hands and a spiral
// of balls flying out from the centre, ended by a click (or, if the user
// chose so, by any key, button or deliberate move of the mouse).
class FrmCover : public host::Form {
public:
    // Asked when the window unloads: whether start-up hid the mouse cursor
    // for this run (a full-screen run does), so it is shown again.
    explicit FrmCover(std::function<bool()> cursorHiddenByStartUp);

    void Form_Activate() override;
    void Form_Click() override;
    void Form_KeyDown() override;
    void Form_MouseDown() override;
    void Form_MouseMove(int x, int y) override;
    void Form_Unload() override;
    void Form_Resize() override;
    void Form_DisplaysChanged() override;
    void Timer1_Timer();

    // Moves every ball one step outward and removes those at an edge.
    void stage2();

    host::Timer Timer1;
    host::ControlArray<host::Shape> effect;
    host::Line Line1;  // hour hand
    host::Line Line2;  // minute hand
    host::Line Line3;  // second hand

    // The dial centre, a little above the middle of the window.
    float CenterX = 0;
    float CenterY = 0;
    // Angle in degrees of the next ball, the degrees added per tick, and the
    // twips a ball travels per tick.
    double EmitAngle = 0;
    double BallGap = 0;
    double BallSpeed = 0;
    // Whether the whole clock wanders slowly about its centre, so that no
    // line of it burns into the screen; read from the user's options at every
    // activation.
    bool Drift = false;
    // Whether a key, any mouse button or a move of the mouse beyond a jitter
    // ends it as a click does; read with Drift.
    bool AnyInputEnds = false;
    // Whether every other monitor shows a clock of its own rather than a
    // plain cover; read with Drift.
    bool EveryMonitor = false;

    // The clocks on the other monitors, ticked by this one.
    const std::vector<std::unique_ptr<FrmCover>>& companions() const { return companions_; }

private:
    // A clock on another monitor: it runs no timer of its own and leaves the
    // cursor to the leader to show again.
    explicit FrmCover(FrmCover& leader);

    // One tick of this clock at one reading of the time.
    void advance(float reading);
    // With EveryMonitor on, one companion clock over each monitor but the
    // primary; otherwise none, and plain covers there.
    void followMonitors();
    void readBallSettings();
    // Centres the dial in the window, draws it and anchors the hands there.
    void placeDial();
    void drawDial();
    void anchorHands();
    void moveHands(float reading);
    void releaseBall();
    void followDriftPath(float reading);
    void dismiss();

    std::function<bool()> cursorHiddenByStartUp_;
    FrmCover* leader_ = nullptr;
    std::vector<std::unique_ptr<FrmCover>> companions_;
    BallSteps ballSteps_;
    // The clock's last reading and the seconds drifted since activation,
    // added up tick by tick so the path runs on past midnight.
    float driftReading_ = 0;
    double driftSeconds_ = 0;
    DriftOffset drift_;
    // Where the pointer rested at activation, which moves are measured from.
    struct {
        int x = 0;
        int y = 0;
    } pointerAtStart_;
};

}  // namespace display
