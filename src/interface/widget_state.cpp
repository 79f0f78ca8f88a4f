#include "widget_input.h"
#include "screens.h"
#include "widgets.h"

Widget widgets[widgetCapacity + 1];
uint8_t widgetCount;
int32_t lastMouseButtons;
uint8_t hoveredWidget, pressedWidget, releasedWidget;
int32_t screen;
int32_t running;
int32_t levelPlayed;
