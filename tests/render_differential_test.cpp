#include <random>

#include "host/render/surface.h"
#include "render_test_support.h"
#include "tests/image_comparison.h"

namespace render_test {
namespace {

using host::PixelRect;

// A long random run of loads, moves, removals, hides and persistent
// drawing and clearing: after every step the incrementally painted frame must equal the
// whole scene composed afresh.
class RenderDifferentialTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        host::startFreshProgram();
        headless::setDpi(GetParam());
        headless::runMain([this] { scene.Show(); });
        const host::PixelScale scale = scene.scale();
        width = int(std::lround(scene.ScaleWidth() / scale.twipsPerPixelX));
        height = int(std::lround(scene.ScaleHeight() / scale.twipsPerPixelY));
        surface.resize(width, height);
    }

    void TearDown() override { headless::runMain([this] { scene.Unload(); }); }

    float anyX() { return std::uniform_real_distribution<float>(-300, scene.ScaleWidth() + 300)(random); }
    float anyY() { return std::uniform_real_distribution<float>(-300, scene.ScaleHeight() + 300)(random); }
    int upTo(int n) { return std::uniform_int_distribution<int>(0, n)(random); }
    host::Color anyColour() { return host::Color{std::uint32_t(random() & 0xFFFFFF)}; }

    int anyLoadedBall() {
        const int top = scene.balls.UBound();
        if (top == 0) return 0;
        for (int tries = 0; tries < 8; ++tries) {
            const int index = 1 + upTo(top - 1);
            if (scene.balls.isLoaded(index)) return index;
        }
        return 0;
    }

    void loadBall() {
        const int index = scene.balls.lowestFreeIndex();
        if (index < 0) return;
        host::Shape& ball = scene.showBall(index, anyX(), anyY());
        if (upTo(4) == 0) {
            ball.Width = float(upTo(400));
            ball.Height = float(upTo(400));
            ball.Kind = host::ShapeKind(upTo(3));
            ball.Fill = host::FillStyle(upTo(1));
            ball.BorderColor = anyColour();
            ball.FillColor = anyColour();
        }
    }

    void moveBall() {
        if (const int index = anyLoadedBall()) {
            host::Shape& ball = scene.balls[index];
            ball.Move(ball.Left + float(upTo(300) - 150), ball.Top + float(upTo(300) - 150));
        }
    }

    void changeLine(host::Line& line) {
        placeLine(line, anyX(), anyY(), anyX(), anyY());
        line.BorderWidth = 1 + upTo(3);
        line.BorderColor = anyColour();
        line.Visible = upTo(5) != 0;
    }

    void drawIntoPicture() {
        if (upTo(20) == 0) {
            surface.clearPicture();
            return;
        }
        const host::TwipPoint from{anyX(), anyY()}, to{anyX(), anyY()};
        surface.drawLine(from, to, anyColour(), 1 + upTo(2), scene.scale());
    }

    void randomStep() {
        switch (upTo(9)) {
            case 0: case 1: case 2: loadBall(); break;
            case 3: case 4: moveBall(); break;
            case 5:
                if (const int index = anyLoadedBall()) scene.balls.Unload(index);
                break;
            case 6:
                if (const int index = anyLoadedBall()) scene.balls[index].Visible = !scene.balls[index].Visible;
                break;
            case 7: changeLine(upTo(1) ? scene.hand : scene.secondHand); break;
            case 8: drawIntoPicture(); break;
            default:  // a burst, as when the spiral has filled and every ball moves
                for (int i = 0; i < 300; ++i) moveBall();
        }
    }

    SceneForm scene;
    std::mt19937 random{20260107u};
    int width = 0, height = 0;
    render::Surface surface{background};
};

TEST_P(RenderDifferentialTest, IncrementalFramesEqualWholeFrames) {
    surface.paintChanges(scene.paintedControls(), scene.scale());

    int incrementalFrames = 0, fullFrames = 0;
    for (int frame = 0; frame < 600; ++frame) {
        for (int step = upTo(3); step >= 0; --step) randomStep();
        const std::vector<PixelRect> presented = surface.paintChanges(scene.paintedControls(), scene.scale());
        (presented == std::vector<PixelRect>{{0, 0, width, height}} ? fullFrames : incrementalFrames) += 1;

        render::Image whole(width, height);
        render::SpriteCache freshSprites;
        render::paintScene({surface.picture(), scene.paintedControls(), scene.scale(), freshSprites}, whole.view(),
                           {0, 0, width, height});
        const auto differs = test_support::compareImages(surface.backBuffer(), whole);
        ASSERT_FALSE(differs) << "frame " << frame << " differs at " << differs->firstX << "," << differs->firstY;
    }
    EXPECT_GT(incrementalFrames, 300);
    EXPECT_GT(fullFrames, 10);
}

INSTANTIATE_TEST_SUITE_P(AtCommonDpis, RenderDifferentialTest, ::testing::Values(96, 120));

}  // namespace
}  // namespace render_test
