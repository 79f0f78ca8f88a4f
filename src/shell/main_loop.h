// Start-up, one pass of the main loop with its five timed steps, and the end.
#pragma once
#include <cstdint>
#include "../platform/image.h"

extern Image* spriteSheet;
extern int32_t frameCount, tickCount, fps, lps;

// The five timed steps of a pass, in the order they run.
enum TimedStep : int { stepLogic, stepAnimation, stepFrame, stepInput, stepSecond, timedStepCount };
// Timer reading at which each step last ran; all 0 at start-up, so every step
// runs on the first pass.
extern double stepLastFired[timedStepCount];
extern const double stepInterval[timedStepCount];

void startGame(int argc, char** argv);
// One pass: snapshot, sleepMs(20), then the logic, animation, frame, input and
// second steps, each when its interval has passed.
void runPass();
// Releases the images; endProgram(0) follows in the program entry.
void endGame();
