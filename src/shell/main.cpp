#include "../platform/input.h"
#include "../interface/screens.h"
#include "main_loop.h"

int main(int argc, char** argv) {
    startGame(argc, argv);
    while (running != 0) runPass();
    endGame();
    endProgram(0);
}
