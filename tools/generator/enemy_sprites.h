#pragma once

#include "canvas.h"

// "enemy.png": the hooded warlock in four 64 x 64 frames (walk, walk, casting, hurt), feet on the
// bottom row; alpha only 0 or 255.
Canvas MakeEnemyStrip();
