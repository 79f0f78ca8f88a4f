#include <gtest/gtest.h>

#include <string>
#include "creature_world.h"
#include "levels/collision_grid.h"
#include "levels/level.h"

namespace {

// A creature falls straight down from y 73 onto the ground (it rests at y 93);
// fallStartY is set so that the measured fall has the wanted height.
TEST(Falls, LandingKillsOnlyAfterMoreThan100Px) {
    const struct { const char* name; int32_t height, skill; bool survives; int32_t skillAfter; } cases[] = {
        {"walker100", 100, skillWalk, true, skillWalk},
        {"walker101", 101, skillWalk, false, skillWalk},
        {"floater100KeepsSkill", 100, skillFloat, true, skillFloat},
        {"floater101SpendsSkill", 101, skillFloat, true, skillWalk},
        {"climber101", 101, skillClimb, false, skillClimb},
        {"builderDropsSkill", 10, skillBuild, true, skillWalk},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        flatLevel();
        Creature& c = place(0, 50.5f, 73.0f, k.skill);
        c.falling = 1;
        c.fallStartY = 93 - k.height;
        tick();
        EXPECT_EQ(c.fy, k.skill == skillFloat ? 73.5f : 75.0f);
        for (int32_t i = 0; i < 100 && c.falling == 1; ++i) tick();
        EXPECT_EQ(c.y, 93);
        EXPECT_EQ(c.fx, 50.5f);
        EXPECT_EQ(c.inPlay, k.survives ? 1 : 0);
        EXPECT_EQ(c.skill, k.skillAfter);
    }
}

// A walker at x 50 heads right for a step starting at column 60, drawn from
// its top row down: T terrain, B brick. A climber climbs even a wall and walks
// on at its top.
TEST(Steps, WalkerClimbsOrTurns) {
    const struct { const char* rows; int32_t skill; bool climbs; } cases[] = {
        {"TT", skillWalk, true},   {"TTT", skillWalk, false},   {"BTT", skillWalk, true},
        {"BBBB", skillWalk, true}, {"BBBBB", skillWalk, false}, {"TTTTTT", skillClimb, true},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(std::string(k.rows) + " skill " + std::to_string(k.skill));
        flatLevel();
        const int32_t height = static_cast<int32_t>(std::string(k.rows).size());
        for (int32_t i = 0; i < height; ++i) {
            const int32_t row = groundTop - height + i;
            paint(60, row, 120, row, k.rows[i] == 'B' ? cellBrick : cellTerrain);
        }
        const Creature& c = place(0, 50.0f, standingY, k.skill);
        tick(40);
        EXPECT_EQ(c.dir, k.climbs ? 1 : -1);
        EXPECT_EQ(c.x > 60, k.climbs);
        EXPECT_EQ(c.y, 94 - (k.climbs ? height : 0));
    }
}

// A block hangs in the columns in front from row 86 (y - 8) down: only five
// or more terrain cells among the 14 rows make a wall.
TEST(Walls, FiveTerrainCellsInFrontTurnAWalker) {
    const struct { int32_t cells; uint8_t material; bool turns; } cases[] = {
        {4, cellTerrain, false}, {5, cellTerrain, true}, {13, cellBrick, false}};
    for (const auto& k : cases) {
        flatLevel();
        paint(60, 86, 62, 86 + k.cells - 1, k.material);
        const Creature& c = place(0, 58.0f, standingY);
        tick(5);
        EXPECT_EQ(c.dir, k.turns ? -1 : 1) << k.cells << " cells of " << int(k.material);
    }
}

TEST(Climbers, OverhangFiveRowsAboveTheHeadTurnsAClimberIntoAWalker) {
    flatLevel();
    paint(60, 0, 120, 99, cellTerrain);
    paint(50, 70, 59, 72, cellTerrain);
    const Creature& c = place(0, 59.0f, standingY, skillClimb);
    for (int32_t i = 0; i < 100 && c.skill == skillClimb; ++i) tick();
    EXPECT_EQ(c.skill, skillWalk);
    EXPECT_EQ(c.dir, -1);
    EXPECT_EQ(c.y, 77);
}

// A climber (record 1) near blockers in records 0 and 2 faces away from the
// highest-indexed one near it and becomes a walker.
TEST(Blockers, WalkerFacesAwayFromTheLastNearBlocker) {
    const struct { int32_t walkerX, walkerY, firstX, secondX; bool near; int32_t dirAfter; } cases[] = {
        {84, 94, 100, 0, true, -1},    {83, 94, 100, 0, false, 1},  {116, 94, 100, 0, true, 1},
        {117, 94, 100, 0, false, -1},  {95, 88, 100, 0, true, -1},  {95, 87, 100, 0, false, 1},
        {100, 94, 90, 110, true, -1},  {100, 94, 110, 90, true, 1},
    };
    for (const auto& k : cases) {
        flatLevel();
        place(0, static_cast<float>(k.firstX), standingY, skillBlock);
        if (k.secondX != 0) place(2, static_cast<float>(k.secondX), standingY, skillBlock);
        Creature& c = place(1, static_cast<float>(k.walkerX), static_cast<float>(k.walkerY), skillClimb);
        c.dir = k.near ? -k.dirAfter : k.dirAfter;
        tick();
        EXPECT_EQ(c.dir, k.dirAfter) << k.walkerX << "," << k.walkerY;
        EXPECT_EQ(c.skill, k.near ? skillWalk : skillClimb) << k.walkerX << "," << k.walkerY;
    }
}

// The walker's (x, y) relative to the exit's corner (100, 100); all bounds strict.
TEST(ExitBox, StrictBoundsSaveAWalker) {
    const struct { int32_t dx, dy; bool saved; } cases[] = {
        {-4, 10, false}, {-3, 10, true}, {19, 10, true}, {20, 10, false},
        {5, 0, false},   {5, 1, true},   {5, 31, true},  {5, 32, false},
    };
    for (const auto& k : cases) {
        makeLevel(300, 300);
        exitX = exitY = 100;
        paint(0, 106 + k.dy, 299, 106 + k.dy, cellTerrain);
        const Creature& c = place(0, static_cast<float>(100 + k.dx), static_cast<float>(100 + k.dy));
        tick();
        EXPECT_EQ(savedCount, k.saved ? 1 : 0) << k.dx << "," << k.dy;
        EXPECT_EQ(c.inPlay, k.saved ? 0 : 1) << k.dx << "," << k.dy;
    }
}

// Blockers do not move, so the area rule alone decides; a creature that leaves
// still counts as live in that tick.
TEST(Area, LeavingTheLevelAreaEndsPlay) {
    const struct { float fx, fy; bool stays; } cases[] = {
        {2.0f, 50.0f, false},  {2.01f, 50.0f, true},  {299.9f, 50.0f, true},  {300.0f, 50.0f, false},
        {50.0f, 2.0f, false},  {50.0f, 2.5f, true},   {50.0f, 199.5f, true},  {50.0f, 200.0f, false},
        {-1e30f, 50.0f, false},
    };
    for (const auto& k : cases) {
        makeLevel(300, 200);
        const Creature& c = place(0, k.fx, k.fy, skillBlock);
        tick();
        EXPECT_EQ(c.inPlay, k.stays ? 1 : 0) << k.fx << "," << k.fy;
        EXPECT_EQ(liveCount, 1);
    }
}

}  // namespace
