// The window backend over SDL2: one 640x480 window, presented through the
// window surface; in full screen (Alt+Enter or maximising) the same picture is
// scaled with its aspect ratio kept and black bars around it. Sounds go
// through SDL's own audio, mixed here; without an audio device there is none.
#include <SDL.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <thread>
#include <vector>

#include "backend.h"
#include "input.h"
#include "screen.h"
#include "window_fit.h"

namespace {

SDL_Window* window = nullptr;
bool fullScreen = false;
// An expose that came while a frame was being drawn: the next present shows everything.
bool wholePresentDue = false;

PictureArea currentPictureArea() {
    int width = screenWidth, height = screenHeight;
    if (window != nullptr) SDL_GetWindowSize(window, &width, &height);
    return pictureAreaIn(width, height);
}

// A pixel layout whose low 24 bits are ours: pixels are copied as they stand.
bool sameLayout(const SDL_Surface* target) {
    Uint32 format = target->format->format;
    return format == SDL_PIXELFORMAT_RGB888 || format == SDL_PIXELFORMAT_ARGB8888;
}

uint32_t* surfaceRow(SDL_Surface* target, int y) {
    return reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(target->pixels) +
                                       static_cast<size_t>(y) * static_cast<size_t>(target->pitch));
}

// Nearest-neighbour scaling of source rows first..last into the viewport. Each
// picture row is built once; the window rows that repeat it are plain copies.
// Returns the window rows written.
SDL_Rect scaleRows(SDL_Surface* target, const PictureArea& view, const uint32_t* pixels, int32_t pitch,
                   int32_t first, int32_t last) {
    static std::vector<int32_t> sourceColumn;
    sourceColumn.resize(static_cast<size_t>(view.width));
    for (int x = 0; x < view.width; ++x)
        sourceColumn[static_cast<size_t>(x)] = pictureOffset(x, view.width, screenWidth);
    int top = -1, bottom = -1, built = -1;
    int32_t builtSourceY = -1;
    for (int y = 0; y < view.height; ++y) {
        int32_t sourceY = pictureOffset(y, view.height, screenHeight);
        if (sourceY < first || sourceY > last) continue;
        uint32_t* row = surfaceRow(target, view.y + y) + view.x;
        if (sourceY == builtSourceY) {
            std::memcpy(row, surfaceRow(target, view.y + built) + view.x, static_cast<size_t>(view.width) * 4);
        } else {
            const uint32_t* source = pixels + static_cast<size_t>(sourceY) * static_cast<size_t>(pitch);
            for (int x = 0; x < view.width; ++x) row[x] = source[sourceColumn[static_cast<size_t>(x)]];
            built = y;
            builtSourceY = sourceY;
        }
        if (top < 0) top = y;
        bottom = y;
    }
    if (top < 0) return SDL_Rect{0, 0, 0, 0};
    return SDL_Rect{view.x, view.y + top, view.width, bottom - top + 1};
}

// Any other pixel layout: SDL converts and scales the whole picture.
void blitWhole(SDL_Surface* target, const PictureArea& view, const uint32_t* pixels, int32_t pitch) {
    SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<uint32_t*>(pixels), screenWidth, screenHeight, 32, pitch * 4, SDL_PIXELFORMAT_RGB888);
    if (source == nullptr) return;
    SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
    SDL_Rect rect{view.x, view.y, view.width, view.height};
    if (view.width == screenWidth && view.height == screenHeight)
        SDL_BlitSurface(source, nullptr, target, &rect);
    else
        SDL_BlitScaled(source, nullptr, target, &rect);
    SDL_FreeSurface(source);
}

// The window surface last drawn on: a new one (after a change of size) needs
// its black bars and the whole picture.
const SDL_Surface* lastTarget = nullptr;
int lastTargetWidth = 0, lastTargetHeight = 0;

