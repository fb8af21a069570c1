#pragma once

#include "value_noise.h"

#include <cstdint>
#include <vector>

// Several octaves of ValueNoise, each twice as fine and half as strong as the one before.
class FractalNoise
{
public:
    FractalNoise(std::uint64_t seed, int cellsX, int cellsY, int octaves);

    // A value in 0..1.
    float Sample(float u, float v) const;

private:
    std::vector<ValueNoise> mOctaves;
};
