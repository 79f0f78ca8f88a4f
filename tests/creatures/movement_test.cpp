#include <gtest/gtest.h>

#include "creature_world.h"
#include "creatures/movement.h"
#include "levels/collision_grid.h"
#include "levels/level.h"

namespace {

// Ground's top row in most scenes; a walker on it stands at y = 94.
constexpr int32_t groundTop = 100;
constexpr float standingY = 94.0f;

void flatLevel() {
    makeLevel(300, 200);
    paint(0, groundTop, 299, 199, cellTerrain);
}

struct FallCase {
    const char* name;
    int32_t height;  // y at landing minus fallStartY
    int32_t skill;
    bool survives;
    int32_t skillAfter;
};

class Falls : public testing::TestWithParam<FallCase> {};

// The creature falls from y 173 onto ground at row 200 (it rests at y 193);
// fallStartY is set so the measured fall has the wanted height.
TEST_P(Falls, LandingKillsOnlyAfterMoreThan100Px) {
    const FallCase& k = GetParam();
    makeLevel(300, 300);
    paint(0, 200, 299, 299, cellTerrain);
    Creature& c = place(0, 50.5f, 173.0f, k.skill);
    c.falling = 1;
    c.fallStartY = 193 - k.height;
    tickUntilLanded(c);
    EXPECT_EQ(c.falling, 0);
    EXPECT_EQ(c.y, 193);
    EXPECT_EQ(c.inPlay, k.survives ? 1 : 0);
    if (k.survives) {
        EXPECT_EQ(c.skill, k.skillAfter);
    }
    EXPECT_EQ(c.fx, 50.5f) << "a fall is straight down";
}

INSTANTIATE_TEST_SUITE_P(
    Heights, Falls,
    testing::Values(FallCase{"walker100", 100, skillWalk, true, skillWalk},
                    FallCase{"walker101", 101, skillWalk, false, 0},
                    FallCase{"floater100KeepsSkill", 100, skillFloat, true, skillFloat},
                    FallCase{"floater101SpendsSkill", 101, skillFloat, true, skillWalk},
                    FallCase{"climberKeepsSkill", 40, skillClimb, true, skillClimb},
                    FallCase{"climber101", 101, skillClimb, false, 0},
                    FallCase{"builderDropsSkill", 10, skillBuild, true, skillWalk}),
    caseName<FallCase>);

TEST(Falls, FloaterKeepsSkillOnAShortDropAndFloatsTheNextLongOne) {
    makeLevel(300, 300);
    paint(0, 100, 60, 109, cellTerrain);   // a ledge
    paint(0, 260, 299, 299, cellTerrain);  // the floor 160 px below it
    Creature& c = place(0, 30.0f, 50.0f, skillFloat);
    c.falling = 1;
    tick();
    EXPECT_EQ(c.fy, 50.5f) << "a floater sinks half a pixel a tick";
    tickUntilLanded(c);
    ASSERT_EQ(c.inPlay, 1);
    EXPECT_EQ(c.skill, skillFloat);
    for (int32_t i = 0; i < 100 && c.falling == 0; ++i) tick();
    ASSERT_EQ(c.falling, 1) << "walks off the ledge";
    tickUntilLanded(c);
    EXPECT_EQ(c.inPlay, 1);
    EXPECT_EQ(c.y, 253);
    EXPECT_EQ(c.skill, skillWalk);
}

struct StepCase {
    const char* name;
    int32_t height;    // rows of the step above the ground
    uint8_t material;  // terrain or brick
    int32_t skill;
    bool climbs;
};

class Steps : public testing::TestWithParam<StepCase> {};

// A walker at x 50 heads right for a step that starts at column 60.
TEST_P(Steps, WalkerClimbsOrTurns) {
    const StepCase& k = GetParam();
    flatLevel();
    paint(60, groundTop - k.height, 120, groundTop - 1, k.material);
    Creature& c = place(0, 50.0f, standingY, k.skill);
    tick(40);
    ASSERT_EQ(c.inPlay, 1);
    EXPECT_EQ(c.falling, 0);
    if (k.climbs) {
        EXPECT_EQ(c.dir, 1);
        EXPECT_GT(c.x, 60);
        EXPECT_EQ(c.y, static_cast<int32_t>(standingY) - k.height) << "walks on top of the step";
    } else {
        EXPECT_EQ(c.dir, -1);
        EXPECT_LT(c.x, 60);
        EXPECT_EQ(c.y, static_cast<int32_t>(standingY));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Heights, Steps,
    testing::Values(StepCase{"terrain1", 1, cellTerrain, skillWalk, true},
                    StepCase{"terrain2", 2, cellTerrain, skillWalk, true},
                    StepCase{"terrain3", 3, cellTerrain, skillWalk, false},
                    StepCase{"terrain4", 4, cellTerrain, skillWalk, false},
                    StepCase{"terrain5", 5, cellTerrain, skillWalk, false},
                    StepCase{"terrain6", 6, cellTerrain, skillWalk, false},
                    StepCase{"brick1", 1, cellBrick, skillWalk, true},
                    StepCase{"brick3", 3, cellBrick, skillWalk, true},
                    StepCase{"brick4", 4, cellBrick, skillWalk, true},
                    StepCase{"brick5", 5, cellBrick, skillWalk, false},
                    StepCase{"brick6", 6, cellBrick, skillWalk, false},
                    StepCase{"floater3", 3, cellTerrain, skillFloat, false},
                    StepCase{"climberTerrain3", 3, cellTerrain, skillClimb, true},
                    StepCase{"climberTerrain6", 6, cellTerrain, skillClimb, true},
                    StepCase{"climberBrick6", 6, cellBrick, skillClimb, true}),
    caseName<StepCase>);

TEST(Steps, MixedStepOfThreeWithOneBrickIsClimbed) {
    flatLevel();
    paint(60, 97, 120, 99, cellTerrain);
    paint(60, 98, 120, 98, cellBrick);
    Creature& c = place(0, 50.0f, standingY);
    tick(40);
    EXPECT_EQ(c.dir, 1);
    EXPECT_EQ(c.y, 91);
}

struct DropCase {
    int32_t depth;
    bool falls;
};

class Drops : public testing::TestWithParam<DropCase> {};

TEST_P(Drops, ShallowIsSteppedDownDeepIsAnEdge) {
    const DropCase k = GetParam();
    flatLevel();
    paint(60, groundTop, 299, groundTop + k.depth - 1, cellEmpty);
    Creature& c = place(0, 59.0f, standingY);
    tick();
    EXPECT_EQ(c.falling, k.falls ? 1 : 0);
    EXPECT_EQ(c.fx, k.falls ? 60.0f : 59.0f);
    EXPECT_EQ(c.fy, k.falls ? standingY : standingY + 0.5f);
    tick(30);
    EXPECT_EQ(c.falling, 0);
    EXPECT_EQ(c.y, 94 + k.depth);
    EXPECT_GT(c.x, 60);
}

INSTANTIATE_TEST_SUITE_P(Depths, Drops,
                         testing::Values(DropCase{1, false}, DropCase{2, false}, DropCase{3, true},
                                         DropCase{10, true}));

struct WallCase {
    const char* name;
    int32_t cells;  // height of a block hanging in the rows in front, from y - 8 down
    uint8_t material;
    bool turns;
};

class Walls : public testing::TestWithParam<WallCase> {};

// A block in the column in front that does not reach the ground: the walker
// only turns when five or more terrain cells lie in its 14 rows.
TEST_P(Walls, FiveTerrainCellsInFrontTurnAWalker) {
    const WallCase& k = GetParam();
    flatLevel();
    paint(60, 86, 62, 86 + k.cells - 1, k.material);
    Creature& c = place(0, 58.0f, standingY);
    tick(5);
    EXPECT_EQ(c.dir, k.turns ? -1 : 1);
    EXPECT_EQ(c.x > 60, !k.turns);
}

INSTANTIATE_TEST_SUITE_P(
    Counts, Walls,
    testing::Values(WallCase{"terrain4", 4, cellTerrain, false}, WallCase{"terrain5", 5, cellTerrain, true},
                    WallCase{"terrain12", 12, cellTerrain, true},
                    WallCase{"brick13", 13, cellBrick, false}),
    caseName<WallCase>);

TEST(Climbers, ClimbAWallAndWalkOnAtTheTop) {
    flatLevel();
    paint(60, 60, 120, 99, cellTerrain);
    Creature& c = place(0, 57.0f, standingY, skillClimb);
    tick(2);
    EXPECT_EQ(c.fx, 59.0f);
    tick();
    EXPECT_EQ(c.fy, standingY - 0.5f) << "climbs in place";
    EXPECT_EQ(c.fx, 59.0f);
    tick(90);
    ASSERT_EQ(c.inPlay, 1);
    EXPECT_EQ(c.falling, 0);
    EXPECT_EQ(c.y, 54);
    EXPECT_GT(c.x, 62);
    EXPECT_EQ(c.dir, 1);
    EXPECT_EQ(c.skill, skillClimb);
}

TEST(Climbers, OverhangTurnsAClimberIntoAWalker) {
    flatLevel();
    paint(60, 0, 120, 99, cellTerrain);
    paint(50, 70, 59, 72, cellTerrain);  // a ledge over the climber's head
    Creature& c = place(0, 59.0f, standingY, skillClimb);
    for (int32_t i = 0; i < 100 && c.skill == skillClimb; ++i) tick();
    EXPECT_EQ(c.skill, skillWalk);
    EXPECT_EQ(c.dir, -1);
    EXPECT_EQ(c.skillTicks, 2);
    EXPECT_EQ(c.y, 77) << "the overhang is found 5 rows above the head";
}

TEST(Climbers, BecomeWalkersOnLevelGroundAfter100Ticks) {
    flatLevel();
    Creature& c = place(0, 50.0f, standingY, skillClimb);
    c.skillTicks = 100;
    tick();
    EXPECT_EQ(c.skill, skillClimb) << "not more than 100 yet";
    tick();
    EXPECT_EQ(c.skill, skillWalk);
    EXPECT_EQ(c.skillTicks, 2);
}

struct BlockerCase {
    const char* name;
    int32_t walkerX, walkerY;
    int32_t firstX;   // blocker in record 0
    int32_t secondX;  // blocker in record 2, or 0 for none
    bool near;
    int32_t dirAfter;
};

class Blockers : public testing::TestWithParam<BlockerCase> {};

TEST_P(Blockers, WalkerFacesAwayFromTheLastNearBlocker) {
    const BlockerCase& k = GetParam();
    flatLevel();
    place(0, static_cast<float>(k.firstX), standingY, skillBlock);
    if (k.secondX != 0) place(2, static_cast<float>(k.secondX), standingY, skillBlock);
    Creature& c = place(1, static_cast<float>(k.walkerX), static_cast<float>(k.walkerY), skillClimb, 1);
    c.dir = k.near ? -k.dirAfter : k.dirAfter;
    c.skillTicks = 50;
    tick();
    EXPECT_EQ(c.dir, k.dirAfter);
    EXPECT_EQ(c.skill, k.near ? skillWalk : skillClimb);
    EXPECT_EQ(c.skillTicks, k.near ? 2 : 51);
}

INSTANTIATE_TEST_SUITE_P(
    Positions, Blockers,
    testing::Values(BlockerCase{"left16", 84, 94, 100, 0, true, -1},
                    BlockerCase{"left17", 83, 94, 100, 0, false, 1},
                    BlockerCase{"right16", 116, 94, 100, 0, true, 1},
                    BlockerCase{"right17", 117, 94, 100, 0, false, -1},
                    BlockerCase{"sameColumnFacesRight", 100, 94, 100, 0, true, 1},
                    BlockerCase{"sixRowsAbove", 95, 88, 100, 0, true, -1},
                    BlockerCase{"sevenRowsAbove", 95, 87, 100, 0, false, 1},
                    BlockerCase{"higherIndexDecidesLeft", 100, 94, 90, 110, true, -1},
                    BlockerCase{"higherIndexDecidesRight", 100, 94, 110, 90, true, 1}),
    caseName<BlockerCase>);

TEST(Blockers, WalkersNeverBlockEachOther) {
    flatLevel();
    Creature& a = place(0, 100.0f, standingY, skillWalk, 1);
    Creature& b = place(1, 101.0f, standingY, skillWalk, -1);
    tick(3);
    EXPECT_EQ(a.dir, 1);
    EXPECT_EQ(b.dir, -1);
    EXPECT_EQ(a.fx, 103.0f);
}

TEST(Blockers, BlockerStaysWhenItsGroundIsDugAway) {
    flatLevel();
    Creature& b = place(0, 100.0f, standingY, skillBlock);
    paint(0, groundTop, 299, 199, cellEmpty);
    tick(10);
    EXPECT_EQ(b.inPlay, 1);
    EXPECT_EQ(b.falling, 0);
    EXPECT_EQ(b.fy, standingY);
}

struct ExitCase {
    int32_t dx, dy;  // reference point relative to (exitX, exitY)
    bool saved;
};

class ExitBox : public testing::TestWithParam<ExitCase> {};

TEST_P(ExitBox, StrictBoundsSaveAWalker) {
    const ExitCase k = GetParam();
    makeLevel(300, 300);
    exitX = 100;
    exitY = 100;
    const int32_t y = exitY + k.dy;
    paint(0, y + 6, 299, y + 6, cellTerrain);
    Creature& c = place(0, static_cast<float>(exitX + k.dx), static_cast<float>(y));
    tick();
    EXPECT_EQ(c.inPlay, k.saved ? 0 : 1);
    EXPECT_EQ(savedCount, k.saved ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Edges, ExitBox,
                         testing::Values(ExitCase{-4, 10, false}, ExitCase{-3, 10, true},
                                         ExitCase{19, 10, true}, ExitCase{20, 10, false},
                                         ExitCase{5, 0, false}, ExitCase{5, 1, true},
                                         ExitCase{5, 31, true}, ExitCase{5, 32, false}));

TEST(ExitBox, NotSavedWhileFallingOrBuilding) {
    makeLevel(300, 300);
    exitX = 100;
    exitY = 100;
    paint(0, 200, 299, 299, cellTerrain);
    Creature& faller = place(0, 105.0f, 102.0f);
    faller.falling = 1;
    Creature& builder = place(1, 110.0f, 110.0f, skillBuild);
    paint(100, 117, 120, 117, cellTerrain);
    tick(4);
    EXPECT_EQ(faller.inPlay, 1);
    EXPECT_EQ(builder.inPlay, 1);
    EXPECT_EQ(savedCount, 0);
}

struct AreaCase {
    float fx, fy;
    bool stays;
};

class Area : public testing::TestWithParam<AreaCase> {};

// Blockers do not move, so the area rule alone decides.
TEST_P(Area, LeavingTheLevelAreaEndsPlay) {
    const AreaCase k = GetParam();
    makeLevel(300, 200);
    Creature& c = place(0, k.fx, k.fy, skillBlock);
    tick();
    EXPECT_EQ(c.inPlay, k.stays ? 1 : 0);
    EXPECT_EQ(liveCount, 1) << "counted in the tick it leaves";
}

INSTANTIATE_TEST_SUITE_P(Bounds, Area,
                         testing::Values(AreaCase{2.0f, 50.0f, false}, AreaCase{2.01f, 50.0f, true},
                                         AreaCase{299.9f, 50.0f, true}, AreaCase{300.0f, 50.0f, false},
                                         AreaCase{50.0f, 2.0f, false}, AreaCase{50.0f, 2.5f, true},
                                         AreaCase{50.0f, 199.5f, true}, AreaCase{50.0f, 200.0f, false},
                                         AreaCase{-1e30f, 50.0f, false}, AreaCase{1e30f, 1e30f, false}));

}  // namespace
