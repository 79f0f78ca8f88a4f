#include <gtest/gtest.h>

#include "creature_world.h"
#include "creatures/movement.h"
#include "levels/collision_grid.h"
#include "levels/level.h"

namespace {

void playTicks(int32_t lastIndex, int32_t ticks) {
    for (int32_t i = 0; i < ticks; ++i) {
        creatureTick(lastIndex, levelWidth, levelHeight);
        entryRule(lastIndex);
    }
}

void entranceLevel() {
    makeLevel(300, 200);
    paint(0, 100, 299, 199, cellTerrain);
    entranceX = 20;
    entranceY = 60;
}

struct EntryCase {
    int32_t lastIndex;
    int32_t ticks;
    int32_t entered;
};

class Entry : public testing::TestWithParam<EntryCase> {};

TEST_P(Entry, OneCreatureEvery50TicksUpToTheLastIndex) {
    const EntryCase k = GetParam();
    entranceLevel();
    playTicks(k.lastIndex, k.ticks);
    EXPECT_EQ(spawnedCount, k.entered);
    int32_t inTable = 0;
    for (const Creature& c : creatures) inTable += c.fx != -100.0f;
    EXPECT_EQ(inTable, k.entered);
}

INSTANTIATE_TEST_SUITE_P(Counts, Entry,
                         testing::Values(EntryCase{2, 49, 0}, EntryCase{2, 50, 1}, EntryCase{2, 99, 1},
                                         EntryCase{2, 100, 2}, EntryCase{2, 1000, 3},
                                         EntryCase{0, 1000, 1}, EntryCase{-1, 1000, 0},
                                         EntryCase{99, 6000, 100}, EntryCase{250, 6000, 100}));

TEST(Entry, NewCreatureFallsFacingRightAndMovesFromTheNextTick) {
    entranceLevel();
    spawnTicks = 49;
    creatures[0].x = 777;
    playTicks(3, 1);
    const Creature& c = creatures[0];
    ASSERT_EQ(c.inPlay, 1);
    EXPECT_EQ(spawnTicks, 0);
    EXPECT_EQ(c.fx, 28.0f);
    EXPECT_EQ(c.fy, 64.0f);
    EXPECT_EQ(c.fallStartY, 64);
    EXPECT_EQ(c.dir, 1);
    EXPECT_EQ(c.falling, 1);
    EXPECT_EQ(c.skill, skillWalk);
    EXPECT_EQ(c.fuse, noFuse);
    EXPECT_EQ(c.x, 777) << "not moved in the tick it enters";
    playTicks(3, 1);
    EXPECT_EQ(c.x, 28);
    EXPECT_EQ(c.fy, 66.0f);
}

TEST(Entry, SpawnTicksKeepCountingAfterTheLastEntry) {
    entranceLevel();
    playTicks(0, 50);
    ASSERT_EQ(spawnedCount, 1);
    playTicks(0, 49);
    EXPECT_EQ(spawnTicks, 49);
    playTicks(0, 1);
    EXPECT_EQ(spawnTicks, 0);
    EXPECT_EQ(spawnedCount, 1);
}

TEST(Entry, FarAwayEntranceDoesNotOverflow) {
    entranceLevel();
    entranceX = INT32_MAX;
    entranceY = INT32_MIN;
    spawnTicks = 49;
    playTicks(0, 2);
    EXPECT_EQ(spawnedCount, 1);
    EXPECT_EQ(creatures[0].inPlay, 0) << "outside the level area at once";
}

TEST(Counts, StateCountsAndLiveCount) {
    entranceLevel();
    place(0, 50.0f, 94.0f, skillBlock);
    place(1, 60.0f, 94.0f, skillBuild).fuse = 4;
    place(2, 70.0f, 94.0f, skillWalk).fuse = 6;
    place(3, 80.0f, 94.0f, skillWalk);
    place(5, 90.0f, 94.0f, skillClimb).inPlay = 0;
    countStates(lastCreatureIndex);
    const int32_t expected[9] = {0, 2, 1, 1, 0, 0, 0, 0, 2};
    for (int32_t s = 1; s <= 8; ++s) EXPECT_EQ(stateCounts[s], expected[s]) << "skill " << s;
    creatureTick(lastCreatureIndex, levelWidth, levelHeight);
    EXPECT_EQ(liveCount, 4);
}

}  // namespace
