#pragma once

#include <cstdint>
#include <vector>

// Smoothly interpolated random values on a lattice that wraps around, so a texture built from it
// tiles without seams. Coordinates are fractions of the tile: (0, 0) to (1, 1).
class ValueNoise
{
public:
    ValueNoise(std::uint64_t seed, int cellsX, int cellsY);

    // A value in 0..1.
    float Sample(float u, float v) const;

private:
    float Lattice(int x, int y) const;

    int mCellsX;
    int mCellsY;
    std::vector<float> mValues;
};
