#pragma once

// A small form with the kinds of control the cover window paints (a shape
// array of balls under two lines), shown on a fresh headless machine, with
// helpers that read pixels back from rendered frames.

#include <gtest/gtest.h>

#include <cstdint>

#include "host/app.h"
#include "host/form.h"
#include "host/render/render.h"
#include "tests/support/headless.h"

namespace render_test {

namespace headless = host::headless;
namespace render = host::render;

// 200 x 150 pixels at 96 DPI.
inline constexpr int clientWidth = 200;
inline constexpr int clientHeight = 150;

inline constexpr std::uint32_t background = 0x8080FF;  // &H00FF8080&
inline constexpr std::uint32_t bluePixel = 0x0000FF;
inline constexpr std::uint32_t redPixel = 0xFF0000;
inline constexpr std::uint32_t blackPixel = 0x000000;

inline host::FormDesign sceneDesign() {
    return {.name = "frmScene", .backColor = host::Color{0xFF8080},
            .clientSize = {clientWidth * 15.0f, clientHeight * 15.0f}, .font = {"Courier New", 12.0f}};
}

// A 60-twip solid blue circle, hidden, like the cover window's template.
inline host::Shape ballTemplate() {
    return {.Width = 60, .Height = 60, .FillColor = host::colors::blue, .BorderColor = host::colors::blue,
            .Kind = host::ShapeKind::Circle, .Fill = host::FillStyle::Solid, .Visible = false};
}

// Shows a line from (x1, y1) to (x2, y2) twips.
inline void placeLine(host::Line& line, float x1, float y1, float x2, float y2) {
    line.X1 = x1;
    line.Y1 = y1;
    line.X2 = x2;
    line.Y2 = y2;
    line.Visible = true;
}

class SceneForm : public host::Form {
public:
    SceneForm() : host::Form(sceneDesign()), balls(ballTemplate()) {
        add(balls);
        add(hand);
        add(secondHand);
    }

    // Loads element index as a visible ball with its top-left at (left, top) twips.
    host::Shape& showBall(int index, float left, float top) {
        balls.Load(index);
        host::Shape& ball = balls[index];
        ball.Move(left, top);
        ball.Visible = true;
        return ball;
    }

    host::ControlArray<host::Shape> balls;
    host::Line hand;
    host::Line secondHand;
};

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        host::startFreshProgram();
        ASSERT_EQ(host::loadedFormCount(), 0) << "an earlier test left a form loaded";
        scene.hand.Visible = false;
        scene.secondHand.Visible = false;
        headless::runMain([this] { scene.Show(); });
    }

    void TearDown() override {
        if (scene.isLoaded()) headless::runMain([this] { scene.Unload(); });
    }

    const render::Image& frame() { return headless::renderFrame(scene); }

    // Pixels of a colour inside [left, right) x [top, bottom) of an image.
    static int countPixels(const render::Image& image, host::PixelRect area, std::uint32_t pixel) {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) count += image.pixel(x, y) == pixel;
        return count;
    }

    SceneForm scene;
};

}  // namespace render_test
