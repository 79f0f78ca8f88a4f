// Writes the game's pictures: make_art OUTPUT_DIR [EDITOR_DIR]
// OUTPUT_DIR receives main.bmp and tiles.bmp; EDITOR_DIR, when given, a PNG
// copy of the tileset for the map editor.
#include <cstdio>
#include <string>
#include "art.h"

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: make_art OUTPUT_DIR [EDITOR_DIR]\n");
        return 2;
    }
    const std::string out = argv[1];
    const Canvas tiles = drawTileset();
    bool ok = writeBmp24(out + "/main.bmp", drawSpriteSheet()) && writeBmp24(out + "/tiles.bmp", tiles);
    if (argc == 3) ok = ok && writePng(std::string(argv[2]) + "/tiles.png", tiles);
    if (!ok) {
        std::fprintf(stderr, "make_art: cannot write the pictures under %s\n", out.c_str());
        return 1;
    }
    return 0;
}
