// Runs the game's own main loop against a script: input before each pass,
// output after it, and the script's input fed to the game while it waits.
#pragma once
#include <string>
#include "script.h"

enum : int { replayOk = 0, replayFailed = 1, replayBadScript = 2 };

// Starts the game, runs the script's passes and ends the game. Returns the exit
// status; `message` says why when it is not 0.
int runReplay(const Script& script, int argc, char** argv, std::string& message);

// `--bmp IN OUT`: decodes IN with the game's loader into an image of the size its
// header gives, prints "status N" and writes the image as a 32-bit BMP.
int convertBmp(const std::string& in, const std::string& out, std::string& message);
