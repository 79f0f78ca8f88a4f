#include <gtest/gtest.h>

#include "creature_world.h"
#include "creatures/skills.h"
#include "levels/collision_grid.h"
#include "levels/level.h"

namespace {

// A block hangs two columns ahead of the builder when it reaches x 58 on tick
// 33, over rows 85.. of its 11-row window: five solid cells close the way.
// With the way open the build lasts 351 ticks and the builder walks on from its top.
TEST(Build, FiveSolidCellsAheadEndTheBuildOrItRunsItsFullLength) {
    for (const int32_t blockRows : {4, 5}) {
        flatLevel();
        paint(60, 85, 70, 85 + blockRows - 1, cellTerrain);
        const Creature& c = place(0, 50.0f, standingY, skillBuild);
        tick(32);
        ASSERT_EQ(c.skill, skillBuild);
        tick();
        EXPECT_EQ(c.skill, blockRows >= 5 ? skillWalk : skillBuild) << blockRows;
        EXPECT_EQ(cellAt(50, 101), cellBrick);
        EXPECT_EQ(gridImageMismatches(), 0);
    }
    flatLevel(400);
    const Creature& c = place(0, 50.0f, standingY, skillBuild);
    tick(351);
    EXPECT_EQ(c.skill, skillBuild);
    tick();
    EXPECT_EQ(c.skill, skillWalk);
    EXPECT_NEAR(c.fy, standingY - 35.2f, 0.01f);
    EXPECT_NEAR(c.fx, 50.0f + 88.0f, 0.01f);
    tick();
    EXPECT_EQ(c.fx, 139.0f);
}

// The digger stops at once when its floor is gone, or after 200 ticks with
// its skill; the pit is 17 columns wide.
TEST(Dig, BreaksThroughOrStopsAfter200Ticks) {
    const struct { int32_t floorRows, stopTick; bool breaksThrough; } cases[] = {
        {1, 1, true}, {290, 202, false}};
    for (const auto& k : cases) {
        makeLevel(300, 400);
        paint(0, groundTop, 299, groundTop + k.floorRows - 1, cellTerrain);
        const Creature& c = place(0, 150.0f, standingY, skillDig);
        int32_t ticks = 0;
        for (; c.skill == skillDig && ticks < 1000; ++ticks) tick();
        EXPECT_EQ(ticks, k.stopTick) << k.floorRows;
        EXPECT_EQ(c.falling, k.breaksThrough ? 1 : 0) << k.floorRows;
        for (const int32_t x : {141, 142, 158, 159})
            EXPECT_EQ(cellAt(x, groundTop), x == 141 || x == 159 ? cellTerrain : cellEmpty) << x;
        EXPECT_EQ(gridImageMismatches(), 0);
    }
}

TEST(Tunnel, LosingItsGroundItFallsAsAWalker) {
    makeLevel(300, 300);
    paint(0, groundTop, 80, 199, cellTerrain);  // the ground ends at column 80
    paint(55, 60, 200, 99, cellTerrain);        // a hill that goes on past it
    const Creature& c = place(0, 50.0f, standingY, skillTunnel);
    for (int32_t i = 0; i < 200 && c.falling == 0; ++i) tick();
    EXPECT_EQ(c.skill, skillWalk);
    EXPECT_EQ(c.x, 81);
    // The tunnel is 19 rows high: from y - 13 to y + 5.
    EXPECT_EQ(cellAt(70, 81), cellEmpty);
    EXPECT_EQ(cellAt(70, 80), cellTerrain);
    EXPECT_EQ(gridImageMismatches(), 0);
}

// A fuse goes off on its sixth burn; out of play it does not burn.
TEST(Fuse, ExplodesOnTheSixthBurnOnlyInPlayAndTheGridFollowsTheBlast) {
    flatLevel();
    Creature& c = place(0, 150.0f, standingY);
    c.fuse = fuseSeconds;
    Creature& gone = place(1, 100.0f, standingY);
    gone.inPlay = 0;
    gone.fuse = 3;
    for (int32_t second = 1; second <= 5; ++second) burnFuses(lastCreatureIndex);
    EXPECT_EQ(c.inPlay, 1);
    burnFuses(lastCreatureIndex);
    EXPECT_EQ(c.inPlay, 0);
    EXPECT_EQ(gone.fuse, 3);
    EXPECT_EQ(cellAt(150, groundTop + 5), cellEmpty);
    // Wherever the blast lands, even half or wholly outside the level, the grid
    // follows the emptied pixels and its extra row stays empty. The last blast,
    // in the middle, reaches less than 20 px down.
    const struct { int32_t x, y; } cases[] = {{0, 0}, {99, 79}, {-10, 70}, {100000, -100000}, {50, 40}};
    for (const auto& k : cases) {
        makeLevel(100, 80);
        paint(0, 0, 99, 79, cellTerrain);
        explodeAt(k.x, k.y);
        EXPECT_EQ(gridImageMismatches(), 0) << k.x << "," << k.y;
        for (int32_t column = 0; column <= 100; ++column) EXPECT_EQ(cellAt(column, 80), cellEmpty);
    }
    EXPECT_EQ(cellAt(50, 40), cellEmpty);
    EXPECT_EQ(cellAt(50, 60), cellTerrain);
}

}  // namespace
