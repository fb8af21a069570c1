#pragma once

#include "canvas.h"

#include <cstdint>

// The four colours of a magical flame, from its white-hot core out to its smouldering rim.
struct FirePalette
{
    Rgb core;
    Rgb hot;
    Rgb warm;
    Rgb rim;
};

// The player's orange fire and the enemies' green witch-fire.
FirePalette PlayerFire();
FirePalette EnemyFire();

// A ball of flame with licking tongues (reaching about 1.5 radii, mostly upwards). Opaque
// pixels only, so it can be used in sprites.
void DrawFireball(Canvas& canvas, float cx, float cy, float radius, const FirePalette& palette,
                  std::uint64_t seed);
