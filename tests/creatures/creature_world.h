// Small synthetic levels for the creature tests: a terrain image and a
// collision grid painted together, and creatures placed by hand.
#pragma once
#include <cstdint>
#include "creatures/creature_table.h"

// A standing walker on ground whose top row is groundTop has y = standingY.
constexpr int32_t groundTop = 100;
constexpr float standingY = 94.0f;

// A width x height level, all empty, every record out of play, exit far away.
void makeLevel(int32_t width, int32_t height);
// Fills columns x1..x2, rows y1..y2 (inclusive) with terrain, brick or empty
// cells, in the image and the grid alike.
void paint(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t cell);
// A width x 200 level with ground from groundTop down.
void flatLevel(int32_t width = 300);
// A creature in play, on the ground (not falling), facing dir.
Creature& place(int32_t index, float fx, float fy, int32_t skill = skillWalk, int32_t dir = 1);
void tick(int32_t times = 1);
// Counts level pixels whose cell disagrees with them: empty exactly where transparent.
int32_t gridImageMismatches();
