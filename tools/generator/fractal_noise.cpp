#include "fractal_noise.h"

FractalNoise::FractalNoise(std::uint64_t seed, int cellsX, int cellsY, int octaves)
{
    for (int octave = 0; octave < octaves; ++octave)
    {
        const int scale = 1 << octave;
        mOctaves.emplace_back(seed * 131 + static_cast<std::uint64_t>(octave), cellsX * scale,
                              cellsY * scale);
    }
}

float FractalNoise::Sample(float u, float v) const
{
    float sum = 0.0f;
    float weight = 1.0f;
    float totalWeight = 0.0f;
    for (const ValueNoise& octave : mOctaves)
    {
        sum += octave.Sample(u, v) * weight;
        totalWeight += weight;
        weight *= 0.5f;
    }
    return sum / totalWeight;
}
