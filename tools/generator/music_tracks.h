#pragma once

#include "song_plan.h"

#include <vector>

// The game's nine music tracks, in the order music.cfg lists them: the title, the
// map-completed fanfare, the ending, and one exploration theme for each of the six maps.
std::vector<SongPlan> GameSongs();
