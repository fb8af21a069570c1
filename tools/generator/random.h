#pragma once

#include <cstdint>

// A small seeded generator (xoshiro128** fed by splitmix64) so that every asset comes out
// bit for bit the same on every run and every machine.
class Random
{
public:
    explicit Random(std::uint64_t seed);

    std::uint32_t NextU32();
    // Uniform in [0, 1).
    double NextDouble();
    // Uniform in [low, high).
    double Uniform(double low, double high);
    // Uniform integer in [low, high], both ends included.
    int Range(int low, int high);
    // True with the given probability.
    bool Chance(double probability);

private:
    std::uint32_t mState[4];
};
