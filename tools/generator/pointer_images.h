#pragma once

#include "canvas.h"

// "arrow.png": the 8 x 8 menu pointer, pointing right.
Canvas MakeMenuArrow();
// "directions.png": four 8 x 8 arrows for the editor's player marker, pointing east, south, west
// and north.
Canvas MakeDirectionArrows();