bool targetChanged(const SDL_Surface* target) {
    if (target == lastTarget && target->w == lastTargetWidth && target->h == lastTargetHeight) return false;
    lastTarget = target;
    lastTargetWidth = target->w;
    lastTargetHeight = target->h;
    return true;
}

void present(const uint32_t* pixels, int32_t pitch, int32_t first, int32_t last) {
    if (window == nullptr || pixels == nullptr) return;
    SDL_Surface* target = SDL_GetWindowSurface(window);
    if (target == nullptr) return;
    bool fresh = targetChanged(target);
    if (wholePresentDue || fresh) {
        first = 0;
        last = screenHeight - 1;
        wholePresentDue = false;
    }
    first = std::max(first, 0);
    last = std::min(last, screenHeight - 1);
    if (first > last) return;
    PictureArea view = pictureAreaIn(target->w, target->h);
    bool unscaled = view.width == screenWidth && view.height == screenHeight;
    bool fast = sameLayout(target);
    bool bars = target->w != view.width || target->h != view.height;
    if (!fast || (fresh && bars)) SDL_FillRect(target, nullptr, SDL_MapRGB(target->format, 0, 0, 0));
    if (SDL_MUSTLOCK(target) && SDL_LockSurface(target) != 0) return;
    SDL_Rect rows{view.x, view.y + first, screenWidth, last - first + 1};
    if (fast && unscaled) {
        for (int32_t row = first; row <= last; ++row)
            std::memcpy(surfaceRow(target, view.y + row) + view.x,
                        pixels + static_cast<size_t>(row) * static_cast<size_t>(pitch),
                        static_cast<size_t>(screenWidth) * 4);
    } else if (fast) {
        rows = scaleRows(target, view, pixels, pitch, first, last);
    }
    if (SDL_MUSTLOCK(target)) SDL_UnlockSurface(target);
    if (!fast) blitWhole(target, view, pixels, pitch);
    if (fast && !fresh)
        SDL_UpdateWindowSurfaceRects(window, &rows, 1);
    else
        SDL_UpdateWindowSurface(window);
}

void presentWholeScreen() {
    if (!screenIsOpen() || displaySurface.pixels.empty()) return;
    if (screenLockCount() > 0) {
        wholePresentDue = true;
        return;
    }
    wholePresentDue = true;
    present(displaySurface.pixels.data(), screenWidth, 0, screenHeight - 1);
}

void setFullScreen(bool on) {
    if (window == nullptr || on == fullScreen) return;
    fullScreen = on;
    if (on) {
        SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    } else {
        SDL_SetWindowFullscreen(window, 0);
        SDL_RestoreWindow(window);
        SDL_SetWindowSize(window, screenWidth, screenHeight);
    }
}

// Window coordinates to the 640x480 picture; the pointer counts only on the picture.
void pointerAt(int windowX, int windowY) {
    int32_t x = 0, y = 0;
    if (pictureFromWindow(currentPictureArea(), windowX, windowY, x, y))
        inputPointerMove(x, y);
    else
        inputPointerLeave();
}

// On a return of the focus: where SDL last saw the pointer in the window.
void refreshPointer() {
    if (SDL_GetMouseFocus() != window) {
        inputPointerLeave();
        return;
    }
    int x = 0, y = 0;
    SDL_GetMouseState(&x, &y);
    pointerAt(x, y);
}

int buttonBitFor(Uint8 button) {
    switch (button) {
        case SDL_BUTTON_LEFT: return buttonLeft;
        case SDL_BUTTON_RIGHT: return buttonRight;
        case SDL_BUTTON_MIDDLE: return buttonMiddle;
        default: return 0;
    }
}

