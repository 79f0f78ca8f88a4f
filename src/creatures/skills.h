// Build, dig, tunnel, the fuse and the explosion.
#pragma once
#include <cstdint>
#include "../platform/image.h"
#include "creature_table.h"

constexpr Colour brickColour = 0xFFFF3333;
constexpr int32_t fuseSeconds = 6;
constexpr int32_t explosionRadius = 15;

void buildStep(Creature& c);
void digStep(Creature& c);
void tunnelStep(Creature& c);
// Once a second on every screen.
void burnFuses(int32_t lastIndex);
void explodeAt(int32_t x, int32_t y);
