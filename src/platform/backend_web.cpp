// The browser backend over Emscripten's HTML5 interface: the 640x480 picture is
// put on the page's <canvas id="screen"> through its 2D context, and the page
// scales it. Sleeps yield to the browser (Asyncify), which is when its events
// arrive and the drawn canvas is shown.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "backend.h"
#include "input.h"
#include "screen.h"

namespace {

constexpr const char* canvasId = "#screen";
bool isOpen = false;
std::vector<uint8_t> rgba;  // the picture in the byte order putImageData takes

// Set-1 make codes by KeyboardEvent.code (positions, as the window backend's
// scancodes are). The keypad's 8, 4, 6 and 2 are the arrows whatever Num Lock says.
struct KeyCode {
    const char* code;
    int set1;
};
constexpr KeyCode keyCodes[] = {
    {"Escape", 1}, {"Digit1", 2}, {"Digit2", 3}, {"Digit3", 4}, {"Digit4", 5}, {"Digit5", 6},
    {"Digit6", 7}, {"Digit7", 8}, {"Digit8", 9}, {"Digit9", 10}, {"Digit0", 11}, {"Minus", 12},
    {"Equal", 13}, {"Backspace", 14}, {"Tab", 15}, {"KeyQ", 16}, {"KeyW", 17}, {"KeyE", 18},
    {"KeyR", 19}, {"KeyT", 20}, {"KeyY", 21}, {"KeyU", 22}, {"KeyI", 23}, {"KeyO", 24},
    {"KeyP", 25}, {"BracketLeft", 26}, {"BracketRight", 27}, {"Enter", 28}, {"ControlLeft", 29},
    {"KeyA", 30}, {"KeyS", 31}, {"KeyD", 32}, {"KeyF", 33}, {"KeyG", 34}, {"KeyH", 35},
    {"KeyJ", 36}, {"KeyK", 37}, {"KeyL", 38}, {"Semicolon", 39}, {"Quote", 40}, {"Backquote", 41},
    {"ShiftLeft", 42}, {"Backslash", 43}, {"KeyZ", 44}, {"KeyX", 45}, {"KeyC", 46}, {"KeyV", 47},
    {"KeyB", 48}, {"KeyN", 49}, {"KeyM", 50}, {"Comma", 51}, {"Period", 52}, {"Slash", 53},
    {"ShiftRight", 54}, {"NumpadMultiply", 55}, {"AltLeft", 56}, {"Space", 57}, {"CapsLock", 58},
    {"F1", 59}, {"F2", 60}, {"F3", 61}, {"F4", 62}, {"F5", 63}, {"F6", 64}, {"F7", 65},
    {"F8", 66}, {"F9", 67}, {"F10", 68}, {"NumLock", 69}, {"ScrollLock", 70}, {"Numpad7", 71},
    {"Numpad8", 72}, {"Numpad9", 73}, {"NumpadSubtract", 74}, {"Numpad4", 75}, {"Numpad5", 76},
    {"Numpad6", 77}, {"NumpadAdd", 78}, {"Numpad1", 79}, {"Numpad2", 80}, {"Numpad3", 81},
    {"Numpad0", 82}, {"NumpadDecimal", 83}, {"IntlBackslash", 86}, {"F11", 87}, {"F12", 88},
    // Keys that share a make code with the ones above behind an E0 prefix.
    {"NumpadEnter", 28}, {"ControlRight", 29}, {"NumpadDivide", 53}, {"PrintScreen", 55},
    {"AltRight", 56}, {"Home", 71}, {"ArrowUp", 72}, {"PageUp", 73}, {"ArrowLeft", 75},
    {"ArrowRight", 77}, {"End", 79}, {"ArrowDown", 80}, {"PageDown", 81}, {"Insert", 82},
    {"Delete", 83}, {"MetaLeft", 91}, {"MetaRight", 92}, {"ContextMenu", 93},
};

// -1 for a key with no make code of its own (it still counts as a key press).
int set1CodeFor(const char* code) {
    for (const KeyCode& key : keyCodes)
        if (std::strcmp(key.code, code) == 0) return key.set1;
    return -1;
}

// Shift, Ctrl, Alt, the logo keys and the lock keys yield no character.
bool yieldsNoKey(const char* code) {
    constexpr const char* silent[] = {"ShiftLeft", "ShiftRight", "ControlLeft", "ControlRight",
                                      "AltLeft", "AltRight", "MetaLeft", "MetaRight", "AltGraph",
                                      "CapsLock", "NumLock", "ScrollLock"};
    for (const char* name : silent)
        if (std::strcmp(name, code) == 0) return true;
    return false;
}

// Alt+Enter is the page's (it switches full screen); Tab and the browser's own
// shortcuts with Ctrl or the logo key are left to the browser.
bool leftToBrowser(const EmscriptenKeyboardEvent& key) {
    if (key.altKey && std::strcmp(key.code, "Enter") == 0) return true;
    return key.ctrlKey || key.metaKey || std::strcmp(key.code, "Tab") == 0 ||
           std::strcmp(key.code, "F5") == 0 || std::strcmp(key.code, "F11") == 0 ||
           std::strcmp(key.code, "F12") == 0;
}

EM_BOOL onKey(int type, const EmscriptenKeyboardEvent* key, void*) {
    bool down = type == EMSCRIPTEN_EVENT_KEYDOWN;
    bool browsers = leftToBrowser(*key);
    if (!browsers || !down) inputKeyEvent(set1CodeFor(key->code), down, !yieldsNoKey(key->code));
    return browsers ? EM_FALSE : EM_TRUE;  // true: no scrolling on arrows or space
}

// Canvas pixels of the page to the 640x480 picture; the page keeps the aspect ratio.
void pointerAt(long canvasX, long canvasY) {
    double width = 0, height = 0;
    emscripten_get_element_css_size(canvasId, &width, &height);
    if (width <= 0 || height <= 0) return inputPointerLeave();
    auto x = static_cast<int32_t>(static_cast<double>(canvasX) * screenWidth / width);
    auto y = static_cast<int32_t>(static_cast<double>(canvasY) * screenHeight / height);
    if (x < 0 || y < 0 || x >= screenWidth || y >= screenHeight) return inputPointerLeave();
    inputPointerMove(x, y);
}

int buttonBitFor(unsigned short button) {
    switch (button) {
        case 0: return buttonLeft;
        case 1: return buttonMiddle;
        case 2: return buttonRight;
        default: return 0;
    }
}

EM_BOOL onMouse(int type, const EmscriptenMouseEvent* mouse, void*) {
    switch (type) {
        case EMSCRIPTEN_EVENT_MOUSEMOVE: pointerAt(mouse->targetX, mouse->targetY); return EM_FALSE;
        case EMSCRIPTEN_EVENT_MOUSELEAVE: inputPointerLeave(); return EM_FALSE;
        case EMSCRIPTEN_EVENT_MOUSEDOWN:
            EM_ASM(document.getElementById('screen').focus());
            pointerAt(mouse->targetX, mouse->targetY);
            inputButtonEvent(buttonBitFor(mouse->button), true);
            return EM_TRUE;
        case EMSCRIPTEN_EVENT_MOUSEUP:
            inputButtonEvent(buttonBitFor(mouse->button), false);
            return EM_TRUE;
        default: return EM_FALSE;
    }
}

// A button let go outside the canvas is still let go.
EM_BOOL onWindowMouseUp(int, const EmscriptenMouseEvent* mouse, void*) {
    inputButtonEvent(buttonBitFor(mouse->button), false);
    return EM_FALSE;
}

EM_BOOL onWheel(int, const EmscriptenWheelEvent* wheel, void*) {
    if (wheel->deltaY != 0) inputWheel(wheel->deltaY < 0 ? 1 : -1);
    return EM_TRUE;
}

bool canvasHasFocus() {
    return EM_ASM_INT(return document.hasFocus() && document.activeElement ===
                             document.getElementById('screen') ? 1 : 0) != 0;
}

EM_BOOL onFocus(int, const EmscriptenFocusEvent*, void*) {
    inputFocus(canvasHasFocus());
    return EM_FALSE;
}

EM_BOOL onBlur(int, const EmscriptenFocusEvent*, void*) {
    inputFocus(false);
    return EM_FALSE;
}

EM_BOOL onVisibility(int, const EmscriptenVisibilityChangeEvent* change, void*) {
    if (change->hidden) inputFocus(false);
    return EM_FALSE;
}

void listen() {
    emscripten_set_keydown_callback(canvasId, nullptr, EM_FALSE, onKey);
    emscripten_set_keyup_callback(canvasId, nullptr, EM_FALSE, onKey);
    emscripten_set_mousemove_callback(canvasId, nullptr, EM_FALSE, onMouse);
    emscripten_set_mouseleave_callback(canvasId, nullptr, EM_FALSE, onMouse);
    emscripten_set_mousedown_callback(canvasId, nullptr, EM_FALSE, onMouse);
    emscripten_set_mouseup_callback(canvasId, nullptr, EM_FALSE, onMouse);
    emscripten_set_mouseup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, onWindowMouseUp);
    emscripten_set_wheel_callback(canvasId, nullptr, EM_FALSE, onWheel);
    emscripten_set_focus_callback(canvasId, nullptr, EM_FALSE, onFocus);
    emscripten_set_blur_callback(canvasId, nullptr, EM_FALSE, onBlur);
    emscripten_set_focus_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, onFocus);
    emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, onBlur);
    emscripten_set_visibilitychange_callback(nullptr, EM_FALSE, onVisibility);
}

