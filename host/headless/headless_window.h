#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/dirty_region.h"
#include "host/form.h"
#include "host/headless/headless.h"
#include "host/backend/window.h"
#include "host/render/render.h"

namespace host::headless {

// A form's window in memory: its state lives in the machine's window table.
// What is drawn on it is kept twice: as the list of drawing calls, for tests
// to read, and, once a frame has been asked for, as pixels in a persistent
// layer that the renderer composes with the controls into a back buffer.
class HeadlessWindow final : public WindowPeer, public DrawingLayer {
public:
    explicit HeadlessWindow(Form& form);
    ~HeadlessWindow() override;

    std::intptr_t handle() const override { return handle_; }
    Form& form() const { return form_; }
    void setCaption(const std::string& caption) override;
    void show() override;
    void showOwnedBy(std::intptr_t owner) override;
    void becameVisible();
    // The monitors changed: a full-screen window's plain covers follow them.
    void displaysChanged();

    PixelSize windowPixels() const override;
    PixelSize clientPixels() const override;
    PixelScale scale() const override;
    DrawingLayer* drawingLayer() override { return form_.hasNativeControls() ? nullptr : this; }

    void drawLine(TwipPoint from, TwipPoint to, Color color, int widthPixels) override;
    void drawText(TwipPoint topLeft, std::string_view text, const Font& font, Color color) override;
    TwipSize textExtent(std::string_view text, const Font& font) const override;

    const std::vector<DrawnLine>& lines() const { return lines_; }
    const std::vector<DrawnText>& texts() const { return texts_; }

    const render::Image& renderFrame();
    void invalidate() { exposed_.add({0, 0, state().width, state().height}); }
    const std::vector<PixelRect>& lastPresentedRects() const { return presented_; }
    // The last frame rendered, or the whole scene composed now when none was.
    render::Image currentFrame() const;

private:
    struct TextCell {
        int width = 0;
        int height = 0;
    };
    struct DrawCall {
        bool isText = false;
        std::size_t index = 0;  // into lines_ or texts_
    };

    WindowState& state() const;
    bool coversTheScreen() const;
    void followMonitors();
    TextCell textCell(const Font& font) const;
    bool layersMatchClient() const;
    // (Re)creates the layers at the client size and draws everything drawn
    // so far into them again, as after a resize.
    void rebuildLayers();
    render::Image composeLayer() const;
    // Returns the pixels the call may have touched.
    PixelRect drawIntoLayer(render::PixelView layer, const DrawCall& call) const;
    void recordAndDraw(DrawCall call);

    Form& form_;
    Handle handle_;
    bool activated_ = false;
    Handle modalTo_ = 0;  // the window this one disabled while it is open
    std::vector<Handle> plainCovers_;
    std::vector<DrawnLine> lines_;
    std::vector<DrawnText> texts_;
    std::vector<Color> textColors_;
    std::vector<DrawCall> drawOrder_;

    bool framed_ = false;  // a frame was asked for: the layers are kept up to date
    render::Image layer_;
    render::Image backBuffer_;
    render::FrameRecord presentedFrame_;
    DirtyRegion exposed_;
    std::vector<PixelRect> presented_;
};

}  // namespace host::headless
