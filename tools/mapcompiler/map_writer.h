#pragma once

#include "map_layout.h"

#include <string>

// The map file text exactly as the editor saves it: width, height, an empty line, the
// walls row by row, an empty line, the floors, an empty line, then one four-line block per
// entity (the player first, then by type name, then by row and column), blocks separated
// by an empty line and no line feed after the last value.
std::string WriteMapText(const MapLayout& layout);
