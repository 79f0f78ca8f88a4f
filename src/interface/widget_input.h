// Hover and click on the widgets.
#pragma once
#include <cstdint>

extern int32_t lastMouseButtons;
extern uint8_t hoveredWidget, pressedWidget, releasedWidget;

void updateHover();
void updateClick();
