#pragma once

#include <cstdint>
#include <map>
#include <random>
#include <string>

// The process's resident memory, from /proc/self/status, in kilobytes (0 where
// the system does not say).
struct ProcessMemory
{
    long residentKb = 0;
    long peakKb = 0;

    static ProcessMemory Now();
};

// What a soak run went through and what memory it took on the way.
struct SoakReport
{
    std::string name;
    std::uint64_t seed = 0;
    long steps = 0;
    // How often each thing of interest happened ("new games", "deaths", ...).
    std::map<std::string, long> counts;
    ProcessMemory atTenth;
    ProcessMemory atEnd;

    void Count(const std::string& what) { ++counts[what]; }
    long CountOf(const std::string& what) const
    {
        const auto found = counts.find(what);
        return found == counts.end() ? 0 : found->second;
    }
    // Takes the memory figures at 10 % and at the end of the run.
    void Measure(long step, long total);
    std::string Text() const;
};

// The seeded randomness of a soak run: the same seed gives the same run.
class SoakDice
{
public:
    explicit SoakDice(std::uint64_t seed) : mRandom(seed) {}

    bool Chance(int percent) { return Below(100) < percent; }
    // An integer in [0, count).
    int Below(int count) { return std::uniform_int_distribution<int>(0, count - 1)(mRandom); }
    int Between(int min, int max) { return std::uniform_int_distribution<int>(min, max)(mRandom); }
    template <typename T, std::size_t N> const T& Of(const T (&choices)[N])
    {
        return choices[Below(static_cast<int>(N))];
    }

private:
    std::mt19937_64 mRandom;
};

// Soak settings from the environment: QUILL_SOAK_FRAMES, QUILL_SOAK_EVENTS and
// QUILL_SOAK_SEED override the short run of the test suite.
long SoakSetting(const char* name, long fallback);
