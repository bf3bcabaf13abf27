#pragma once

#include <bit>
#include <cstdint>

#include "display/ball_steps.h"
#include "host/controls.h"

namespace display {

// A ball's move and its edge tests, each done on both axes at once: the two
// run for every ball on every tick. Pairs hold (x, y): (Left, Top), (Width,
// Height), (ScaleWidth, ScaleHeight).
using TwipPair = float __attribute__((vector_size(8)));
using DoublePair = double __attribute__((vector_size(16)));

// Adds the step in double precision and stores the position back in single.
inline void moveBy(host::Shape& ball, const BallSteps::Step& step) {
    const TwipPair position{ball.Left, ball.Top};
    const TwipPair moved = __builtin_convertvector(__builtin_convertvector(position, DoublePair) +
                                                       DoublePair{step.left, step.top},
                                                   TwipPair);
    ball.Left = moved[0];
    ball.Top = moved[1];
}

// Whether the ball touches or crosses an edge of a client area of the given
// size: touching counts, and the far sides sum in single precision.
inline bool touchesAnEdge(const host::Shape& ball, TwipPair clientSize) {
    const TwipPair position{ball.Left, ball.Top};
    const TwipPair size{ball.Width, ball.Height};
    const auto beyond = (position <= 0) | (position + size >= clientSize);
    return std::bit_cast<std::uint64_t>(beyond) != 0;
}

}  // namespace display
