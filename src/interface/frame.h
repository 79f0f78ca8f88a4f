// Draws one whole frame between one lock and one unlock of the screen.
#pragma once
#include <cstdint>

void drawFrame(int32_t lastIndex);
