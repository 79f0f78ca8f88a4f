#include "widget_input.h"

#include <algorithm>

#include "../creatures/creature_table.h"
#include "../levels/level.h"
#include "../platform/console.h"
#include "../platform/input.h"
#include "../platform/sound.h"
#include "../shell/sound_effects.h"
#include "../shell/play_state.h"
#include "screens.h"
#include "widgets.h"

namespace {

constexpr uint32_t hoverBorder = 0xFF60A0FF;
constexpr uint32_t hoverFill = 0xFFC08080;

bool pointerInside(const Widget& w) {
    // Strictly inside: the one-pixel frame is not sensitive.
    return w.x1 < mouseX && mouseX < w.x2 && w.y1 < mouseY && mouseY < w.y2;
}

// Every creature of the level gets a fuse of 6; no skill use is counted.
void armAll() {
    const int32_t last = std::min(lastCreatureIndex, creatureCapacity - 1);
    for (int32_t i = 0; i <= last; ++i) {
        creatures[i].skillTicks = 0;
        creatures[i].fuse = 6;
    }
    playSound(soundFuseLit);
}

void runAction(uint8_t action, uint8_t argument) {
    switch (action) {
    case actionPrint: printLine("qwe"); break;
    case actionScreen: showScreen(argument); break;
    case actionSkill: selectedSkill = argument; break;
    case actionArmAll: armAll(); break;
    default: break;
    }
}

}  // namespace

void updateHover() {
    hoveredWidget = 0;
    const int count = std::min<int>(widgetCount, widgetCapacity);
    for (int i = 1; i <= count; ++i) {
        widgets[i].fillColour = widgets[i].normalFillColour;
        widgets[i].borderColour = widgets[i].normalBorderColour;
    }
    // Where widgets overlap the lowest index wins.
    for (int i = 1; i <= count; ++i) {
        Widget& w = widgets[i];
        if (!pointerInside(w)) continue;
        hoveredWidget = static_cast<uint8_t>(i);
        w.borderColour = hoverBorder;
        if (w.kind == kindButton) w.fillColour = hoverFill;
        if (w.kind == kindLabel) w.borderColour = w.normalBorderColour;
        return;
    }
    // Leaving every widget forgets a pending press.
    pressedWidget = 0;
    releasedWidget = 0;
}

void updateClick() {
    // Only the edges between no button and the left button alone count.
    if (mouseButtons == buttonLeft && lastMouseButtons == 0 && hoveredWidget != 0)
        pressedWidget = hoveredWidget;
    if (mouseButtons == 0 && lastMouseButtons == buttonLeft && hoveredWidget != 0)
        releasedWidget = hoveredWidget;
    if (hoveredWidget != 0 && hoveredWidget == pressedWidget && pressedWidget == releasedWidget &&
        mouseButtons == 0) {
        const Widget& w = widgets[hoveredWidget];
        if (w.kind == kindButton) {
            playSound(soundClick);
            runAction(w.action, w.actionArg);
        }
        pressedWidget = 0;
    }
    lastMouseButtons = mouseButtons;
}
