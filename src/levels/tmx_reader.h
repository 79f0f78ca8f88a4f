// Reads a level map (one CSV tile layer, one tileset) and paints the terrain image.
#pragma once
#include <cstdint>
#include <string>
#include "../platform/image.h"

// 0 on success (terrain holds the new image), 1 on failure with `message` set.
int loadTmxMap(const std::string& path, Image*& terrain, std::string& message, int32_t& width,
               int32_t& height);
std::string textBetween(const std::string& text, const std::string& startMarker,
                        const std::string& endMarker);
std::string stripDirectories(const std::string& path);
void probeImageSize(const std::string& path, int32_t& width, int32_t& height);