// Set-1 make codes by SDL's (position-based) scancodes. The keypad's 8, 4, 6
// and 2 are the arrows whatever Num Lock says.
struct KeyCode {
    SDL_Scancode sdl;
    int set1;
};
constexpr KeyCode keyCodes[] = {
    {SDL_SCANCODE_ESCAPE, 1},      {SDL_SCANCODE_1, 2},           {SDL_SCANCODE_2, 3},
    {SDL_SCANCODE_3, 4},           {SDL_SCANCODE_4, 5},           {SDL_SCANCODE_5, 6},
    {SDL_SCANCODE_6, 7},           {SDL_SCANCODE_7, 8},           {SDL_SCANCODE_8, 9},
    {SDL_SCANCODE_9, 10},          {SDL_SCANCODE_0, 11},          {SDL_SCANCODE_MINUS, 12},
    {SDL_SCANCODE_EQUALS, 13},     {SDL_SCANCODE_BACKSPACE, 14},  {SDL_SCANCODE_TAB, 15},
    {SDL_SCANCODE_Q, 16},          {SDL_SCANCODE_W, 17},          {SDL_SCANCODE_E, 18},
    {SDL_SCANCODE_R, 19},          {SDL_SCANCODE_T, 20},          {SDL_SCANCODE_Y, 21},
    {SDL_SCANCODE_U, 22},          {SDL_SCANCODE_I, 23},          {SDL_SCANCODE_O, 24},
    {SDL_SCANCODE_P, 25},          {SDL_SCANCODE_LEFTBRACKET, 26}, {SDL_SCANCODE_RIGHTBRACKET, 27},
    {SDL_SCANCODE_RETURN, 28},     {SDL_SCANCODE_LCTRL, 29},      {SDL_SCANCODE_A, 30},
    {SDL_SCANCODE_S, 31},          {SDL_SCANCODE_D, 32},          {SDL_SCANCODE_F, 33},
    {SDL_SCANCODE_G, 34},          {SDL_SCANCODE_H, 35},          {SDL_SCANCODE_J, 36},
    {SDL_SCANCODE_K, 37},          {SDL_SCANCODE_L, 38},          {SDL_SCANCODE_SEMICOLON, 39},
    {SDL_SCANCODE_APOSTROPHE, 40}, {SDL_SCANCODE_GRAVE, 41},      {SDL_SCANCODE_LSHIFT, 42},
    {SDL_SCANCODE_BACKSLASH, 43},  {SDL_SCANCODE_NONUSHASH, 43},  {SDL_SCANCODE_Z, 44},
    {SDL_SCANCODE_X, 45},          {SDL_SCANCODE_C, 46},          {SDL_SCANCODE_V, 47},
    {SDL_SCANCODE_B, 48},          {SDL_SCANCODE_N, 49},          {SDL_SCANCODE_M, 50},
    {SDL_SCANCODE_COMMA, 51},      {SDL_SCANCODE_PERIOD, 52},     {SDL_SCANCODE_SLASH, 53},
    {SDL_SCANCODE_RSHIFT, 54},     {SDL_SCANCODE_KP_MULTIPLY, 55}, {SDL_SCANCODE_LALT, 56},
    {SDL_SCANCODE_SPACE, 57},      {SDL_SCANCODE_CAPSLOCK, 58},   {SDL_SCANCODE_F1, 59},
    {SDL_SCANCODE_F2, 60},         {SDL_SCANCODE_F3, 61},         {SDL_SCANCODE_F4, 62},
    {SDL_SCANCODE_F5, 63},         {SDL_SCANCODE_F6, 64},         {SDL_SCANCODE_F7, 65},
    {SDL_SCANCODE_F8, 66},         {SDL_SCANCODE_F9, 67},         {SDL_SCANCODE_F10, 68},
    {SDL_SCANCODE_NUMLOCKCLEAR, 69}, {SDL_SCANCODE_SCROLLLOCK, 70}, {SDL_SCANCODE_KP_7, 71},
    {SDL_SCANCODE_KP_8, 72},       {SDL_SCANCODE_KP_9, 73},       {SDL_SCANCODE_KP_MINUS, 74},
    {SDL_SCANCODE_KP_4, 75},       {SDL_SCANCODE_KP_5, 76},       {SDL_SCANCODE_KP_6, 77},
    {SDL_SCANCODE_KP_PLUS, 78},    {SDL_SCANCODE_KP_1, 79},       {SDL_SCANCODE_KP_2, 80},
    {SDL_SCANCODE_KP_3, 81},       {SDL_SCANCODE_KP_0, 82},       {SDL_SCANCODE_KP_PERIOD, 83},
    {SDL_SCANCODE_NONUSBACKSLASH, 86}, {SDL_SCANCODE_F11, 87},    {SDL_SCANCODE_F12, 88},
    // Keys that share a make code with the ones above behind an E0 prefix.
    {SDL_SCANCODE_KP_ENTER, 28},   {SDL_SCANCODE_RCTRL, 29},      {SDL_SCANCODE_KP_DIVIDE, 53},
    {SDL_SCANCODE_PRINTSCREEN, 55}, {SDL_SCANCODE_RALT, 56},      {SDL_SCANCODE_HOME, 71},
    {SDL_SCANCODE_UP, 72},         {SDL_SCANCODE_PAGEUP, 73},     {SDL_SCANCODE_LEFT, 75},
    {SDL_SCANCODE_RIGHT, 77},      {SDL_SCANCODE_END, 79},        {SDL_SCANCODE_DOWN, 80},
    {SDL_SCANCODE_PAGEDOWN, 81},   {SDL_SCANCODE_INSERT, 82},     {SDL_SCANCODE_DELETE, 83},
    {SDL_SCANCODE_LGUI, 91},       {SDL_SCANCODE_RGUI, 92},       {SDL_SCANCODE_APPLICATION, 93},
};

