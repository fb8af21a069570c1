#include "value_noise.h"

#include "random.h"

#include <cmath>

namespace
{
int Wrap(int value, int period)
{
    const int wrapped = value % period;
    return wrapped < 0 ? wrapped + period : wrapped;
}

float Fade(float t)
{
    return t * t * (3.0f - 2.0f * t);
}
} // namespace

ValueNoise::ValueNoise(std::uint64_t seed, int cellsX, int cellsY)
    : mCellsX(cellsX), mCellsY(cellsY), mValues(static_cast<std::size_t>(cellsX) * cellsY)
{
    Random random(seed);
    for (float& value : mValues)
    {
        value = static_cast<float>(random.NextDouble());
    }
}

float ValueNoise::Lattice(int x, int y) const
{
    return mValues[static_cast<std::size_t>(Wrap(y, mCellsY)) * mCellsX + Wrap(x, mCellsX)];
}

float ValueNoise::Sample(float u, float v) const
{
    const float x = u * static_cast<float>(mCellsX);
    const float y = v * static_cast<float>(mCellsY);
    const int x0 = static_cast<int>(std::floor(x));
    const int y0 = static_cast<int>(std::floor(y));
    const float tx = Fade(x - static_cast<float>(x0));
    const float ty = Fade(y - static_cast<float>(y0));
    const float top = Lattice(x0, y0) + (Lattice(x0 + 1, y0) - Lattice(x0, y0)) * tx;
    const float bottom = Lattice(x0, y0 + 1) + (Lattice(x0 + 1, y0 + 1) - Lattice(x0, y0 + 1)) * tx;
    return top + (bottom - top) * ty;
}
