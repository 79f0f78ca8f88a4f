// Keyboard, pointer, clock and pauses over the backend. The backend feeds
// events in through the input* functions; the game polls the state.
#include "input.h"

#include <cstdlib>
#include <string>

#include "backend.h"
#include "files.h"
#include "screen.h"
#include "sound.h"

bool keyPressedFlag = false;

namespace {

constexpr int keyCount = 128;

// A key or button that went down and up again between two reads must not be
// lost: `tapped` keeps it down for exactly one more read.
bool keyHeld[keyCount];
bool keyTapped[keyCount];
int32_t buttonsHeld = 0;
int32_t buttonsTapped = 0;
int32_t pointerX = -1;
int32_t pointerY = -1;
int32_t wheelNotches = 0;
bool pointerInside = false;
bool hasFocus = true;
bool windowIsOpen = false;

std::string programFileName = "eggsodus";

constexpr int32_t sliceMs = 50;

void releaseEverything() {
    for (int i = 0; i < keyCount; ++i) {
        keyHeld[i] = false;
        keyTapped[i] = false;
    }
    buttonsHeld = 0;
    buttonsTapped = 0;
}

// Pumps events and tests the key flag, clearing it: what a pause does before
// each slice. The press that ends a pause is spent on it, so a quick tap of
// Escape that dismissed a message does not also reach the next screen.
bool takeKeyPressedFlag() {
    backendPumpEvents();
    if (!keyPressedFlag) return false;
    keyPressedFlag = false;
    for (bool& tapped : keyTapped) tapped = false;
    return true;
}

}  // namespace

void platformStart(int argc, char** argv) {
    if (argc > 0 && argv != nullptr && argv[0] != nullptr) {
        std::string path = argv[0];
        size_t slash = path.find_last_of("/\\");
        std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
        size_t dot = name.find_last_of('.');
        if (dot != std::string::npos && dot > 0) name.resize(dot);
        if (!name.empty()) programFileName = name;
    }
    inputReset();
}

const char* programName() { return programFileName.c_str(); }

void inputWindowOpen(bool open) {
    windowIsOpen = open;
    if (!open) releaseEverything();
}

bool keyDown(int scancode) {
    if (scancode < 0 || scancode >= keyCount || !windowIsOpen) return false;
    bool down = keyHeld[scancode] || keyTapped[scancode];
    keyTapped[scancode] = false;
    return down;
}

int readMouse(int32_t& x, int32_t& y, int32_t& wheel, int32_t& buttons) {
    if (!windowIsOpen || !hasFocus || !pointerInside) {
        x = y = wheel = buttons = -1;
        return 1;
    }
    x = pointerX;
    y = pointerY;
    wheel = wheelNotches;
    buttons = buttonsHeld | buttonsTapped;
    buttonsTapped = 0;
    return 0;
}

double timerSeconds() { return backendSeconds(); }

void sleepMs(int32_t ms) {
    startAskedSounds();
    if (ms == -1) {
        while (!takeKeyPressedFlag()) backendSleep(sliceMs, true);
        return;
    }
    if (ms <= 0) return;
    if (ms < 100) {
        backendSleep(ms, false);
        return;
    }
    int32_t remaining = ms;
    while (remaining > sliceMs) {
        if (takeKeyPressedFlag()) return;
        backendSleep(sliceMs, true);
        remaining -= sliceMs;
    }
    backendSleep(remaining, true);
}

void endProgram(int code) {
    closeAllFiles();
    closeScreen();
    backendClose();
    std::exit(code);
}

void inputKeyEvent(int scancode, bool down, bool setsKeyFlag) {
    if (scancode < 0 || scancode >= keyCount) {
        if (down && setsKeyFlag) keyPressedFlag = true;
        return;
    }
    if (down) {
        if (!hasFocus) return;
        if (scancode == scanM && !keyHeld[scanM]) toggleSound();  // a held key repeats: one toggle
        keyHeld[scancode] = true;
        keyTapped[scancode] = true;
        if (setsKeyFlag) keyPressedFlag = true;
    } else {
        keyHeld[scancode] = false;
    }
}

void inputCloseRequest() { keyPressedFlag = true; }

void inputPointerMove(int32_t x, int32_t y) {
    if (x < 0 || y < 0 || x >= screenWidth || y >= screenHeight) {
        pointerInside = false;
        return;
    }
    pointerX = x;
    pointerY = y;
    pointerInside = true;
}

void inputPointerLeave() { pointerInside = false; }

void inputButtonEvent(int buttonBit, bool down) {
    buttonBit &= buttonLeft | buttonRight | buttonMiddle;
    if (down) {
        if (!hasFocus) return;
        buttonsHeld |= buttonBit;
        buttonsTapped |= buttonBit;
    } else {
        buttonsHeld &= ~buttonBit;
    }
}

void inputWheel(int32_t notches) {
    // Saturate rather than overflow on an endless spin.
    int64_t total = int64_t{wheelNotches} + notches;
    if (total > INT32_MAX) total = INT32_MAX;
    if (total < -INT32_MAX) total = -INT32_MAX;
    wheelNotches = static_cast<int32_t>(total);
}

void inputFocus(bool focused) {
    hasFocus = focused;
    if (!focused) releaseEverything();
}

void inputReset() {
    releaseEverything();
    pointerX = pointerY = -1;
    wheelNotches = 0;
    pointerInside = false;
    hasFocus = true;
    keyPressedFlag = false;
}
