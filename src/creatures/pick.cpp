#include "pick.h"

#include <cstdlib>
#include "../interface/screens.h"
#include "../levels/level.h"
#include "../platform/sound.h"
#include "../shell/sound_effects.h"
#include "../shell/play_state.h"
#include "creature_table.h"
#include "skills.h"

namespace {

// One press of the left button lights a creature's fuse once: while the button
// stays down the pick comes round every input step, and without this a single
// click would use up several counts on the same creature.
bool leftHeld = false;
bool litThisPress[creatureCapacity];

void trackLeftButton() {
    const bool down = (mouseButtons & 1) != 0;
    if (down && !leftHeld) {
        for (bool& lit : litThisPress) lit = false;
    }
    leftHeld = down;
}

bool underPointer(const Creature& c) {
    const int64_t dx = int64_t{scrollX} + c.x - mouseX;
    const int64_t dy = int64_t{scrollY} + c.y - mouseY;
    return std::llabs(dx) < 13 && std::llabs(dy) < 13;
}

int32_t creatureUnderPointer() {
    for (int32_t i = lastRecord(lastCreatureIndex); i >= 0; --i) {
        if (creatures[i].inPlay == 1 && underPointer(creatures[i])) return i;
    }
    return -1;
}

void giveSkill(Creature& c, int32_t skill) {
    if (skillUses[skill] <= 0 || c.skill != skillWalk) return;
    c.skill = skill;
    c.skillTicks = 0;
    --skillUses[skill];
    playSound(soundSkillGiven);
}

void lightFuse(Creature& c, int32_t index) {
    if (skillUses[skillExplode] <= 0 || litThisPress[index]) return;
    c.fuse = fuseSeconds;
    c.skillTicks = 0;
    --skillUses[skillExplode];
    litThisPress[index] = true;
    playSound(soundFuseLit);
}

}  // namespace

void forgetFusesLitByPress() {
    for (bool& lit : litThisPress) lit = false;
}

void pickCreature() {
    trackLeftButton();
    if (screen != screenPlay) return;
    const int32_t index = creatureUnderPointer();
    if (index < 0) return;
    Creature& c = creatures[index];
    c.highlighted = 1;
    hoveredCreature = index;
    if (!leftHeld || c.falling == 1) return;
    if (selectedSkill >= skillBlock && selectedSkill <= skillClimb) {
        giveSkill(c, selectedSkill);
    } else if (selectedSkill == skillExplode) {
        lightFuse(c, index);
    }
}
