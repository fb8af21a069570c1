#pragma once

// Scales and pitches for the music.
enum class ScaleMode
{
    Major,
    Lydian,
    Dorian,
    NaturalMinor,
    HarmonicMinor,
    Phrygian
};

namespace MusicTheory
{
// The MIDI note of a scale degree counted from the root (0 = root; 7 = root an octave up;
// negative degrees go below the root).
int DegreeToMidi(int rootMidi, ScaleMode mode, int degree);
// Equal temperament, A4 (MIDI 69) = 440 Hz.
double MidiToFrequency(double midi);
} // namespace MusicTheory
