#pragma once

#include "music_theory.h"

#include <cstdint>
#include <string>
#include <vector>

// The voices the music is played on.
enum class Instrument
{
    Bass,    // plucky filtered saw
    Pad,     // slow, warm detuned saws
    Organ,   // drawbar organ for the chapel-like tracks
    Strings, // bowed ensemble, brighter than the pad
    Lead,    // reedy square lead with vibrato
    Brass,   // bright saw lead for fanfares
    Harp,    // plucked string
    Bell,    // glassy bell
    Kick,
    Snare,
    HiHat,
    Timpani
};

// One note of a song, in beats.
struct NoteEvent
{
    double startBeat;
    double lengthBeats;
    int midiNote;
    float velocity;
    float pan; // -1 left .. 1 right
    Instrument instrument;
};

// Everything that makes one track: key, tempo, harmony and the patterns its parts follow.
// Patterns are strings with one character per step (a sixteenth note):
//  bass:  R root, F fifth, T third, O octave up, - hold, . rest
//  arp:   0-3 chord tones (3 = root an octave up), - hold, . rest
//  drums: x accented hit, o soft hit, . rest
struct SongPlan
{
    std::string fileName;
    double beatsPerMinute = 100.0;
    int beatsPerBar = 4;
    int bars = 8;
    int rootMidi = 45;
    ScaleMode mode = ScaleMode::NaturalMinor;
    std::vector<int> chordDegrees; // one chord per bar, repeated as needed

    std::string bassPattern;
    Instrument bassInstrument = Instrument::Bass;
    Instrument padInstrument = Instrument::Pad; // a held chord each bar
    bool pad = true;
    std::string arpPattern;
    Instrument arpInstrument = Instrument::Harp;
    int arpOctave = 0; // relative to the chord's middle register
    std::string kickPattern;
    std::string snarePattern;
    std::string hatPattern;
    std::string timpaniPattern;
    bool melody = true;
    Instrument melodyInstrument = Instrument::Lead;
    double melodyDensity = 0.6; // chance that an eighth note starts a new melody note
    int melodyCentreDegree = 9; // around where the tune moves, in degrees above the root
    // A tune written out by hand instead of an invented one: "degree:eighths" notes and
    // "r:eighths" rests separated by spaces, degrees counted from the root of the middle octave.
    std::string writtenTune;
    float reverbMix = 0.25f;
    double echoBeats = 0.75; // echo on the melody; 0 for none
    std::uint64_t seed = 1;
};
