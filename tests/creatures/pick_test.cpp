#include <gtest/gtest.h>

#include "creature_world.h"
#include "creatures/pick.h"
#include "creatures/skills.h"
#include "interface/screens.h"
#include "levels/level.h"
#include "shell/play_state.h"

namespace {

// A play screen scrolled by (-30, -10) with three uses of every skill and the
// left button up; creature 0 stands at level (100, 94), screen (70, 84).
void pickScene() {
    makeLevel(800, 300);
    screen = screenPlay;
    scrollX = -30;
    scrollY = -10;
    for (int32_t s = skillBlock; s <= skillExplode; ++s) skillUses[s] = 3;
    selectedSkill = skillWalk;
    hoveredCreature = 0;
    mouseButtons = 0;
    mouseX = mouseY = 0;
    pickCreature();  // forget any press left over from another test
    place(0, 100.0f, 94.0f);
}

// The input step: the highlight is cleared before the pick runs again.
void inputStep(int32_t x, int32_t y, int32_t buttons) {
    creatures[hoveredCreature].highlighted = 0;
    mouseX = x;
    mouseY = y;
    mouseButtons = buttons;
    pickCreature();
}

struct SquareCase {
    int32_t dx, dy;
    bool picked;
};

class PickSquare : public testing::TestWithParam<SquareCase> {};

TEST_P(PickSquare, PointerWithin12PixelsPicks) {
    const SquareCase k = GetParam();
    pickScene();
    selectedSkill = skillBlock;
    inputStep(70 + k.dx, 84 + k.dy, 1);
    const Creature& c = creatures[0];
    EXPECT_EQ(c.highlighted, k.picked ? 1 : 0);
    EXPECT_EQ(c.skill, k.picked ? skillBlock : skillWalk);
    EXPECT_EQ(skillUses[skillBlock], k.picked ? 2 : 3);
}

INSTANTIATE_TEST_SUITE_P(Offsets, PickSquare,
                         testing::Values(SquareCase{0, 0, true}, SquareCase{12, 12, true},
                                         SquareCase{-12, -12, true}, SquareCase{13, 0, false},
                                         SquareCase{-13, 0, false}, SquareCase{0, 13, false},
                                         SquareCase{0, -13, false}, SquareCase{12, -13, false}));

struct GiveCase {
    const char* name;
    int32_t selected;
    int32_t skillBefore;
    int32_t falling;
    int32_t uses;
    int32_t skillAfter;
    int32_t fuseAfter;
    int32_t usesAfter;
};

class Give : public testing::TestWithParam<GiveCase> {};

TEST_P(Give, SkillAndCountFollowTheRules) {
    const GiveCase& k = GetParam();
    pickScene();
    Creature& c = creatures[0];
    c.skill = k.skillBefore;
    c.falling = k.falling;
    c.skillTicks = 40;
    selectedSkill = k.selected;
    if (k.selected >= skillBlock && k.selected <= skillExplode) skillUses[k.selected] = k.uses;
    inputStep(70, 84, 1);
    EXPECT_EQ(c.highlighted, 1);
    EXPECT_EQ(hoveredCreature, 0);
    EXPECT_EQ(c.skill, k.skillAfter);
    EXPECT_EQ(c.fuse, k.fuseAfter);
    const bool changed = c.skill != k.skillBefore || c.fuse != noFuse;
    EXPECT_EQ(c.skillTicks, changed ? 0 : 40);
    if (k.selected >= skillBlock && k.selected <= skillExplode) {
        EXPECT_EQ(skillUses[k.selected], k.usesAfter);
    }
    for (int32_t s = skillBlock; s <= skillExplode; ++s) {
        if (s != k.selected) {
            EXPECT_EQ(skillUses[s], 3) << "skill " << s;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rules, Give,
    testing::Values(GiveCase{"digToWalker", skillDig, skillWalk, 0, 3, skillDig, noFuse, 2},
                    GiveCase{"climbToWalker", skillClimb, skillWalk, 0, 1, skillClimb, noFuse, 0},
                    GiveCase{"noUsesLeft", skillDig, skillWalk, 0, 0, skillWalk, noFuse, 0},
                    GiveCase{"builderRefusesDig", skillDig, skillBuild, 0, 3, skillBuild, noFuse, 3},
                    GiveCase{"builderTakesFuse", skillExplode, skillBuild, 0, 3, skillBuild, 6, 2},
                    GiveCase{"blockerTakesFuse", skillExplode, skillBlock, 0, 3, skillBlock, 6, 2},
                    GiveCase{"fuseWithoutUses", skillExplode, skillWalk, 0, 0, skillWalk, noFuse, 0},
                    GiveCase{"fallingTakesNothing", skillFloat, skillWalk, 1, 3, skillWalk, noFuse, 3},
                    GiveCase{"fallingTakesNoFuse", skillExplode, skillWalk, 1, 3, skillWalk, noFuse, 3},
                    GiveCase{"walkSelectedGivesNothing", skillWalk, skillWalk, 0, 3, skillWalk, noFuse, 3},
                    GiveCase{"strangeSelection", 42, skillWalk, 0, 3, skillWalk, noFuse, 3}),
    caseName<GiveCase>);

TEST(Pick, HighestIndexUnderThePointerWins) {
    pickScene();
    place(4, 104.0f, 94.0f);
    place(9, 96.0f, 94.0f).inPlay = 0;
    selectedSkill = skillBlock;
    inputStep(70, 84, 1);
    EXPECT_EQ(hoveredCreature, 4);
    EXPECT_EQ(creatures[4].skill, skillBlock);
    EXPECT_EQ(creatures[0].skill, skillWalk);
    EXPECT_EQ(creatures[0].highlighted, 0);
    EXPECT_EQ(skillUses[skillBlock], 2);
}

TEST(Pick, HighlightFollowsThePointerAndOnlyOnThePlayScreen) {
    pickScene();
    inputStep(70, 84, 0);
    EXPECT_EQ(creatures[0].highlighted, 1);
    inputStep(300, 300, 0);
    EXPECT_EQ(creatures[0].highlighted, 0);
    screen = screenPause;
    selectedSkill = skillBlock;
    inputStep(70, 84, 1);
    EXPECT_EQ(creatures[0].highlighted, 0);
    EXPECT_EQ(creatures[0].skill, skillWalk);
}

// One press lights a fuse once however long the button stays down; a new
// press lights it again, and other creatures reached during the press are lit.
TEST(Pick, HeldButtonLightsEachFuseOncePerPress) {
    pickScene();
    place(1, 200.0f, 94.0f);
    selectedSkill = skillExplode;
    Creature& a = creatures[0];
    Creature& b = creatures[1];
    inputStep(70, 84, 1);
    EXPECT_EQ(a.fuse, 6);
    a.fuse = 5;  // a second burns
    inputStep(70, 84, 1);
    inputStep(71, 84, 1);
    EXPECT_EQ(a.fuse, 5);
    EXPECT_EQ(skillUses[skillExplode], 2);
    inputStep(170, 84, 1);  // dragged onto the other creature
    EXPECT_EQ(b.fuse, 6);
    EXPECT_EQ(skillUses[skillExplode], 1);
    inputStep(70, 84, 1);
    EXPECT_EQ(a.fuse, 5);
    inputStep(70, 84, 0);
    inputStep(70, 84, 1);  // a new press restarts the fuse
    EXPECT_EQ(a.fuse, 6);
    EXPECT_EQ(skillUses[skillExplode], 0);
}

TEST(Pick, PressHeldOverEmptySpaceStillLightsALaterCreature) {
    pickScene();
    selectedSkill = skillExplode;
    inputStep(300, 300, 1);
    inputStep(70, 84, 1);
    EXPECT_EQ(creatures[0].fuse, 6);
    EXPECT_EQ(skillUses[skillExplode], 2);
}

}  // namespace
