#pragma once

#include <string>

// Paints every image of the game and writes them as PNG files into directory.
void WriteImages(const std::string& directory);
