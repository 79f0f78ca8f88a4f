#include <gtest/gtest.h>

#include "creature_world.h"
#include "creatures/pick.h"
#include "creatures/skills.h"
#include "interface/screens.h"
#include "levels/level.h"
#include "shell/play_state.h"

namespace {

// A play screen scrolled by (-30, -10) with three uses of every skill;
// creature 0 stands at level (100, 94), screen (70, 84).
void pickScene(int32_t selected) {
    makeLevel(800, 300);
    screen = screenPlay;
    scrollX = -30;
    scrollY = -10;
    for (int32_t s = skillBlock; s <= skillExplode; ++s) skillUses[s] = 3;
    hoveredCreature = 0;
    selectedSkill = selected;
    place(0, 100.0f, standingY);
}

// As the input step does: the highlight is cleared before the pick runs again.
void pointAt(int32_t x, int32_t y, int32_t buttons) {
    creatures[hoveredCreature].highlighted = 0;
    mouseX = x;
    mouseY = y;
    mouseButtons = buttons;
    pickCreature();
}

// Within 12 pixels each way; the highest index under the pointer wins.
TEST(Pick, PointerWithin12PixelsPicksTheHighestIndex) {
    const struct { int32_t dx, dy; bool picked; } cases[] = {
        {12, 12, true}, {-12, -12, true}, {13, 0, false}, {0, -13, false}, {-13, 12, false}};
    for (const auto& k : cases) {
        pickScene(skillBlock);
        pointAt(70 + k.dx, 84 + k.dy, 1);
        EXPECT_EQ(creatures[0].highlighted, k.picked ? 1 : 0) << k.dx << "," << k.dy;
        EXPECT_EQ(skillUses[skillBlock], k.picked ? 2 : 3) << k.dx << "," << k.dy;
    }
    pickScene(skillBlock);
    place(4, 104.0f, standingY);
    place(9, 96.0f, standingY).inPlay = 0;
    pointAt(70, 84, 1);
    EXPECT_EQ(hoveredCreature, 4);
    EXPECT_EQ(creatures[4].skill, skillBlock);
    EXPECT_EQ(creatures[0].skill, skillWalk);
    EXPECT_EQ(creatures[0].highlighted, 0);
}

// Only walkers take a skill, anyone on the ground a fuse, and each takes a use.
TEST(Pick, SkillsAndFusesFollowTheRules) {
    const struct { int32_t selected, before, falling, uses, after, fuse, usesAfter; } cases[] = {
        {skillDig, skillWalk, 0, 3, skillDig, noFuse, 2},
        {skillDig, skillWalk, 0, 0, skillWalk, noFuse, 0},
        {skillDig, skillBuild, 0, 3, skillBuild, noFuse, 3},
        {skillExplode, skillBlock, 0, 3, skillBlock, fuseSeconds, 2},
        {skillExplode, skillWalk, 0, 0, skillWalk, noFuse, 0},
        {skillFloat, skillWalk, 1, 3, skillWalk, noFuse, 3},
    };
    for (const auto& k : cases) {
        pickScene(k.selected);
        Creature& c = creatures[0];
        c.skill = k.before;
        c.falling = k.falling;
        c.skillTicks = 40;
        skillUses[k.selected] = k.uses;
        pointAt(70, 84, 1);
        SCOPED_TRACE(testing::Message() << "skill " << k.selected << " to " << k.before);
        EXPECT_EQ(c.skill, k.after);
        EXPECT_EQ(c.fuse, k.fuse);
        const bool given = c.skill != k.before || c.fuse != noFuse;
        EXPECT_EQ(c.skillTicks, given ? 0 : 40);
        EXPECT_EQ(skillUses[k.selected], k.usesAfter);
    }
}

// One press lights each fuse once however long the button stays down, also a
// press that starts over empty space or is dragged onto another creature; a
// new press lights it again.
TEST(Pick, HeldButtonLightsEachFuseOncePerPress) {
    pickScene(skillExplode);
    Creature& a = creatures[0];
    Creature& b = place(1, 200.0f, standingY);
    pointAt(300, 300, 1);
    pointAt(70, 84, 1);
    EXPECT_EQ(a.fuse, 6);
    a.fuse = 5;  // a second burns
    pointAt(71, 84, 1);
    EXPECT_EQ(a.fuse, 5);
    pointAt(170, 84, 1);
    EXPECT_EQ(b.fuse, 6);
    pointAt(70, 84, 0);
    pointAt(70, 84, 1);
    EXPECT_EQ(a.fuse, 6);
    EXPECT_EQ(skillUses[skillExplode], 0);
}

}  // namespace
