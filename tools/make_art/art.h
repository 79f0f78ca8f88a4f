// The pictures of the game, drawn in code.
#pragma once
#include "canvas.h"

// The 290x384 sprite sheet: eggs, panel icons, entrance and exit.
Canvas drawSpriteSheet();
void drawCreatures(Canvas& sheet);
void drawIcons(Canvas& sheet);
void drawEntrance(Canvas& sheet, int x, int y);  // 40x24
void drawExit(Canvas& sheet, int x, int y);      // 48x42

// The 136x68 tileset: 8x4 tiles of 16x16, 1 px apart; the last two tiles are
// the entrance and exit markers.
Canvas drawTileset();
