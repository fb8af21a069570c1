#pragma once

#include "canvas.h"

// "projectiles.png": the player's fireball at x 0 and an enemy's at x 64, each centred in its
// 64 x 64 cell (eye height); alpha only 0 or 255.
Canvas MakeProjectileStrip();
