#include <gtest/gtest.h>

#include "creature_world.h"
#include "creatures/skills.h"
#include "levels/collision_grid.h"
#include "levels/level.h"
#include "platform/draw.h"

namespace {

constexpr int32_t groundTop = 100;
constexpr float standingY = 94.0f;

void flatLevel(int32_t height = 200) {
    makeLevel(300, height);
    paint(0, groundTop, 299, height - 1, cellTerrain);
}

// Every cell of the level agrees with its pixel: empty exactly where transparent.
void expectGridFollowsImage() {
    int32_t mismatches = 0;
    for (int32_t x = 0; x < levelWidth; ++x) {
        for (int32_t y = 0; y < levelHeight; ++y) {
            const bool emptyPixel = getPixel(*terrainImage, x, y) == transparentColour;
            mismatches += emptyPixel != (cellAt(x, y) == cellEmpty);
        }
    }
    EXPECT_EQ(mismatches, 0);
}

// A block hangs two columns ahead of the builder when it reaches x 58 on tick
// 33, over rows 85..95 of its 11-row window: five solid cells close the way.
class BuildWall : public testing::TestWithParam<int32_t> {};

TEST_P(BuildWall, FiveSolidCellsAheadEndTheBuildAndTheBricksStay) {
    const int32_t blockRows = GetParam();
    flatLevel();
    paint(60, 85, 70, 85 + blockRows - 1, cellTerrain);
    Creature& c = place(0, 50.0f, standingY, skillBuild);
    tick(32);
    ASSERT_EQ(c.skill, skillBuild);
    tick();
    EXPECT_EQ(c.x, 58);
    EXPECT_EQ(c.skill, blockRows >= 5 ? skillWalk : skillBuild);
    for (int32_t x = 50; x <= 59; ++x) {
        bool brick = false;
        for (int32_t y = 96; y <= 101; ++y) brick = brick || cellAt(x, y) == cellBrick;
        EXPECT_TRUE(brick) << "column " << x;
    }
    EXPECT_EQ(getPixel(*terrainImage, 50, 101), brickColour);
    expectGridFollowsImage();
}

INSTANTIATE_TEST_SUITE_P(Rows, BuildWall, testing::Values(4, 5, 40));

TEST(Build, FullBuildLasts351TicksThenWalksOnFromTheTop) {
    makeLevel(400, 200);
    paint(0, groundTop, 399, 199, cellTerrain);
    Creature& c = place(0, 50.0f, standingY, skillBuild);
    tick(351);
    EXPECT_EQ(c.skill, skillBuild);
    tick();
    EXPECT_EQ(c.skill, skillWalk);
    EXPECT_EQ(c.skillTicks, 2);
    EXPECT_NEAR(c.fy, standingY - 35.2f, 0.01f);
    EXPECT_NEAR(c.fx, 50.0f + 88.0f, 0.01f);
    // From the top of its bricks it walks on, off their end, and lands 35 px lower.
    tick();
    EXPECT_EQ(c.fx, 139.0f);
    tick(40);
    EXPECT_EQ(c.inPlay, 1);
    EXPECT_EQ(c.falling, 0);
    EXPECT_EQ(c.y, 94);
    EXPECT_GT(c.x, 139);
    expectGridFollowsImage();
}

struct DigCase {
    const char* name;
    int32_t floorRows;  // thickness of the floor under the digger; the level is 400 high
    int32_t stopTick;   // tick on which the digger stops being a digger
    bool breaksThrough;
};

class Dig : public testing::TestWithParam<DigCase> {};

TEST_P(Dig, BreaksThroughOrStopsAfter200Ticks) {
    const DigCase& k = GetParam();
    makeLevel(300, 400);
    paint(0, groundTop, 299, groundTop + k.floorRows - 1, cellTerrain);
    paint(0, 390, 299, 399, cellTerrain);
    Creature& c = place(0, 150.0f, standingY, skillDig);
    int32_t ticks = 0;
    while (c.skill == skillDig && ticks < 1000) {
        tick();
        ++ticks;
    }
    EXPECT_EQ(ticks, k.stopTick);
    EXPECT_EQ(c.falling, k.breaksThrough ? 1 : 0);
    EXPECT_EQ(c.fx, 150.0f);
    // The pit is 17 columns wide.
    EXPECT_EQ(cellAt(142, groundTop), cellEmpty);
    EXPECT_EQ(cellAt(158, groundTop), cellEmpty);
    EXPECT_EQ(cellAt(141, groundTop), cellTerrain);
    EXPECT_EQ(cellAt(159, groundTop), cellTerrain);
    expectGridFollowsImage();
    if (!k.breaksThrough) {
        EXPECT_EQ(c.fy, standingY + 101.0f) << "about 100 px down";
        tick(20);
        EXPECT_EQ(c.falling, 0) << "walks on at the bottom of its pit";
        EXPECT_EQ(c.inPlay, 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Floors, Dig,
                         testing::Values(DigCase{"onePixel", 1, 1, true},
                                         DigCase{"tenPixels", 10, 19, true},
                                         DigCase{"deep", 290, 202, false}),
                         caseName<DigCase>);

TEST(Tunnel, LosingItsGroundItFallsAsAWalker) {
    makeLevel(300, 300);
    paint(0, groundTop, 80, 199, cellTerrain);  // the ground ends at column 80
    paint(55, 60, 200, 99, cellTerrain);        // a hill that goes on past it
    Creature& c = place(0, 50.0f, standingY, skillTunnel);
    int32_t ticks = 0;
    while (c.falling == 0 && ticks < 200) {
        tick();
        ++ticks;
    }
    EXPECT_EQ(c.falling, 1);
    EXPECT_EQ(c.skill, skillWalk);
    EXPECT_EQ(c.x, 81);
    EXPECT_EQ(c.fy, standingY + 2.0f);
    // The tunnel is 19 rows high: from y - 13 to y + 5.
    EXPECT_EQ(cellAt(70, 81), cellEmpty);
    EXPECT_EQ(cellAt(70, 80), cellTerrain);
    expectGridFollowsImage();
}

TEST(Tunnel, StopsAfter100TicksInsideAHill) {
    makeLevel(400, 200);
    paint(0, groundTop, 399, 199, cellTerrain);
    paint(55, 60, 399, 99, cellTerrain);
    Creature& c = place(0, 50.0f, standingY, skillTunnel);
    tick(101);
    EXPECT_EQ(c.skill, skillTunnel);
    tick();
    EXPECT_EQ(c.skill, skillWalk);
    EXPECT_EQ(c.falling, 0);
    EXPECT_EQ(c.fx, 50.0f + 0.5f * 102);
}

// Skills at the border of the level reach cells outside it: those are
// dropped, and everything inside changes in the image and the grid alike.
TEST(TerrainSkills, WorkAtTheLevelBorder) {
    struct Case {
        float fx, fy;
        int32_t skill, dir;
    };
    const Case cases[] = {
        {3.0f, 14.0f, skillDig, 1}, {37.0f, 14.0f, skillDig, 1}, {37.0f, 8.0f, skillTunnel, 1},
        {3.0f, 8.0f, skillTunnel, -1}, {37.0f, 12.0f, skillBuild, 1}, {3.0f, 17.0f, skillBuild, -1},
    };
    for (const Case& k : cases) {
        makeLevel(40, 20);
        paint(0, 15, 39, 19, cellTerrain);
        place(0, k.fx, k.fy, k.skill, k.dir);
        tick(30);
        expectGridFollowsImage();
    }
}

TEST(TerrainSkills, WithoutATerrainImageOnlyTheGridChanges) {
    flatLevel();
    destroyImage(terrainImage);
    Creature& d = place(0, 50.0f, standingY, skillDig);
    place(1, 150.0f, standingY, skillBuild);
    place(2, 200.0f, standingY, skillTunnel);
    tick(10);
    EXPECT_EQ(cellAt(50, groundTop), cellEmpty);
    EXPECT_EQ(d.inPlay, 1);
    creatures[1].fuse = 1;
    burnFuses(lastCreatureIndex);
    EXPECT_EQ(creatures[1].inPlay, 0);
    EXPECT_EQ(cellAt(151, groundTop + 5), cellTerrain) << "nothing to read the explosion back from";
}

TEST(Fuse, CountsSixSecondsThenExplodes) {
    flatLevel();
    Creature& c = place(0, 150.0f, standingY);
    c.fuse = fuseSeconds;
    for (int32_t second = 1; second <= 5; ++second) {
        burnFuses(lastCreatureIndex);
        EXPECT_EQ(c.fuse, fuseSeconds - second);
        EXPECT_EQ(c.inPlay, 1);
    }
    burnFuses(lastCreatureIndex);
    EXPECT_EQ(c.inPlay, 0);
    EXPECT_EQ(c.fuse, noFuse);
    EXPECT_EQ(cellAt(150, groundTop + 5), cellEmpty);
    burnFuses(lastCreatureIndex);
    EXPECT_EQ(c.fuse, noFuse) << "a creature out of play burns no fuse";
}

TEST(Fuse, BurnsWhileFallingAndOnlyForRecordsInPlay) {
    flatLevel();
    Creature& faller = place(0, 150.0f, 20.0f);
    faller.falling = 1;
    faller.fuse = 3;
    Creature& gone = place(1, 100.0f, standingY);
    gone.inPlay = 0;
    gone.fuse = 3;
    burnFuses(lastCreatureIndex);
    EXPECT_EQ(faller.fuse, 2);
    EXPECT_EQ(gone.fuse, 3);
}

struct BlastCase {
    const char* name;
    int32_t x, y;
};

class Explosion : public testing::TestWithParam<BlastCase> {};

TEST_P(Explosion, GridFollowsTheEmptiedPixels) {
    const BlastCase& k = GetParam();
    makeLevel(100, 80);
    paint(0, 0, 99, 79, cellTerrain);
    explodeAt(k.x, k.y);
    expectGridFollowsImage();
    for (int32_t column = 0; column <= 100; ++column) EXPECT_EQ(cellAt(column, 80), cellEmpty);
    if (k.x >= 0 && k.x < 100 && k.y >= 0 && k.y < 80) {
        EXPECT_EQ(cellAt(k.x, k.y), cellEmpty);
    }
}

INSTANTIATE_TEST_SUITE_P(Places, Explosion,
                         testing::Values(BlastCase{"middle", 50, 40}, BlastCase{"topLeft", 0, 0},
                                         BlastCase{"bottomRight", 99, 79},
                                         BlastCase{"halfOutside", -10, 70},
                                         BlastCase{"farAway", 100000, -100000}),
                         caseName<BlastCase>);

}  // namespace
