#include "play_state.h"

int32_t scrollX, scrollY;
int32_t selectedSkill = 1;
int32_t keyLatch[256];
int32_t mouseX, mouseY, mouseButtons;
int32_t hoveredCreature;
