#pragma once

#include "allpass_filter.h"
#include "comb_filter.h"

#include <vector>

// A small stereo hall (Schroeder-Moorer style): parallel damped combs into series all-passes,
// with slightly different delay lengths on each side for width.
class Reverb
{
public:
    Reverb(double roomSize, double damping);

    // Feeds one mono sample in and adds the reverberation to left and right.
    void Process(double input, float& left, float& right);

private:
    std::vector<CombFilter> mLeftCombs;
    std::vector<CombFilter> mRightCombs;
    std::vector<AllpassFilter> mLeftAllpasses;
    std::vector<AllpassFilter> mRightAllpasses;
};
