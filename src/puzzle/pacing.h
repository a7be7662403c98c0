// The game's pace: a step or a quarter turn is ten frames of 20 ms, and every pass of
// the play loop that starts one waits another 20 ms. The solver times its plans by it.
#pragma once

namespace tk {

constexpr int kFramesPerAction = 10;
constexpr int kFrameMs = 20;
constexpr int kPassMs = 20;
constexpr int kActionMs = kFramesPerAction * kFrameMs + kPassMs;

// A step moves the figure 7 px per frame, a quarter turn turns the pipe 9° per frame.
constexpr int kStepPxPerFrame = 7;
constexpr float kTurnDegreesPerFrame = 9.0f;

}  // namespace tk
