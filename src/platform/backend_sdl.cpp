// The window backend over SDL2.
#include <SDL.h>

#include "backend.h"
#include "input.h"

bool backendOpen(int32_t, int32_t, const char*) {
    inputWindowOpen(true);
    return true;
}
void backendPresent(const uint32_t*, int32_t, int32_t, int32_t) {}
void backendPumpEvents() {}
double backendSeconds() {
    return static_cast<double>(SDL_GetPerformanceCounter()) /
           static_cast<double>(SDL_GetPerformanceFrequency());
}
void backendSleep(int32_t ms, bool) {
    if (ms > 0) SDL_Delay(static_cast<Uint32>(ms));
}
void backendClose() { inputWindowOpen(false); }
