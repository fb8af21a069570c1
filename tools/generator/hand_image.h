#pragma once

#include "canvas.h"

// "hand.png": the player's right hand, raised from the bottom edge of the view with a fireball
// blazing above the fingers; alpha only 0 or 255.
Canvas MakeHand();
