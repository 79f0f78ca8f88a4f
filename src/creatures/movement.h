// The creature tick: falling, walking, steps, blockers, the exit and the level area.
#pragma once
#include <cstdint>

// The longest fall a creature survives without floating, in pixels.
constexpr int32_t longestSafeFall = 100;

void creatureTick(int32_t lastIndex, int32_t width, int32_t height);
