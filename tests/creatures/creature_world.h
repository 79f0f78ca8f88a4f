// Small synthetic levels for the creature tests: a terrain image and a
// collision grid painted together, and creatures placed by hand.
#pragma once
#include <cstdint>
#include <string>
#include <gtest/gtest.h>
#include "creatures/creature_table.h"

constexpr uint32_t groundColour = 0xFF6B4A2Bu;

// A width x height level, all empty, every record out of play, exit far away.
void makeLevel(int32_t width, int32_t height);
// Fills columns x1..x2, rows y1..y2 (inclusive) with terrain (255) or brick (13),
// or empties them (0), in the image and the grid alike.
void paint(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t cell);
// A creature in play, on the ground (not falling), facing dir.
Creature& place(int32_t index, float fx, float fy, int32_t skill = skillWalk, int32_t dir = 1);
// Runs the creature tick over the current level.
void tick(int32_t times = 1);
// Ticks until the creature stops falling (or leaves play), at most `limit` ticks.
void tickUntilLanded(const Creature& c, int32_t limit = 1000);

// Names table-driven cases by their `name` field.
template <typename Case>
std::string caseName(const testing::TestParamInfo<Case>& param) {
    return param.param.name;
}
