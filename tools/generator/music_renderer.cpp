#include "music_renderer.h"

#include "composer.h"
#include "instruments.h"
#include "reverb.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr double PEAK = 0.85; // about -1.4 dBFS, leaving the encoder some headroom

// Mixes a note in, wrapping whatever runs past the loop's end back to its start.
void MixNote(StereoTrack& track, const std::vector<float>& voice, std::size_t start, float pan)
{
    const double angle = (pan + 1.0) * 0.7853981633974483; // constant-power pan
    const float leftGain = static_cast<float>(std::cos(angle));
    const float rightGain = static_cast<float>(std::sin(angle));
    const std::size_t length = track.left.size();
    for (std::size_t i = 0; i < voice.size(); ++i)
    {
        const std::size_t position = (start + i) % length;
        track.left[position] += voice[i] * leftGain;
        track.right[position] += voice[i] * rightGain;
    }
}

// The reverb first hears the end of the loop, then runs over the whole loop, so the tail that
// carries over the loop point is already in the room when the loop starts again.
void AddReverb(StereoTrack& track, float mix)
{
    constexpr std::size_t warmUpFrames = MUSIC_SAMPLE_RATE * 4; // the tail has died away by then
    Reverb reverb(0.82, 0.35);
    const std::size_t length = track.left.size();
    float ignoredLeft = 0.0f;
    float ignoredRight = 0.0f;
    for (std::size_t i = length - std::min(length, warmUpFrames); i < length; ++i)
    {
        reverb.Process((track.left[i] + track.right[i]) * 0.5, ignoredLeft, ignoredRight);
    }
    StereoTrack wet{std::vector<float>(length, 0.0f), std::vector<float>(length, 0.0f)};
    for (std::size_t i = 0; i < length; ++i)
    {
        reverb.Process((track.left[i] + track.right[i]) * 0.5, wet.left[i], wet.right[i]);
    }
    for (std::size_t i = 0; i < length; ++i)
    {
        track.left[i] += wet.left[i] * mix;
        track.right[i] += wet.right[i] * mix;
    }
}

// The loop is seamless wherever it is cut, so it is cut where both channels are nearly silent,
// searching the last 100 ms before the downbeat: the very first start is then click-free too.
void RotateToQuietStart(StereoTrack& track)
{
    const std::size_t length = track.left.size();
    const std::size_t window = std::min<std::size_t>(length / 4, MUSIC_SAMPLE_RATE / 10);
    std::size_t quietest = 0;
    float quietestLevel = std::fabs(track.left[0]) + std::fabs(track.right[0]);
    for (std::size_t back = 1; back <= window; ++back)
    {
        const std::size_t frame = length - back;
        const float level = std::fabs(track.left[frame]) + std::fabs(track.right[frame]);
        if (level < quietestLevel)
        {
            quietest = frame;
            quietestLevel = level;
        }
    }
    std::rotate(track.left.begin(), track.left.begin() + quietest, track.left.end());
    std::rotate(track.right.begin(), track.right.begin() + quietest, track.right.end());
}

void Normalise(StereoTrack& track)
{
    float loudest = 0.0f;
    for (std::size_t i = 0; i < track.left.size(); ++i)
    {
        loudest = std::max({loudest, std::fabs(track.left[i]), std::fabs(track.right[i])});
    }
    if (loudest <= 0.0f)
    {
        return;
    }
    const float gain = static_cast<float>(PEAK / loudest);
    for (std::size_t i = 0; i < track.left.size(); ++i)
    {
        track.left[i] *= gain;
        track.right[i] *= gain;
    }
}
} // namespace

StereoTrack RenderSong(const SongPlan& plan)
{
    const double secondsPerBeat = 60.0 / plan.beatsPerMinute;
    const double loopBeats = static_cast<double>(plan.bars) * plan.beatsPerBar;
    const std::size_t frames =
        static_cast<std::size_t>(std::lround(loopBeats * secondsPerBeat * MUSIC_SAMPLE_RATE));
    StereoTrack track{std::vector<float>(frames, 0.0f), std::vector<float>(frames, 0.0f)};
    const std::vector<NoteEvent> notes = Composer(plan).Compose();
    for (std::size_t index = 0; index < notes.size(); ++index)
    {
        const NoteEvent& note = notes[index];
        const std::vector<float> voice = PlayInstrument(
            note.instrument, MusicTheory::MidiToFrequency(note.midiNote),
            note.lengthBeats * secondsPerBeat, note.velocity, plan.seed * 100003 + index);
        const double startFrame = note.startBeat * secondsPerBeat * MUSIC_SAMPLE_RATE;
        MixNote(track, voice, static_cast<std::size_t>(std::lround(startFrame)) % frames, note.pan);
    }
    AddReverb(track, plan.reverbMix);
    RotateToQuietStart(track);
    Normalise(track);
    return track;
}
