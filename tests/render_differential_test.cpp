#include <random>

#include "host/render/pixel_geometry.h"
#include "render_test_support.h"
#include "tests/image_comparison.h"

namespace render_test {
namespace {

using host::PixelRect;

// A long random run of loads, moves, removals, hides and persistent
// drawing: after every step the incrementally painted frame must equal the
// whole scene composed afresh.
class RenderDifferentialTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        headless::reset();
        headless::setDpi(GetParam());
        headless::runMain([this] { scene.Show(); });
        const host::PixelScale scale = scene.scale();
        width = int(std::lround(scene.ScaleWidth() / scale.twipsPerPixelX));
        height = int(std::lround(scene.ScaleHeight() / scale.twipsPerPixelY));
        layer = render::Image(width, height, background);
        incremental = render::Image(width, height);
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

    void drawIntoLayer(host::DirtyRegion& exposed) {
        const host::TwipPoint from{anyX(), anyY()}, to{anyX(), anyY()};
        const int lineWidth = 1 + upTo(2);
        render::drawLine(layer.view(), from, to, anyColour(), lineWidth, scene.scale());
        exposed.add(render::lineBounds(render::linePixels(from, to, lineWidth, scene.scale())));
    }

    void randomStep(host::DirtyRegion& exposed) {
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
            case 8: drawIntoLayer(exposed); break;
            default:  // a burst, as when the spiral has filled and every ball moves
                for (int i = 0; i < 300; ++i) moveBall();
        }
    }

    SceneForm scene;
    std::mt19937 random{20260107u};
    int width = 0, height = 0;
    render::Image layer;
    render::Image incremental;
    render::FrameRecord record;
};

TEST_P(RenderDifferentialTest, IncrementalFramesEqualWholeFrames) {
    host::DirtyRegion everything;
    everything.add({0, 0, width, height});
    render::paintChanges(scene, record, layer.view(), incremental.view(), everything);

    int incrementalFrames = 0, fullFrames = 0;
    for (int frame = 0; frame < 600; ++frame) {
        host::DirtyRegion exposed;
        for (int step = upTo(3); step >= 0; --step) randomStep(exposed);
        const std::vector<PixelRect> presented = render::paintChanges(scene, record, layer.view(), incremental.view(), exposed);
        (presented == std::vector<PixelRect>{{0, 0, width, height}} ? fullFrames : incrementalFrames) += 1;

        render::Image whole(width, height);
        render::paintScene(scene, layer.view(), whole.view(), {0, 0, width, height});
        const auto differs = test_support::compareImages(incremental, whole);
        ASSERT_FALSE(differs) << "frame " << frame << " differs at " << differs->firstX << "," << differs->firstY;
    }
    EXPECT_GT(incrementalFrames, 300);
    EXPECT_GT(fullFrames, 10);
}

INSTANTIATE_TEST_SUITE_P(AtCommonDpis, RenderDifferentialTest, ::testing::Values(96, 120));

}  // namespace
}  // namespace render_test
