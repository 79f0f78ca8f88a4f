// The input step (keys, scrolling, skill keys, mouse) and the level-end test.
#pragma once
#include <cstdint>

extern int32_t scrollX, scrollY;
extern int32_t selectedSkill;
extern int32_t keyLatch[256];
extern int32_t mouseX, mouseY, mouseButtons;
extern int32_t hoveredCreature;

// True only on the first test that finds the key down after it was up.
bool keyEdge(int scancode);
void inputStep();
void levelEndTest();
