#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "creature_world.h"
#include "creatures/movement.h"
#include "levels/collision_grid.h"
#include "levels/level.h"
#include "platform/headless.h"
#include "platform/sound.h"
#include "shell/sound_effects.h"

namespace {

// Ticks with the sounds of each started at its end, as the main loop's pause
// does, 20 ms apart; returns the plays by sound and the loudest of each.
struct Heard {
    std::map<int, int> plays, loudest;
};
Heard tickAndListen(int32_t ticks) {
    resetHeadlessSounds();
    resetSounds();
    loadSoundEffects();  // from data/sounds in the build folder
    for (int32_t i = 0; i < ticks; ++i) {
        creatureTick(creatureCapacity - 1, levelWidth, levelHeight);
        startAskedSounds();
        advanceHeadlessClock(200);
    }
    Heard heard;
    for (const HeadlessSoundPlay& play : headlessSoundPlays()) {
        ++heard.plays[play.id];
        heard.loudest[play.id] = std::max(heard.loudest[play.id], play.volume);
    }
    return heard;
}

TEST(SoundRules, EachMomentIsHeardOnceAndManyAtOnceLouder) {
    const struct {
        const char* name;
        std::function<void()> setUp;
        int32_t ticks;
        std::map<int, int> plays, loudest;
    } cases[] = {
        {"three saved in one tick",
         [] {
             flatLevel();
             exitX = 100;
             exitY = 70;
             for (int32_t i = 0; i < 3; ++i) place(i, 104.5f + static_cast<float>(i), standingY);
         },
         1, {{soundSaved, 1}}, {{soundSaved, 192}}},
        {"off the right edge", [] { place(0, (flatLevel(), 298.5f), standingY); }, 3,
         {{soundOffLevel, 1}}, {{soundOffLevel, 128}}},
        {"saved, then not lost off the level as well",
         [] {
             flatLevel();
             exitX = 290;
             exitY = 70;
             place(0, 299.5f, standingY);
         },
         3, {{soundSaved, 1}}, {{soundSaved, 128}}},
        {"digger through a thin floor",
         [] {
             makeLevel(300, 200);
             paint(0, groundTop, 299, groundTop + 3, cellTerrain);
             place(0, 150.5f, standingY, skillDig);
         },
         20, {{soundBreakThrough, 1}}, {{soundBreakThrough, 128}}},
        // Bricks from tick 290 on clink every 15 ticks until the last at 350.
        {"builder's last bricks",
         [] {
             flatLevel(800);
             place(0, 100.5f, standingY, skillBuild).skillTicks = 280;
         },
         80, {{soundLastBricks, 5}}, {{soundLastBricks, 128}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.setUp();
        const Heard heard = tickAndListen(c.ticks);
        EXPECT_EQ(heard.plays, c.plays);
        EXPECT_EQ(heard.loudest, c.loudest);
    }
}

}  // namespace
