#include "screens.h"

#include <span>
#include <string>

#include "../creatures/creature_table.h"
#include "../levels/level.h"
#include "../levels/level_loader.h"
#include "../platform/console.h"
#include "../platform/draw.h"
#include "../platform/files.h"
#include "../platform/input.h"
#include "../platform/screen.h"
#include "../platform/sound.h"
#include "../platform/text.h"
#include "../shell/play_state.h"
#include "../shell/sound_effects.h"
#include "widgets.h"

namespace {

struct WidgetLayout {
    uint8_t kind;
    IntPair position;
    IntPair size;
    const char* text;
    uint8_t action;
    uint8_t argument;
};

constexpr int32_t lastLevelNumber = 100;

constexpr WidgetLayout mainMenuWidgets[] = {
    {kindButton, {260, 150}, {120, 30}, "Play Game", actionScreen, screenLevel},
    {kindButton, {260, 200}, {120, 30}, "Options", actionScreen, screenOptions},
    {kindButton, {260, 250}, {120, 30}, "Credits", actionPrint, 0},
    {kindButton, {260, 300}, {120, 30}, "Exit Game", actionScreen, screenExitConfirm},
};

// "Full Screen" only sets the selected skill to 0, which play overwrites with 1.
constexpr WidgetLayout optionsWidgets[] = {
    {kindButton, {220, 190}, {200, 30}, "Full Screen", actionSkill, 0},
    {kindButton, {220, 230}, {200, 30}, "Music Volume", actionPrint, 0},
    {kindButton, {220, 270}, {200, 30}, "Sound Volume", actionPrint, 0},
    {kindButton, {260, 350}, {120, 30}, "<<-- Back", actionScreen, screenMainMenu},
};

constexpr WidgetLayout exitConfirmWidgets[] = {
    {kindLabel, {160, 150}, {330, 30}, "Do You really want to exit game?", 0, 0},
    {kindButton, {200, 200}, {60, 30}, "Yes", actionScreen, screenQuit},
    {kindButton, {380, 200}, {60, 30}, "No", actionScreen, screenMainMenu},
};

constexpr WidgetLayout pauseWidgets[] = {
    {kindLabel, {250, 150}, {140, 30}, "Pause", 0, 0},
    {kindButton, {250, 200}, {140, 30}, "Return to menu", actionScreen, screenMainMenu},
    {kindButton, {250, 350}, {140, 30}, "<<-- Back", actionScreen, screenPlay},
};

void addWidget(const WidgetLayout& layout) {
    if (layout.kind == kindLabel)
        addLabel(layout.position, layout.size, kindLabel, layout.text, 0, 0);
    else
        addButton(layout.position, layout.size, kindButton, layout.text, layout.action, layout.argument);
}

void addWidgets(std::span<const WidgetLayout> layouts) {
    for (const WidgetLayout& layout : layouts) addWidget(layout);
}

void addLabelText(IntPair position, IntPair size, const std::string& text) {
    addLabel(position, size, kindLabel, text, 0, 0);
}

std::string levelDataPath(int32_t level) { return "maps\\map" + intToText(level) + ".dat"; }

// Eight skill boxes and the arm-all box, each 34 px square.
void buildPlayScreen() {
    running = 1;
    for (int i = 1; i <= 8; ++i)
        addButton({50 * i + 29, 424}, {34, 34}, kindButton, "", actionSkill, static_cast<uint8_t>(i));
    addButton({479, 424}, {34, 34}, kindButton, "x", actionArmAll, 0);
    selectedSkill = 1;
    levelPlayed = 1;
}

void buildMainMenu() {
    running = 1;
    levelNumber = 1;
    addWidgets(mainMenuWidgets);
    levelPlayed = 0;
}

// The first level above the current one whose data file exists, up to the
// last level number; the current one when there is none.
void advanceToNextLevel() {
    for (int32_t k = levelNumber + 1; k <= lastLevelNumber; ++k) {
        if (fileExists(levelDataPath(k))) {
            levelNumber = k;
            return;
        }
    }
}

void buildLevelScreen() {
    addButton({240, 350}, {160, 30}, kindButton, "<<-- Back to menu", actionScreen, screenMainMenu);
    if (levelPlayed != 1) {
        addButton({250, 250}, {140, 30}, kindButton, "Play level", actionScreen, screenLoading);
        return;
    }
    addLabelText({220, 100}, {200, 30}, "You should save: " + intToText(saveTarget));
    addLabelText({220, 130}, {200, 30}, "You have saved: " + intToText(savedCount));
    if (savedCount < saveTarget) {
        addLabelText({220, 180}, {200, 30}, "You have lost!");
        playSound(soundLevelLost);
        addButton({250, 250}, {140, 30}, kindButton, "Replay level", actionScreen, screenLoading);
        return;
    }
    addLabelText({220, 180}, {200, 30}, "You have won!");
    playSound(soundLevelWon);
    addButton({250, 250}, {140, 30}, kindButton, "Play next level", actionScreen, screenLoading);
    advanceToNextLevel();
    // Level 100 closes the series: back to the main menu, starting again at level 1.
    if (levelNumber == lastLevelNumber) {
        levelNumber = 1;
        showScreen(screenMainMenu);
    }
}

}  // namespace

void runLoadingScreen(bool waitForKey) {
    clearWidgets();
    screen = screenLoading;
    clearScreen();
    printLine("Loading...");
    running = 1;
    resetCreatureTable();
    const int32_t status = loadLevel();
    spawnedCount = 0;
    savedCount = 0;
    const bool loaded = status == levelLoaded && terrainImage != nullptr;
    if (loaded) {
        drawText(displaySurface, 240, 230, "You must save: " + intToText(saveTarget) + " eggs.");
    } else {
        // The loader's own lines stay above; say which level and go back to the menu.
        if (status == levelDataMissing) printLine("No level data file " + levelDataPath(levelNumber) + ".");
        printLine("Level " + intToText(levelNumber) + " could not be loaded.");
    }
    drawText(displaySurface, 240, 300, "Press any key to continue.");
    if (waitForKey) sleepMs(-1);
    showScreen(loaded ? screenPlay : screenMainMenu);
}

void showScreen(uint8_t n) {
    clearWidgets();
    screen = n;
    switch (n) {
    case screenPlay: buildPlayScreen(); break;
    case screenMainMenu: buildMainMenu(); break;
    case screenLevel: buildLevelScreen(); break;
    case screenOptions: addWidgets(optionsWidgets); break;
    case screenExitConfirm: addWidgets(exitConfirmWidgets); break;
    case screenPause: addWidgets(pauseWidgets); break;
    case screenLoading: runLoadingScreen(true); break;
    case screenQuit: running = 0; break;
    default: break;
    }
}
