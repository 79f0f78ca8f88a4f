// The pictures of the game, drawn in code.
#pragma once
#include "canvas.h"

// Colours the eggs and the panel icons share, so an icon looks like its egg.
constexpr uint32_t shell = 0xFFF7EED8;
constexpr uint32_t shellShade = 0xFFD8C39C;
constexpr uint32_t foot = 0xFFF08A24;
constexpr uint32_t brick = 0xFFFF3333;  // the colour the builders lay
constexpr uint32_t brickDark = 0xFFB01E1E;
constexpr uint32_t steel = 0xFFB8C0CC;
constexpr uint32_t steelDark = 0xFF6C7480;
constexpr uint32_t wood = 0xFF9A6232;

// The 290x384 sprite sheet: eggs, panel icons, entrance and exit.
Canvas drawSpriteSheet();
void drawCreatures(Canvas& sheet);
void drawIcons(Canvas& sheet);
void drawEntrance(Canvas& sheet, int x, int y);  // 40x24
void drawExit(Canvas& sheet, int x, int y);      // 48x42

// The 136x238 tileset: 8x14 tiles of 16x16, 1 px apart; the last two tiles are
// the entrance and exit markers.
Canvas drawTileset();
