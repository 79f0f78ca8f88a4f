#include <gtest/gtest.h>

#include "creature_world.h"
#include "creatures/movement.h"
#include "levels/level.h"

namespace {

void playTicks(int32_t lastIndex, int32_t ticks) {
    for (int32_t i = 0; i < ticks; ++i) {
        creatureTick(lastIndex, levelWidth, levelHeight);
        entryRule(lastIndex);
    }
}

void entranceLevel() {
    flatLevel();
    entranceX = 20;
    entranceY = 60;
}

// One creature every 50 ticks, records 0..lastIndex, never past the table.
TEST(Entry, CountsFollowTheTicksAndTheLastIndex) {
    const struct { int32_t lastIndex, ticks, entered; } cases[] = {
        {2, 49, 0}, {2, 50, 1}, {2, 99, 1}, {2, 100, 2}, {2, 1000, 3}, {-1, 1000, 0}, {250, 6000, 100},
    };
    for (const auto& k : cases) {
        entranceLevel();
        playTicks(k.lastIndex, k.ticks);
        EXPECT_EQ(spawnedCount, k.entered) << k.lastIndex << " after " << k.ticks;
    }
}

TEST(Entry, NewCreatureFallsFromTheEntranceFromTheNextTick) {
    entranceLevel();
    spawnTicks = 49;
    playTicks(3, 1);
    const Creature& c = creatures[0];
    EXPECT_EQ(c.fx, 28.0f);
    EXPECT_EQ(c.fy, 64.0f);
    playTicks(3, 1);  // it falls from the tick after it enters
    EXPECT_EQ(c.fy, 66.0f);
}

}  // namespace