// -1 for a key with no make code of its own (it still counts as a key press).
int set1CodeFor(SDL_Scancode scancode) {
    for (const KeyCode& key : keyCodes)
        if (key.sdl == scancode) return key.set1;
    return -1;
}

// Shift, Ctrl, Alt, the logo keys and the lock keys yield no character.
bool yieldsNoKey(SDL_Keycode key) {
    switch (key) {
        case SDLK_LSHIFT: case SDLK_RSHIFT: case SDLK_LCTRL: case SDLK_RCTRL:
        case SDLK_LALT: case SDLK_RALT: case SDLK_LGUI: case SDLK_RGUI: case SDLK_MODE:
        case SDLK_CAPSLOCK: case SDLK_NUMLOCKCLEAR: case SDLK_SCROLLLOCK:
            return true;
        default:
            return false;
    }
}

void handleKey(const SDL_KeyboardEvent& key, bool down) {
    if (down && key.keysym.sym == SDLK_RETURN && (key.keysym.mod & KMOD_ALT) != 0) {
        if (key.repeat == 0) setFullScreen(!fullScreen);
        return;
    }
    inputKeyEvent(set1CodeFor(key.keysym.scancode), down, !yieldsNoKey(key.keysym.sym));
}

void handleWindowEvent(const SDL_WindowEvent& event) {
    switch (event.event) {
        case SDL_WINDOWEVENT_CLOSE: inputCloseRequest(); break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            inputFocus(true);
            refreshPointer();
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST: inputFocus(false); break;
        case SDL_WINDOWEVENT_LEAVE: inputPointerLeave(); break;
        case SDL_WINDOWEVENT_ENTER: refreshPointer(); break;
        // The window moved or changed size under a pointer that may not have
        // moved: its last position means nothing now, so it counts as outside
        // until it moves (clicks bring their own position).
        case SDL_WINDOWEVENT_MOVED: inputPointerLeave(); break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            inputPointerLeave();
            presentWholeScreen();
            break;
        case SDL_WINDOWEVENT_EXPOSED: presentWholeScreen(); break;
        case SDL_WINDOWEVENT_MAXIMIZED: setFullScreen(true); break;
        default: break;
    }
}

void handleEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_QUIT: inputCloseRequest(); break;
        case SDL_KEYDOWN: handleKey(event.key, true); break;
        case SDL_KEYUP: handleKey(event.key, false); break;
        case SDL_MOUSEMOTION: pointerAt(event.motion.x, event.motion.y); break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            pointerAt(event.button.x, event.button.y);
            inputButtonEvent(buttonBitFor(event.button.button), event.type == SDL_MOUSEBUTTONDOWN);
            break;
        case SDL_MOUSEWHEEL: {
            int32_t notches = event.wheel.y;
            if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) notches = -notches;
            inputWheel(notches);
            break;
        }
        case SDL_WINDOWEVENT: handleWindowEvent(event.window); break;
        default: break;
    }
}

double secondsSince(Uint64 start) {
    return static_cast<double>(SDL_GetPerformanceCounter() - start) /
           static_cast<double>(SDL_GetPerformanceFrequency());
}


// --- Sound: one mono 16-bit stream, the plays mixed in SDL's audio callback. ---
constexpr int mixRate = 22050;
constexpr int mixVoices = 8;  // the core limits the plays; this is room to spare

struct Voice {
    const std::vector<int16_t>* samples = nullptr;  // null for a free voice
    size_t position = 0;
    int volume = 0;
};

SDL_AudioDeviceID audioDevice = 0;
std::vector<int16_t> sounds[64];
Voice voices[mixVoices];

void mixInto(void*, Uint8* stream, int bytes) {
    auto* out = reinterpret_cast<int16_t*>(stream);
    const size_t count = static_cast<size_t>(bytes) / 2;
    for (size_t i = 0; i < count; ++i) {
        int32_t sum = 0;
        for (Voice& voice : voices) {
            if (voice.samples == nullptr) continue;
            sum += (*voice.samples)[voice.position] * voice.volume / 128;
            if (++voice.position >= voice.samples->size()) voice.samples = nullptr;
        }
        out[i] = static_cast<int16_t>(std::clamp(sum, -32768, 32767));
    }
}

// The sound library under SDL writes its complaints about a missing sound card
// straight to the standard error; without a card (a server, CI under Xvfb) the
// game is silent and says nothing. Returns the saved descriptor, or -1.
int quietStandardError() {
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    const int null = open("/dev/null", O_WRONLY);
    if (saved >= 0 && null >= 0) dup2(null, STDERR_FILENO);
    if (null >= 0) close(null);
    return saved;
}

void restoreStandardError(int saved) {
    if (saved < 0) return;
    std::fflush(stderr);
    dup2(saved, STDERR_FILENO);
    close(saved);
}

bool openAudioDevice() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    SDL_AudioSpec wanted{};
    wanted.freq = mixRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 1;
    wanted.samples = 512;  // about 23 ms: a sound starts within about a pass
    wanted.callback = mixInto;
    SDL_AudioSpec obtained{};
    audioDevice = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (audioDevice == 0) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return audioDevice != 0;
}

// Sound is a bonus: any failure here leaves the game silent and nothing else.
void openAudio() {
    if (audioDevice != 0) return;
    const int saved = quietStandardError();
    const bool opened = openAudioDevice();
    restoreStandardError(saved);
    if (opened) SDL_PauseAudioDevice(audioDevice, 0);
}

void closeAudio() {
    if (audioDevice == 0) return;
    SDL_CloseAudioDevice(audioDevice);
    audioDevice = 0;
    for (Voice& voice : voices) voice = Voice{};
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

// Nearest-sample conversion to the mixing rate; our sounds are made at it.
std::vector<int16_t> atMixRate(const int16_t* samples, size_t count, int rate) {
    if (rate == mixRate) return std::vector<int16_t>(samples, samples + count);
    const size_t converted = static_cast<size_t>(static_cast<double>(count) * mixRate / rate);
    std::vector<int16_t> out(converted);
    for (size_t i = 0; i < converted; ++i)
        out[i] = samples[std::min(count - 1, static_cast<size_t>(static_cast<double>(i) * rate / mixRate))];
    return out;
}

}  // namespace

