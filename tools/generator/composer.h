#pragma once

#include "random.h"
#include "song_plan.h"

#include <vector>

// Turns a song plan into notes, like filling in the rows of a tracker: a held chord, a bass line
// and an arpeggio from the patterns, drums, and a tune built from two-bar phrases (A A' B A'')
// whose repeats keep the rhythm and shape of the first phrase over the new chords.
class Composer
{
public:
    explicit Composer(const SongPlan& plan);

    std::vector<NoteEvent> Compose();

private:
    // A melody note in scale degrees (above the middle register) and eighth notes.
    struct TuneNote
    {
        int startEighth;
        int lengthEighths;
        int degree;
    };
    using Phrase = std::vector<TuneNote>;

    int StepsPerBar() const { return mPlan.beatsPerBar * 4; }
    int ChordDegree(int bar) const;
    int MiddleMidi(int degree) const;
    std::vector<int> ChordMidi(int bar) const;

    void AddChords();
    void AddBass();
    void AddArpeggio();
    void AddDrums();
    void AddDrumLine(const std::string& pattern, Instrument instrument, float pan);
    void AddDrumFill();
    void AddMelody();
    void AddWrittenTune();

    Phrase InventPhrase(int firstBar);
    Phrase VaryPhrase(const Phrase& original, int originalBar, int newBar, bool finalPhrase);
    int NearestChordTone(int degree, int bar) const;
    int NextDegree(int current, bool strongBeat, int bar);
    void PlayPhrase(const Phrase& phrase, int firstBar);

    void AddNote(double startBeat, double lengthBeats, int midi, float velocity, float pan,
                 Instrument instrument);

    const SongPlan& mPlan;
    Random mRandom;
    std::vector<NoteEvent> mNotes;
};
