#pragma once

#include "canvas.h"

// "items.png": seven 64 x 64 pick-ups side by side (ammo, health, orb, scroll, blue key, orange
// key, bronze key), standing on the bottom rows; alpha is only ever 0 or 255.
Canvas MakeItemStrip();
