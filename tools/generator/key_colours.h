#pragma once

#include "color.h"

// The three key colours, shared by the locked doors, the key sprites and the HUD icons so a key
// always matches its door.
const Rgb BLUE_KEY_COLOUR{64, 118, 240};
const Rgb ORANGE_KEY_COLOUR{246, 142, 30};
const Rgb BRONZE_KEY_COLOUR{170, 108, 56};
