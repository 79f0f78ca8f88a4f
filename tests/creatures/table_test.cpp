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

// A new creature falls from the entrance, moving from the next tick; an entrance
// far outside the level lets it in and out of play at once.
TEST(Entry, NewCreatureFallsFromTheEntranceFromTheNextTick) {
    entranceLevel();
    spawnTicks = 49;
    playTicks(3, 1);
    const Creature& c = creatures[0];
    ASSERT_EQ(c.inPlay, 1);
    EXPECT_EQ(c.fx, 28.0f);
    EXPECT_EQ(c.fy, 64.0f);
    EXPECT_EQ(c.falling, 1);
    playTicks(3, 1);  // it moves from the tick after it enters
    EXPECT_EQ(c.fy, 66.0f);
    entranceLevel();
    entranceX = INT32_MAX;
    entranceY = INT32_MIN;
    spawnTicks = 49;
    playTicks(0, 2);
    EXPECT_EQ(spawnedCount, 1);
    EXPECT_EQ(creatures[0].inPlay, 0);  // outside the level area at once
}

}  // namespace
