#pragma once

#include "song_plan.h"

#include <cstdint>
#include <vector>

// Plays one note on one of the song instruments: mono samples at 44.1 kHz, release tail
// included, so the caller only has to place and pan them.
std::vector<float> PlayInstrument(Instrument instrument, double frequency, double lengthSeconds,
                                  float velocity, std::uint64_t seed);
