#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>

#include <unistd.h>

#include "host/backend/user32.h"
#include "host/headless/png_reader.h"
#include "render_test_support.h"
#include "tests/image_comparison.h"

namespace render_test {
namespace {

using host::PixelRect;

// Showing the window presents its first frame, whole.
TEST_F(RenderTest, FirstFrameIsTheBackgroundPaintedWhole) {
    EXPECT_EQ(headless::lastPresentedRects(scene), (std::vector<PixelRect>{{0, 0, clientWidth, clientHeight}}));
    const render::Image& image = frame();
    ASSERT_EQ(image.width(), clientWidth);
    ASSERT_EQ(image.height(), clientHeight);
    EXPECT_EQ(countPixels(image, {0, 0, clientWidth, clientHeight}, background), clientWidth * clientHeight);
}

TEST_F(RenderTest, ColourIsConvertedFromFormOrderToPixelOrder) {
    EXPECT_EQ(render::toPixel(host::Color{0xFF8080}), 0x8080FFu);
    EXPECT_EQ(render::toPixel(host::colors::red), redPixel);
    EXPECT_EQ(render::toPixel(host::Color::fromRgb(1, 2, 3)), 0x010203u);
}

TEST_F(RenderTest, LineCoversBothEndPixelsInItsColourAndNothingBeyond) {
    placeLine(scene.hand, 150, 150, 1500, 750);
    scene.hand.BorderColor = host::colors::red;
    const render::Image& image = frame();
    EXPECT_EQ(image.pixel(10, 10), redPixel);
    EXPECT_EQ(image.pixel(100, 50), redPixel);
    EXPECT_EQ(image.pixel(9, 10), background);
    EXPECT_EQ(image.pixel(101, 50), background);
    // One pixel per column from end to end: no gaps, no doubling.
    EXPECT_EQ(countPixels(image, {0, 0, clientWidth, clientHeight}, redPixel), 91);
    for (int x = 10; x <= 100; ++x) EXPECT_EQ(countPixels(image, {x, 0, x + 1, clientHeight}, redPixel), 1) << x;
}

TEST_F(RenderTest, LineIsAsThickAsItsBorderWidth) {
    placeLine(scene.hand, 300, 1500, 1500, 1500);
    scene.hand.BorderWidth = 3;
    placeLine(scene.secondHand, 2250, 300, 2250, 1500);
    scene.secondHand.BorderWidth = 2;
    const render::Image& image = frame();
    EXPECT_EQ(countPixels(image, {50, 0, 51, clientHeight}, blackPixel), 3);
    EXPECT_EQ(countPixels(image, {0, 60, clientWidth, 61}, blackPixel), 2);
    EXPECT_EQ(countPixels(image, {0, 0, clientWidth, clientHeight}, blackPixel), 81 * 3 + 81 * 2);
}

TEST_F(RenderTest, BallOfSixtyTwipsIsASolidBlueCircleFourPixelsAcross) {
    scene.showBall(1, 1500, 1500);
    const render::Image& image = frame();
    // A 4 x 4 disc: every pixel but the four corners.
    EXPECT_EQ(countPixels(image, {100, 100, 104, 104}, bluePixel), 12);
    for (PixelRect corner : {PixelRect{100, 100, 101, 101}, {103, 100, 104, 101}, {100, 103, 101, 104}, {103, 103, 104, 104}})
        EXPECT_EQ(countPixels(image, corner, background), 1);
    EXPECT_EQ(countPixels(image, {0, 0, clientWidth, clientHeight}, bluePixel), 12);
}

TEST_F(RenderTest, ShapesDrawTheirOutlineInBorderColourAndInsideInFillColour) {
    host::Shape& ring = scene.showBall(1, 300, 300);
    ring.Width = ring.Height = 300;  // 20 px
    ring.BorderColor = host::colors::black;
    host::Shape& box = scene.showBall(2, 1500, 300);
    box.Width = box.Height = 150;  // 10 px
    box.Kind = host::ShapeKind::Rectangle;
    box.Fill = host::FillStyle::Transparent;
    const render::Image& image = frame();
    EXPECT_EQ(image.pixel(30, 30), bluePixel);   // centre of the circle
    EXPECT_EQ(image.pixel(20, 30), blackPixel);  // its leftmost column
    EXPECT_EQ(image.pixel(20, 20), background);  // outside the round, inside the box
    EXPECT_EQ(image.pixel(100, 20), bluePixel);  // the rectangle's corner
    EXPECT_EQ(image.pixel(105, 25), background); // its inside shows through
    EXPECT_EQ(countPixels(image, {100, 20, 110, 30}, bluePixel), 36);
}

TEST_F(RenderTest, MovedBallLeavesBackgroundAndRepaintsOnlyItsOldAndNewPlace) {
    host::Shape& ball = scene.showBall(1, 1500, 1500);
    frame();
    ball.Move(1650, 1200);
    const render::Image& image = frame();
    EXPECT_EQ(countPixels(image, {100, 100, 104, 104}, background), 16);
    EXPECT_EQ(countPixels(image, {110, 80, 114, 84}, bluePixel), 12);
    long long presented = 0;
    for (const PixelRect& rect : headless::lastPresentedRects(scene)) presented += rect.area();
    EXPECT_GT(presented, 0);
    EXPECT_LE(presented, 2 * 5 * 5);
}

TEST_F(RenderTest, NothingChangedPresentsNothing) {
    scene.showBall(1, 1500, 1500);
    frame();
    frame();
    EXPECT_TRUE(headless::lastPresentedRects(scene).empty());
}

TEST_F(RenderTest, RemovedOrHiddenElementRepaintsToBackground) {
    scene.showBall(1, 1500, 1500);
    host::Shape& hidden = scene.showBall(2, 600, 600);
    frame();
    scene.balls.Unload(1);
    hidden.Visible = false;
    const render::Image& image = frame();
    EXPECT_EQ(countPixels(image, {100, 100, 104, 104}, background), 16);
    EXPECT_EQ(countPixels(image, {40, 40, 44, 44}, background), 16);
}

TEST_F(RenderTest, PersistentDrawingSurvivesABallPassingOverIt) {
    scene.DrawLine({0, 1500}, {2985, 1500}, host::colors::black);
    host::Shape& ball = scene.showBall(1, 1470, 1470);  // covers (98..101, 98..101)
    EXPECT_EQ(frame().pixel(99, 100), bluePixel);
    ball.Move(1470, 600);
    const render::Image& image = frame();
    EXPECT_EQ(countPixels(image, {0, 100, clientWidth, 101}, blackPixel), clientWidth);
    EXPECT_EQ(countPixels(image, {98, 98, 102, 100}, background), 8);
}

TEST_F(RenderTest, DrawingAfterAFrameIsShownInTheNext) {
    frame();
    scene.DrawLine({150, 150}, {150, 750}, host::colors::black);
    const render::Image& image = frame();
    EXPECT_EQ(countPixels(image, {10, 0, 11, clientHeight}, blackPixel), 41);
    ASSERT_FALSE(headless::lastPresentedRects(scene).empty());
    EXPECT_NE(headless::lastPresentedRects(scene).front(), (PixelRect{0, 0, clientWidth, clientHeight}));
}

TEST_F(RenderTest, PrintedTextIsDrawnInsideItsExtentAsGlyphs) {
    scene.CurrentX = 300;
    scene.CurrentY = 300;
    const PixelRect box{20, 20, 20 + int(scene.TextWidth("18") / 15), 20 + int(scene.TextHeight("18") / 15)};
    scene.Print("18");
    const int cell = (box.right - box.left) / 2;
    const render::Image& image = frame();
    const int inFirst = countPixels(image, {box.left, box.top, box.left + cell, box.bottom}, blackPixel);
    const int inSecond = countPixels(image, {box.left + cell, box.top, box.right, box.bottom}, blackPixel);
    EXPECT_GT(inFirst, 0);
    // An "8" has many more dots than a "1".
    EXPECT_GT(inSecond, inFirst + inFirst / 2);
    EXPECT_EQ(countPixels(image, {0, 0, clientWidth, clientHeight}, blackPixel), inFirst + inSecond);
}

// However much changes, a frame puts the client area on screen at most once;
// what changes wholly off screen puts nothing there.
TEST_F(RenderTest, AFramePresentsAtMostTheClientAreaOnce) {
    frame();
    for (int i = 1; i <= 2000; ++i) scene.showBall(i, float(i % 190) * 15, float(i / 190) * 150);
    frame();
    EXPECT_EQ(headless::lastPresentedRects(scene), (std::vector<PixelRect>{{0, 0, clientWidth, clientHeight}}));

    scene.showBall(2001, -100000, -100000);
    frame();
    EXPECT_TRUE(headless::lastPresentedRects(scene).empty());
}

// Drawing lands on the client area as it is when drawn, and stays where it
// still fits, as on Windows.
TEST_F(RenderTest, ResizedWindowKeepsItsDrawingWhereItFits) {
    scene.DrawLine({0, 150}, {6000, 150}, host::colors::black);
    frame();
    host::user32::SetWindowPos(scene.hWnd(), host::user32::HWND_TOP, 0, 0, 400, 300, host::user32::SWP_NOZORDER);
    const render::Image& image = frame();
    ASSERT_EQ(image.width(), 400);
    ASSERT_EQ(image.height(), 300);
    EXPECT_EQ(countPixels(image, {0, 10, 400, 11}, blackPixel), clientWidth);
    EXPECT_EQ(countPixels(image, {0, 200, 400, 300}, background), 400 * 100);
}

// A line or ball spanning far beyond the window costs no more to paint than
// the window itself: its changes collapse to the client area, and only what
// lies there is drawn. How fast that is, bench/ measures.
TEST_F(RenderTest, WildCoordinatesNeitherHangNorSpill) {
    frame();
    constexpr float huge = 1e30f;
    placeLine(scene.hand, -huge, -huge, huge, huge);
    placeLine(scene.secondHand, std::numeric_limits<float>::quiet_NaN(), 0, 300, 300);
    host::Shape& ball = scene.showBall(1, 1500, 1500);
    ball.Width = huge;
    ball.Height = huge;
    scene.showBall(2, std::numeric_limits<float>::infinity(), 0);
    scene.DrawLine({-huge, 1500}, {huge, 1500}, host::colors::red);
    const render::Image& image = frame();
    EXPECT_EQ(headless::lastPresentedRects(scene), (std::vector<PixelRect>{{0, 0, clientWidth, clientHeight}}));
    EXPECT_EQ(image.pixel(0, 100), redPixel);
    EXPECT_EQ(image.pixel(149, 149), blackPixel);  // the diagonal from far to far
}

TEST_F(RenderTest, UnloadedFormHasNoFrame) {
    headless::runMain([this] { scene.Unload(); });
    EXPECT_EQ(frame().width(), 0);
    EXPECT_TRUE(headless::lastPresentedRects(scene).empty());
    EXPECT_FALSE(headless::saveFrame(scene, std::filesystem::temp_directory_path() / "zantrelle-unloaded.png"));
}

TEST_F(RenderTest, SavedFrameIsAPngOfTheClientArea) {
    scene.showBall(1, 1500, 1500);
    frame();
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("zantrelle-render-" + std::to_string(::getpid()) + ".png");
    ASSERT_TRUE(headless::saveFrame(scene, path));
    std::ifstream file(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const std::optional<render::Image> readBack = headless::readPng(path);
    std::filesystem::remove(path);
    ASSERT_GT(bytes.size(), 8u + 25u + 12u);  // the signature, the header and the end chunk
    EXPECT_EQ(bytes.substr(0, 8), std::string("\x89PNG\r\n\x1A\n", 8));
    EXPECT_EQ(bytes.substr(12, 4), "IHDR");
    EXPECT_EQ(bytes.substr(bytes.size() - 8, 4), "IEND");
    ASSERT_TRUE(readBack.has_value());
    EXPECT_EQ(readBack->width(), clientWidth);
    EXPECT_EQ(readBack->height(), clientHeight);
    EXPECT_FALSE(test_support::compareImages(*readBack, frame()));
    EXPECT_FALSE(headless::saveFrame(scene, path.parent_path() / "no-such-directory" / "frame.png"));
}

}  // namespace
}  // namespace render_test
