// The creature tick: falling, walking, steps, blockers, the exit and the level area.
#pragma once
#include <cstdint>

void creatureTick(int32_t lastIndex, int32_t width, int32_t height);
