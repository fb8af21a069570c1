#pragma once

#include "color.h"

// The three key colours, shared by the locked doors, the key sprites and the HUD icons so a key
// always matches its door. Orange is a hot, saturated red-orange and bronze a dull olive
// brown, so the two stay apart in a dim corridor.
const Rgb BLUE_KEY_COLOUR{64, 118, 240};
const Rgb ORANGE_KEY_COLOUR{250, 122, 20};
const Rgb BRONZE_KEY_COLOUR{160, 112, 56};

// The keys also differ in the shape of their bows.
enum class KeyBow
{
    Ring,
    Diamond,
    Square
};
const KeyBow BLUE_KEY_BOW = KeyBow::Ring;
const KeyBow ORANGE_KEY_BOW = KeyBow::Diamond;
const KeyBow BRONZE_KEY_BOW = KeyBow::Square;
