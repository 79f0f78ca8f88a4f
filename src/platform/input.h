// Keyboard, pointer, clock, pauses and the end of the program.
#pragma once
#include <cstdint>

// Set-1 scancodes the game uses.
enum : int {
    scanEscape = 1,
    scanDigit1 = 2,  // digits 1..8 are 2..9
    scanM = 50,      // sound off and on
    scanUp = 72,
    scanLeft = 75,
    scanRight = 77,
    scanDown = 80,
};

enum : int { buttonLeft = 1, buttonRight = 2, buttonMiddle = 4 };

// Set by every key that yields a character or special key, and by a request to
// close the window; cleared only when a pause tests it.
extern bool keyPressedFlag;

// Remembers the program's file name (the window title) and readies the backend.
void platformStart(int argc, char** argv);
const char* programName();

// True while the key is held, or once after a press too short for the game's polling.
bool keyDown(int scancode);
// 0 and the pointer state while the window has the focus and the pointer is
// inside it; otherwise non-zero and -1 in all four outputs.
int readMouse(int32_t& x, int32_t& y, int32_t& wheel, int32_t& buttons);

double timerSeconds();
// -1: wait for a key; >= 100: pause that a key cuts short; 1..99: plain pause.
// Sounds asked for since the last pause start as it begins.
void sleepMs(int32_t ms);
[[noreturn]] void endProgram(int code);

// --- Events, fed by the backend (the window's events, or a replay script). ---
void inputKeyEvent(int scancode, bool down, bool setsKeyFlag = true);
void inputCloseRequest();
void inputPointerMove(int32_t x, int32_t y);  // screen pixels of the 640x480 surface
void inputPointerLeave();
void inputButtonEvent(int buttonBit, bool down);
void inputWheel(int32_t notches);
void inputFocus(bool focused);
// The backend's window opened or closed; without a window all input reads idle.
void inputWindowOpen(bool open);
// Back to start-up state: no key or button down, pointer outside, flag clear.
void inputReset();