// The canvas at width x height backing pixels, and an image to put rows through.
EM_JS(bool, openCanvas, (int width, int height), {
    const canvas = document.getElementById('screen');
    if (!canvas) return false;
    canvas.width = width;
    canvas.height = height;
    Module.screenContext = canvas.getContext('2d');
    Module.screenImage = Module.screenContext.createImageData(width, height);
    canvas.focus();
    return true;
});

// Rows first..last of the picture's bytes at `bytes` onto the canvas.
EM_JS(void, putRows, (const uint8_t* bytes, int first, int last, int width), {
    const start = first * width * 4;
    const end = (last + 1) * width * 4;
    Module.screenImage.data.set(HEAPU8.subarray(bytes + start, bytes + end), start);
    Module.screenContext.putImageData(Module.screenImage, 0, 0, 0, first, width, last - first + 1);
});

// 0x00RRGGBB pixels to R, G, B, 255 bytes, row by row.
void convertRows(const uint32_t* pixels, int32_t pitch, int32_t first, int32_t last) {
    for (int32_t row = first; row <= last; ++row) {
        const uint32_t* source = pixels + static_cast<size_t>(row) * static_cast<size_t>(pitch);
        uint8_t* out = rgba.data() + static_cast<size_t>(row) * screenWidth * 4;
        for (int32_t x = 0; x < screenWidth; ++x, out += 4) {
            uint32_t pixel = source[x];
            out[0] = static_cast<uint8_t>(pixel >> 16);
            out[1] = static_cast<uint8_t>(pixel >> 8);
            out[2] = static_cast<uint8_t>(pixel);
            out[3] = 255;
        }
    }
}

}  // namespace

