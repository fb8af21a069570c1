#pragma once

#include "color.h"

// Lighting helpers for the sprites. Light always comes from the upper left, in front of the
// object, so everything in the game reads as lit by the same torch.

// A ball: u, v from -1 to 1 across it; adds a small white highlight when shiny.
Rgb LitSphere(const Rgb& base, float u, float v, float shine);
// A rod seen side on: across from -1 (lit side) to 1 (shadow side).
Rgb LitCylinder(const Rgb& base, float across);
// A glowing ball: bright core fading to the rim colour.
Rgb GlowingSphere(const Rgb& core, const Rgb& rim, float u, float v);
