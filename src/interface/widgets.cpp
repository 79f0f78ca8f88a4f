#include "widgets.h"

#include <string_view>

#include "../platform/draw.h"
#include "../platform/screen.h"

namespace {

constexpr Colour buttonFill = 0xFF808080;
constexpr Colour buttonBorder = 0xFFFFFFFF;
constexpr Colour labelFill = 0xFF7F7F7F;
constexpr Colour labelBorder = 0xFF000000;
constexpr size_t longestCaption = 255;

void addWidget(IntPair position, IntPair size, uint8_t kind, const std::string& text,
               uint8_t action, uint8_t actionArg, Colour fill, Colour border) {
    // A full table drops the widget rather than writing past its end.
    if (widgetCount >= widgetCapacity) return;
    widgetCount += 1;
    Widget& w = widgets[widgetCount];
    w.x = position.a;
    w.y = position.b;
    w.width = size.a;
    w.height = size.b;
    w.x1 = w.x;
    w.y1 = w.y;
    w.x2 = w.x + w.width - 1;
    w.y2 = w.y + w.height - 1;
    w.kind = kind;
    w.text = text;
    w.action = action;
    w.actionArg = actionArg;
    w.normalFillColour = w.fillColour = fill;
    w.normalBorderColour = w.borderColour = border;
}

}  // namespace

void clearWidgets() { widgetCount = 0; }

void addButton(IntPair position, IntPair size, uint8_t kind, const std::string& text,
               uint8_t action, uint8_t actionArg) {
    addWidget(position, size, kind, text, action, actionArg, buttonFill, buttonBorder);
}

void addLabel(IntPair position, IntPair size, uint8_t kind, const std::string& text,
              uint8_t action, uint8_t actionArg) {
    addWidget(position, size, kind, text, action, actionArg, labelFill, labelBorder);
}

void drawClippedText(int32_t x, int32_t y, const std::string& text) {
    std::string_view shown(text);
    if (shown.size() > longestCaption) shown = shown.substr(0, longestCaption);
    drawText(displaySurface, x, y, shown);
}

void drawWidgets() {
    const int count = widgetCount < widgetCapacity ? widgetCount : widgetCapacity;
    for (int i = 1; i <= count; ++i) {
        const Widget& w = widgets[i];
        fillBox(displaySurface, w.x1, w.y1, w.x2, w.y2, w.borderColour);
        // A box too thin to have an inside is all frame (the fill must not spill out).
        if (w.x2 - w.x1 >= 2 && w.y2 - w.y1 >= 2)
            fillBox(displaySurface, w.x1 + 1, w.y1 + 1, w.x2 - 1, w.y2 - 1, w.fillColour);
        // The caption sits in the middle of the box's height, 15 px in from the left.
        drawClippedText(w.x + 15, w.y + ((w.y2 - w.y1) >> 1) - 3, w.text);
    }
}
