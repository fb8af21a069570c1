#include "random.h"

namespace
{
std::uint64_t SplitMix64(std::uint64_t& state)
{
    state += 0x9E3779B97F4A7C15ULL;
    std::uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

std::uint32_t RotateLeft(std::uint32_t value, int bits)
{
    return (value << bits) | (value >> (32 - bits));
}
} // namespace

Random::Random(std::uint64_t seed)
{
    std::uint64_t state = seed;
    const std::uint64_t first = SplitMix64(state);
    const std::uint64_t second = SplitMix64(state);
    mState[0] = static_cast<std::uint32_t>(first);
    mState[1] = static_cast<std::uint32_t>(first >> 32);
    mState[2] = static_cast<std::uint32_t>(second);
    mState[3] = static_cast<std::uint32_t>(second >> 32);
}

std::uint32_t Random::NextU32()
{
    const std::uint32_t result = RotateLeft(mState[1] * 5, 7) * 9;
    const std::uint32_t shifted = mState[1] << 9;
    mState[2] ^= mState[0];
    mState[3] ^= mState[1];
    mState[1] ^= mState[2];
    mState[0] ^= mState[3];
    mState[2] ^= shifted;
    mState[3] = RotateLeft(mState[3], 11);
    return result;
}

double Random::NextDouble()
{
    return NextU32() / 4294967296.0;
}

double Random::Uniform(double low, double high)
{
    return low + (high - low) * NextDouble();
}

int Random::Range(int low, int high)
{
    const std::uint32_t span = static_cast<std::uint32_t>(high - low) + 1;
    return low + static_cast<int>(NextU32() % span);
}

bool Random::Chance(double probability)
{
    return NextDouble() < probability;
}
