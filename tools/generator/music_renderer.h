#pragma once

#include "song_plan.h"

#include <vector>

struct StereoTrack
{
    std::vector<float> left;
    std::vector<float> right;
};

constexpr int MUSIC_SAMPLE_RATE = 44100;

// Plays a song plan into one seamless loop: notes that ring past the end of the loop, and the
// reverb's tail, wrap around into its beginning, so the game can repeat it without a click.
StereoTrack RenderSong(const SongPlan& plan);
