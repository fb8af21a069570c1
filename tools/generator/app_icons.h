#pragma once

#include "canvas.h"

#include <string>

// The game's icon for desktop menus: the gilded Q of the title on a tile of
// night-blue stone, lit from below by a fireball's glow. Drawn afresh at each
// size (size x size pixels) rather than scaled, so the small ones stay crisp.
Canvas MakeAppIcon(int size);

// Writes the icon at every size a desktop asks for, as "quill3d-SIZE.png".
void WriteAppIcons(const std::string& directory);
