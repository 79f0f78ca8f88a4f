// The widget table: buttons and labels of the current screen.
#pragma once
#include <cstdint>
#include <string>

enum : uint8_t { kindButton = 3, kindLabel = 4 };
enum : uint8_t { actionPrint = 0, actionScreen = 1, actionSkill = 3, actionArmAll = 4 };

struct IntPair {
    int32_t a;
    int32_t b;
};

struct Widget {
    int32_t x, y, x1, y1, x2, y2, width, height;
    uint8_t kind;
    std::string text;
    uint8_t action;
    uint8_t actionArg;
    uint32_t fillColour, normalFillColour, borderColour, normalBorderColour;
};

constexpr int widgetCapacity = 20;
extern Widget widgets[widgetCapacity + 1];  // index 0 is never filled
extern uint8_t widgetCount;

void clearWidgets();
void addButton(IntPair position, IntPair size, uint8_t kind, const std::string& text,
               uint8_t action, uint8_t actionArg);
void addLabel(IntPair position, IntPair size, uint8_t kind, const std::string& text,
              uint8_t action, uint8_t actionArg);
void drawWidgets();
void drawClippedText(int32_t x, int32_t y, const std::string& text);
