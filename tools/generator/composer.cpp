#include "composer.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>

namespace
{
constexpr double STEP = 0.25; // a sixteenth note, in beats
constexpr double EIGHTH = 0.5;

float VelocityOf(char symbol)
{
    return symbol == 'x' ? 1.0f : 0.55f;
}

char PatternAt(const std::string& pattern, int step)
{
    return pattern.empty() ? '.' : pattern[static_cast<std::size_t>(step) % pattern.size()];
}

// How many steps a note started at step lasts: itself plus any '-' that follow it in the bar.
int HeldSteps(const std::string& pattern, int step, int stepsPerBar)
{
    int length = 1;
    while (step + length < stepsPerBar && PatternAt(pattern, step + length) == '-')
    {
        ++length;
    }
    return length;
}
} // namespace

Composer::Composer(const SongPlan& plan) : mPlan(plan), mRandom(plan.seed) {}

std::vector<NoteEvent> Composer::Compose()
{
    mNotes.clear();
    AddChords();
    AddBass();
    AddArpeggio();
    AddDrums();
    AddMelody();
    return mNotes;
}

int Composer::ChordDegree(int bar) const
{
    return mPlan.chordDegrees[static_cast<std::size_t>(bar) % mPlan.chordDegrees.size()];
}

int Composer::MiddleMidi(int degree) const
{
    return MusicTheory::DegreeToMidi(mPlan.rootMidi + 12, mPlan.mode, degree);
}

// The bar's triad, each tone folded into one octave above the root so the chords move smoothly.
std::vector<int> Composer::ChordMidi(int bar) const
{
    const int low = mPlan.rootMidi + 10;
    std::vector<int> tones;
    for (int tone = 0; tone < 3; ++tone)
    {
        int midi = MiddleMidi(ChordDegree(bar) + tone * 2);
        while (midi >= low + 12)
        {
            midi -= 12;
        }
        while (midi < low)
        {
            midi += 12;
        }
        tones.push_back(midi);
    }
    std::sort(tones.begin(), tones.end());
    return tones;
}

void Composer::AddNote(double startBeat, double lengthBeats, int midi, float velocity, float pan,
                       Instrument instrument)
{
    mNotes.push_back({startBeat, lengthBeats, midi, velocity, pan, instrument});
}

void Composer::AddChords()
{
    if (!mPlan.pad)
    {
        return;
    }
    const float pans[] = {-0.45f, 0.0f, 0.45f};
    for (int bar = 0; bar < mPlan.bars; ++bar)
    {
        const std::vector<int> tones = ChordMidi(bar);
        for (std::size_t tone = 0; tone < tones.size(); ++tone)
        {
            AddNote(bar * mPlan.beatsPerBar, mPlan.beatsPerBar, tones[tone], 0.7f, pans[tone],
                    mPlan.padInstrument);
        }
    }
}

void Composer::AddBass()
{
    for (int bar = 0; bar < mPlan.bars; ++bar)
    {
        const int root =
            MusicTheory::DegreeToMidi(mPlan.rootMidi - 12, mPlan.mode, ChordDegree(bar));
        for (int step = 0; step < StepsPerBar(); ++step)
        {
            const char symbol = PatternAt(mPlan.bassPattern, step);
            int midi = 0;
            switch (symbol)
            {
            case 'R':
                midi = root;
                break;
            case 'F':
                midi = root + 7;
                break;
            case 'T':
                midi = MusicTheory::DegreeToMidi(mPlan.rootMidi - 12, mPlan.mode,
                                                 ChordDegree(bar) + 2);
                break;
            case 'O':
                midi = root + 12;
                break;
            default:
                continue;
            }
            const double start = bar * mPlan.beatsPerBar + step * STEP;
            const double length = HeldSteps(mPlan.bassPattern, step, StepsPerBar()) * STEP * 0.92;
            AddNote(start, length, midi, step % 4 == 0 ? 0.95f : 0.75f, 0.0f, mPlan.bassInstrument);
        }
    }
}