bool backendOpen(int32_t width, int32_t height, const char*) {
    if (isOpen) return true;
    rgba.assign(static_cast<size_t>(width) * static_cast<size_t>(height) * 4, 0);
    if (!openCanvas(width, height)) return false;
    listen();
    isOpen = true;
    inputWindowOpen(true);
    inputFocus(canvasHasFocus());
    return true;
}

void backendPresent(const uint32_t* pixels, int32_t pitch, int32_t firstRow, int32_t lastRow) {
    if (!isOpen || pixels == nullptr) return;
    firstRow = std::max(firstRow, 0);
    lastRow = std::min(lastRow, screenHeight - 1);
    if (firstRow > lastRow) return;
    convertRows(pixels, pitch, firstRow, lastRow);
    putRows(rgba.data(), firstRow, lastRow, screenWidth);
}

// Events arrive while the game sleeps; there is nothing to fetch here.
void backendPumpEvents() {}

// Milliseconds since the page loaded, plus a margin: the game's timed steps
// start with a last-fired time of 0, and every one of them must be due on the
// very first pass.
double backendSeconds() {
    constexpr double originInThePast = 1000.0;
    return originInThePast + emscripten_get_now() / 1000.0;
}

// Every sleep hands control to the browser, which shows the canvas and runs
// the event callbacks meanwhile.
void backendSleep(int32_t ms, bool) {
    if (ms <= 0) return;
    double end = emscripten_get_now() + ms;
    for (;;) {
        double left = end - emscripten_get_now();
        if (left <= 0) return;
        emscripten_sleep(static_cast<unsigned>(std::max(1.0, left)));
    }
}

void backendClose() {
    if (!isOpen) return;
    isOpen = false;
    inputWindowOpen(false);
}