bool backendOpen(int32_t width, int32_t height, const char* title) {
    if (window != nullptr) return true;
    // The window surface is a plain X11 image this way; the GL path costs far more per frame.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // Ctrl+C in a terminal still stops the program; only the window's close button is ours.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "Cannot open the window: %s\n", SDL_GetError());
        return false;
    }
    window = SDL_CreateWindow(title != nullptr ? title : "", SDL_WINDOWPOS_CENTERED,
                              SDL_WINDOWPOS_CENTERED, width, height, SDL_WINDOW_RESIZABLE);
    if (window == nullptr) {
        std::fprintf(stderr, "Cannot open the window: %s\n", SDL_GetError());
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    fullScreen = false;
    openAudio();
    inputWindowOpen(true);
    inputFocus((SDL_GetWindowFlags(window) & SDL_WINDOW_INPUT_FOCUS) != 0);
    return true;
}

void backendPresent(const uint32_t* pixels, int32_t pitch, int32_t firstRow, int32_t lastRow) {
    present(pixels, pitch, firstRow, lastRow);
}

void backendPumpEvents() {
    if (window == nullptr) return;
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) handleEvent(event);
}

// Seconds since the system started, plus a margin: the game's timed steps
// start with a last-fired time of 0, and every one of them must be due on the
// very first pass, even on a machine that has only just booted.
double backendSeconds() {
    constexpr double originInThePast = 1000.0;
    return originInThePast + static_cast<double>(SDL_GetPerformanceCounter()) /
                                 static_cast<double>(SDL_GetPerformanceFrequency());
}

// Events are taken at least every 10 ms, so key state is never older than that.
void backendSleep(int32_t ms, bool) {
    if (ms <= 0) return;
    Uint64 start = SDL_GetPerformanceCounter();
    double total = ms / 1000.0;
    for (;;) {
        backendPumpEvents();
        double left = total - secondsSince(start);
        if (left <= 0) return;
        // Microsecond sleeps: whole-millisecond delays would add up to a
        // millisecond to every pass of the main loop.
        std::this_thread::sleep_for(std::chrono::microseconds(
            static_cast<int64_t>(std::min(left, 0.010) * 1e6)));
    }
}

void backendClose() {
    if (window == nullptr) return;
    inputWindowOpen(false);
    closeAudio();
    SDL_DestroyWindow(window);
    window = nullptr;
    SDL_Quit();
}

void backendLoadSound(int id, const std::int16_t* samples, std::size_t count, int sampleRate) {
    if (audioDevice == 0 || id < 0 || id >= static_cast<int>(std::size(sounds)) || samples == nullptr ||
        count == 0 || sampleRate <= 0)
        return;
    std::vector<int16_t> converted = atMixRate(samples, count, sampleRate);
    SDL_LockAudioDevice(audioDevice);
    for (Voice& voice : voices)
        if (voice.samples == &sounds[id]) voice = Voice{};
    sounds[id] = std::move(converted);
    SDL_UnlockAudioDevice(audioDevice);
}

void backendPlaySound(int id, int volume) {
    if (audioDevice == 0 || id < 0 || id >= static_cast<int>(std::size(sounds)) || sounds[id].empty()) return;
    SDL_LockAudioDevice(audioDevice);
    // A free voice, or else the one that has played longest.
    Voice* chosen = &voices[0];
    for (Voice& voice : voices) {
        if (voice.samples == nullptr) {
            chosen = &voice;
            break;
        }
        if (voice.position > chosen->position) chosen = &voice;
    }
    *chosen = Voice{&sounds[id], 0, std::clamp(volume, 0, 255)};
    SDL_UnlockAudioDevice(audioDevice);
}
