// The numbered screens and showScreen.
#pragma once
#include <cstdint>

enum : int32_t {
    screenPlay = 1,
    screenMainMenu = 2,
    screenLevel = 3,
    screenOptions = 4,
    screenExitConfirm = 6,
    screenPause = 7,
    screenLoading = 8,
    screenQuit = 255,
};

extern int32_t screen;
extern int32_t running;
extern int32_t levelPlayed;

void showScreen(uint8_t n);

// The loading screen: resets the creatures, loads level `levelNumber`, shows the
// target and, when asked, waits for a key; then play, or the main menu when the
// level could not be loaded. showScreen(8) runs it with the wait.
void runLoadingScreen(bool waitForKey);
