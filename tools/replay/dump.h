// The state of the game as one JSON line, and the pictures the harness writes.
#pragma once
#include <cstdint>
#include <string>

// One JSON object (no line end) with the pass number and the game state after it.
std::string dumpLine(int32_t pass);

// JSON text pieces, exposed for tests.
std::string jsonString(const std::string& text);
std::string jsonFloat(float value);    // nine significant digits: reads back to the same float
std::string jsonDouble(double value);  // shortest text that reads back to the same double

// The collision grid as a binary PGM, one byte per cell. False when it cannot be written.
bool writeGridPgm(const std::string& path);