void Composer::AddArpeggio()
{
    for (int bar = 0; bar < mPlan.bars; ++bar)
    {
        const std::vector<int> tones = ChordMidi(bar);
        for (int step = 0; step < StepsPerBar(); ++step)
        {
            const char symbol = PatternAt(mPlan.arpPattern, step);
            if (symbol < '0' || symbol > '3')
            {
                continue;
            }
            const int index = symbol - '0';
            const int midi = (index == 3 ? tones[0] + 12 : tones[index]) + 12 * mPlan.arpOctave;
            const double start = bar * mPlan.beatsPerBar + step * STEP;
            const double length = HeldSteps(mPlan.arpPattern, step, StepsPerBar()) * STEP;
            // Alternate sides so the arpeggio ripples across the stereo field.
            const float pan = step % 2 == 0 ? -0.35f : 0.35f;
            AddNote(start, length, midi, step % 4 == 0 ? 0.8f : 0.6f, pan, mPlan.arpInstrument);
        }
    }
}

void Composer::AddDrumLine(const std::string& pattern, Instrument instrument, float pan)
{
    if (pattern.empty())
    {
        return;
    }
    for (int bar = 0; bar < mPlan.bars; ++bar)
    {
        const bool lastBar = bar == mPlan.bars - 1;
        for (int step = 0; step < StepsPerBar(); ++step)
        {
            const char symbol = PatternAt(pattern, step);
            // The snare makes way for the fill at the end of the loop.
            const bool fillTime =
                lastBar && step >= StepsPerBar() - 4 && instrument == Instrument::Snare;
            if (symbol == '.' || fillTime)
            {
                continue;
            }
            const int midi =
                instrument == Instrument::Timpani
                    ? MusicTheory::DegreeToMidi(mPlan.rootMidi - 12, mPlan.mode, ChordDegree(bar))
                    : 60;
            AddNote(bar * mPlan.beatsPerBar + step * STEP, STEP, midi, VelocityOf(symbol), pan,
                    instrument);
        }
    }
}

void Composer::AddDrumFill()
{
    if (mPlan.snarePattern.empty())
    {
        return;
    }
    const double lastBarStart = (mPlan.bars - 1) * mPlan.beatsPerBar;
    for (int step = StepsPerBar() - 4; step < StepsPerBar(); ++step)
    {
        const float rising = 0.5f + 0.15f * (step - (StepsPerBar() - 4));
        AddNote(lastBarStart + step * STEP, STEP, 60, rising, 0.1f, Instrument::Snare);
    }
}

void Composer::AddDrums()
{
    AddDrumLine(mPlan.kickPattern, Instrument::Kick, 0.0f);
    AddDrumLine(mPlan.snarePattern, Instrument::Snare, 0.1f);
    AddDrumLine(mPlan.hatPattern, Instrument::HiHat, 0.35f);
    AddDrumLine(mPlan.timpaniPattern, Instrument::Timpani, -0.1f);
    AddDrumFill();
}

int Composer::NearestChordTone(int degree, int bar) const
{
    int best = degree;
    int bestDistance = 100;
    for (int candidate = degree - 3; candidate <= degree + 3; ++candidate)
    {
        const int fromRoot = ((candidate - ChordDegree(bar)) % 7 + 7) % 7;
        const bool chordTone = fromRoot == 0 || fromRoot == 2 || fromRoot == 4;
        const int distance = std::abs(candidate - degree);
        if (chordTone && distance < bestDistance)
        {
            best = candidate;
            bestDistance = distance;
        }
    }
    return best;
}

int Composer::NextDegree(int current, bool strongBeat, int bar)
{
    const int centre = mPlan.melodyCentreDegree;
    int step = 0;
    const double roll = mRandom.NextDouble();
    if (roll < 0.65)
    {
        step = 1;
    }
    else if (roll < 0.88)
    {
        step = 2;
    }
    int direction = mRandom.Chance(0.5) ? 1 : -1;
    // Drift back towards the middle of the range when the tune wanders off.
    if (current > centre + 3)
    {
        direction = -1;
    }
    else if (current < centre - 3)
    {
        direction = 1;
    }
    const int next = current + direction * step;
    return strongBeat ? NearestChordTone(next, bar) : next;
}

