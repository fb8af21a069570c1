#pragma once

#include "canvas.h"

// "hud.png": seven 16 x 16 icons in a row: health, fireball, scroll, blue key, orange key,
// bronze key, score.
Canvas MakeHudIcons();
