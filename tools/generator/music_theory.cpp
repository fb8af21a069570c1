#include "music_theory.h"

#include <cmath>

namespace
{
const int* StepsOf(ScaleMode mode)
{
    static const int major[] = {0, 2, 4, 5, 7, 9, 11};
    static const int lydian[] = {0, 2, 4, 6, 7, 9, 11};
    static const int dorian[] = {0, 2, 3, 5, 7, 9, 10};
    static const int naturalMinor[] = {0, 2, 3, 5, 7, 8, 10};
    static const int harmonicMinor[] = {0, 2, 3, 5, 7, 8, 11};
    static const int phrygian[] = {0, 1, 3, 5, 7, 8, 10};
    switch (mode)
    {
    case ScaleMode::Major:
        return major;
    case ScaleMode::Lydian:
        return lydian;
    case ScaleMode::Dorian:
        return dorian;
    case ScaleMode::NaturalMinor:
        return naturalMinor;
    case ScaleMode::HarmonicMinor:
        return harmonicMinor;
    case ScaleMode::Phrygian:
        return phrygian;
    }
    return naturalMinor;
}
} // namespace

int MusicTheory::DegreeToMidi(int rootMidi, ScaleMode mode, int degree)
{
    const int octave = degree >= 0 ? degree / 7 : -((-degree + 6) / 7);
    const int step = degree - octave * 7;
    return rootMidi + octave * 12 + StepsOf(mode)[step];
}

double MusicTheory::MidiToFrequency(double midi)
{
    return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0);
}
