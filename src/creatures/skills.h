// Build, dig, tunnel, the fuse and the explosion.
#pragma once
#include <cstdint>
#include "creature_table.h"

void buildStep(Creature& c);
void digStep(Creature& c);
void tunnelStep(Creature& c);
// Once a second on every screen.
void burnFuses(int32_t lastIndex);
void explodeAt(int32_t x, int32_t y);