Composer::Phrase Composer::InventPhrase(int firstBar)
{
    const int eighthsPerBar = mPlan.beatsPerBar * 2;
    const int total = eighthsPerBar * 2;
    const int lengths[] = {1, 2, 2, 2, 3, 4};
    Phrase phrase;
    int degree = NearestChordTone(mPlan.melodyCentreDegree, firstBar);
    int position = 0;
    while (position < total)
    {
        const bool opening = position == 0;
        if (!opening && !mRandom.Chance(mPlan.melodyDensity))
        {
            position += 1; // a breath
            continue;
        }
        int length = lengths[mRandom.Range(0, 5)];
        length = std::min(length, total - position);
        const int bar = firstBar + position / eighthsPerBar;
        const bool strongBeat = position % 4 == 0;
        degree = opening ? degree : NextDegree(degree, strongBeat, bar);
        phrase.push_back({position, length, degree});
        position += length;
    }
    // Let the phrase end on a held chord tone.
    TuneNote& last = phrase.back();
    last.lengthEighths = std::max(last.lengthEighths, std::min(4, total - last.startEighth));
    last.degree = NearestChordTone(last.degree, firstBar + 1);
    return phrase;
}

Composer::Phrase Composer::VaryPhrase(const Phrase& original, int originalBar, int newBar,
                                      bool finalPhrase)
{
    const int eighthsPerBar = mPlan.beatsPerBar * 2;
    Phrase varied = original;
    for (TuneNote& note : varied)
    {
        const int barOffset = note.startEighth / eighthsPerBar;
        const int shift = ChordDegree(newBar + barOffset) - ChordDegree(originalBar + barOffset);
        // Follow the new harmony, but keep the tune close to where it was.
        int moved = note.degree + ((shift % 7) + 7) % 7;
        if (moved - note.degree > 3)
        {
            moved -= 7;
        }
        note.degree =
            note.startEighth % 4 == 0 ? NearestChordTone(moved, newBar + barOffset) : moved;
    }
    if (finalPhrase)
    {
        // Come home: the last note lands on the root of the key, near where the tune is.
        TuneNote& last = varied.back();
        last.degree = ((last.degree + 3) / 7) * 7;
    }
    return varied;
}

void Composer::PlayPhrase(const Phrase& phrase, int firstBar)
{
    const double barStart = firstBar * mPlan.beatsPerBar;
    for (const TuneNote& note : phrase)
    {
        const double start = barStart + note.startEighth * EIGHTH;
        const double length = note.lengthEighths * EIGHTH * 0.9;
        const int midi = MiddleMidi(note.degree);
        const float velocity = note.startEighth % 4 == 0 ? 0.85f : 0.7f;
        AddNote(start, length, midi, velocity, -0.1f, mPlan.melodyInstrument);
        if (mPlan.echoBeats > 0.0)
        {
            AddNote(start + mPlan.echoBeats, length, midi, velocity * 0.32f, 0.5f,
                    mPlan.melodyInstrument);
        }
    }
}

void Composer::AddWrittenTune()
{
    std::istringstream tokens(mPlan.writtenTune);
    std::string token;
    Phrase tune;
    int position = 0;
    while (tokens >> token)
    {
        const std::size_t colon = token.find(':');
        const int length = std::stoi(token.substr(colon + 1));
        if (token[0] != 'r')
        {
            tune.push_back({position, length, std::stoi(token.substr(0, colon))});
        }
        position += length;
    }
    PlayPhrase(tune, 0);
}

void Composer::AddMelody()
{
    if (!mPlan.melody)
    {
        return;
    }
    if (!mPlan.writtenTune.empty())
    {
        AddWrittenTune();
        return;
    }
    // Two-bar phrases: A A' B A'' for eight bars, A A' B B' A A'' for twelve, and so on.
    const int phrases = mPlan.bars / 2;
    const Phrase first = InventPhrase(0);
    Phrase contrast;
    for (int index = 0; index < phrases; ++index)
    {
        const int bar = index * 2;
        const bool finalPhrase = index == phrases - 1;
        const bool contrastSection =
            index >= phrases / 2 && index < phrases / 2 + (phrases - 2) / 2;
        if (index == 0)
        {
            PlayPhrase(first, bar);
        }
        else if (contrastSection && contrast.empty())
        {
            contrast = InventPhrase(bar);
            PlayPhrase(contrast, bar);
        }
        else if (contrastSection)
        {
            PlayPhrase(VaryPhrase(contrast, phrases / 2 * 2, bar, false), bar);
        }
        else
        {
            PlayPhrase(VaryPhrase(first, 0, bar, finalPhrase), bar);
        }
    }
}
