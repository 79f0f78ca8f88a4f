#include "main_loop.h"

#include <cstdio>

#include "../creatures/creature_table.h"
#include "../creatures/movement.h"
#include "../creatures/skills.h"
#include "../interface/frame.h"
#include "../interface/screens.h"
#include "../levels/collision_grid.h"
#include "../levels/level.h"
#include "../platform/bmp.h"
#include "../platform/input.h"
#include "../platform/screen.h"
#include "../platform/sound.h"
#include "play_state.h"
#include "sound_effects.h"

Image* spriteSheet = nullptr;
int32_t frameCount, tickCount, fps, lps;

// The logic step's interval lies far below the 20 ms sleep: one tick per pass.
const double stepInterval[timedStepCount] = {0.0002, 0.075, 0.02, 0.02, 1.0};
double stepLastFired[timedStepCount];

namespace {

// Runs when the interval has passed since the step last ran; missed intervals
// are not made up.
bool stepDue(TimedStep step) {
    const double now = timerSeconds();
    if (now - stepLastFired[step] < stepInterval[step]) return false;
    stepLastFired[step] = now;
    return true;
}

}  // namespace

void startGame(int argc, char** argv) {
    platformStart(argc, argv);
    if (openScreen(screenWidth, screenHeight, 32, 2, 0, 0) != 0) {
        std::fprintf(stderr, "%s: the 640x480 window could not be opened.\n", programName());
        endProgram(1);
    }
    terrainImage = createImage(1, 1);
    spriteSheet = createImage(290, 384);
    if (loadBmp("data\\main.bmp", spriteSheet) != bmpLoaded)
        std::fprintf(stderr, "%s: data\\main.bmp could not be read; creatures and icons will not show.\n",
                     programName());
    resetSounds();
    loadSoundEffects();
    selectedSkill = skillWalk;
    showScreen(screenMainMenu);
    resizeGrid(1, 1);  // 2 x 2 empty cells until the first level
}

void runPass() {
    // A level loaded during this pass takes effect for the steps in the next one.
    const int32_t lastIndex = lastCreatureIndex;
    const int32_t width = levelWidth;
    const int32_t height = levelHeight;
    sleepMs(20);
    if (stepDue(stepLogic)) {
        if (screen == screenPlay) {
            creatureTick(lastIndex, width, height);
            entryRule(lastIndex);
        }
        tickCount += 1;
    }
    if (stepDue(stepAnimation)) animateCreatures(lastIndex);
    if (stepDue(stepFrame)) {
        countStates(lastIndex);
        drawFrame(lastIndex);
        frameCount += 1;
    }
    if (stepDue(stepInput)) inputStep();
    if (stepDue(stepSecond)) {
        fps = frameCount;
        frameCount = 0;
        lps = tickCount;
        tickCount = 0;
        levelEndTest();
        burnFuses(lastIndex);
    }
}

void endGame() {
    if (terrainImage != nullptr) destroyImage(terrainImage);
    releaseSpareTerrain();
    if (spriteSheet != nullptr) destroyImage(spriteSheet);
}
