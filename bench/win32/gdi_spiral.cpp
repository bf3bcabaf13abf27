// The floor the screen saver's processor time is measured against: what
// anyone could write with plain GDI in an afternoon. A full-screen popup in
// the cover's colour whose timer moves the same spiral of balls as the saver
// with its default settings (one ball a tick from the middle, the angle five
// degrees on each time, ten pixels a tick, gone once it touches an edge),
// erasing each ball and drawing it again with Ellipse. No dial, no hands,
// no back buffer. Ended by a click or WM_CLOSE.

#include <windows.h>

#include <cmath>
#include <vector>

#include "bench/win32/cover_colour.h"
#include "bench/win32/full_screen_popup.h"

namespace {

constexpr int ballPixels = 4;
constexpr double stepPixels = 10;
constexpr double angleStep = 5;
// Where the saver's emission angle starts again from twelve o'clock.
constexpr double wrapAngle = 359;
constexpr COLORREF ballColour = RGB(0, 0, 0xFF);

struct Ball {
    double x;
    double y;
    double dx;
    double dy;
};

struct Spiral {
    std::vector<Ball> balls;
    double angle = angleStep;
    HPEN backgroundPen = CreatePen(PS_SOLID, 1, coverColour);
    HBRUSH backgroundBrush = CreateSolidBrush(coverColour);
    HPEN ballPen = CreatePen(PS_SOLID, 1, ballColour);
    HBRUSH ballBrush = CreateSolidBrush(ballColour);
};

Spiral spiral;

void drawBalls(HDC dc, HPEN pen, HBRUSH brush) {
    SelectObject(dc, pen);
    SelectObject(dc, brush);
    for (const Ball& ball : spiral.balls) {
        const int left = int(std::lround(ball.x));
        const int top = int(std::lround(ball.y));
        Ellipse(dc, left, top, left + ballPixels, top + ballPixels);
    }
}

void tick(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    HDC dc = GetDC(window);
    const HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    const HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    // All erased before any is drawn, so that no ball wipes out another.
    drawBalls(dc, spiral.backgroundPen, spiral.backgroundBrush);

    spiral.angle += angleStep;
    if (spiral.angle >= wrapAngle) spiral.angle = 0;
    const double radians = spiral.angle * 3.14159265358979323846 / 180;
    spiral.balls.push_back({client.right / 2.0, client.bottom / 2.0, std::sin(radians) * stepPixels,
                            -std::cos(radians) * stepPixels});
    std::erase_if(spiral.balls, [&](Ball& ball) {
        ball.x += ball.dx;
        ball.y += ball.dy;
        return ball.x <= 0 || ball.y <= 0 || ball.x + ballPixels >= client.right ||
               ball.y + ballPixels >= client.bottom;
    });

    drawBalls(dc, spiral.ballPen, spiral.ballBrush);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    ReleaseDC(window, dc);
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_TIMER) return endOnClick(window, message, wParam, lParam);
    tick(window);
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    HWND window = showFullScreenPopup(instance, windowProcedure, L"GdiSpiral", L"Plain GDI spiral");
    // As often as the saver's timer: its interval is one millisecond.
    SetTimer(window, 1, 1, nullptr);
    return runMessages();
}
