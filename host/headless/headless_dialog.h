#pragma once

#include <vector>

#include "host/backend/dialog.h"
#include "host/headless/headless_records.h"

namespace host::headless {

// A dialog in memory: its window in the machine's window table, its
// controls as the records below, and the platform's keyboard handling of a
// dialog (Tab, Enter, Esc, Space on a button or check box, the arrow and
// page keys on a scroll bar). A check box only reports its presses; it shows
// the tick it is told to.
class HeadlessDialog final : public backend::DialogWindow {
public:
    HeadlessDialog(const backend::DialogDesign& design, backend::DialogEvents& events);
    ~HeadlessDialog() override;

    std::intptr_t handle() const override { return handle_; }
    void setCaption(const std::string& caption) override { state().title = caption; }
    void show() override;
    void bringToFront() override { state().active = true; }
    void takeOwner(std::intptr_t owner) override;
    void hide() override { state().visible = false; }
    PixelSize windowPixels() const override { return {state().width, state().height}; }
    PixelSize clientPixels() const override { return {state().width, state().height}; }
    int dpi() const override { return dpi_; }
    bool isChild() const override { return false; }

    backend::TextExtent captionRoom(backend::ControlKind kind, const std::string& caption, const Font& font) const override;
    int emPixels(const Font& font) const override;
    void arrange(const backend::DialogArrangement& arrangement) override;
    void moveTo(int left, int top) override;
    void setValue(backend::ControlId control, int value) override;

    // A key as the platform's dialog handling takes it. The report it makes
    // may end with this dialog gone.
    void press(DialogKey key);
    backend::DialogEvents& events() { return events_; }
    const std::vector<DialogControlState>& controls() const { return controls_; }
    backend::ControlId focus() const { return focus_; }

private:
    WindowState& state() const;
    bool takesFocus(backend::ControlId id) const;
    void moveFocus(int step);
    void scrollFocused(backend::ScrollAction action);
    void pressDefault();

    Handle handle_;
    backend::DialogEvents& events_;
    int dpi_;
    Handle modalTo_ = 0;  // the window this one disabled while it is open
    std::vector<DialogControlState> controls_;
    backend::ControlId focus_ = -1;
};

}  // namespace host::headless
