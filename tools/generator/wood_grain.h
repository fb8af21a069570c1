#pragma once

#include "color.h"
#include "fractal_noise.h"

#include <cstdint>

// Streaky wood grain for planks, shelves and doors. Planks run along x (horizontal) or along y
// (vertical); each plank id gets its own tone and a shifted piece of the grain.
class WoodGrain
{
public:
    WoodGrain(std::uint64_t seed, bool vertical);

    // The wood colour at pixel (x, y) of a 64 x 64 tile.
    Rgb At(const Rgb& base, int x, int y, int plankId) const;

private:
    std::uint64_t mSeed;
    bool mVertical;
    FractalNoise mStreaks;
    FractalNoise mFibres;
};
