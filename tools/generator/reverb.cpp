#include "reverb.h"

namespace
{
// Delay lengths in samples at 44.1 kHz, mutually prime so the echoes never line up.
const int COMB_DELAYS[] = {1116, 1277, 1422, 1557};
const int ALLPASS_DELAYS[] = {556, 341};
constexpr int STEREO_SPREAD = 23;
constexpr double INPUT_GAIN = 0.12;
} // namespace

Reverb::Reverb(double roomSize, double damping)
{
    for (int delay : COMB_DELAYS)
    {
        mLeftCombs.emplace_back(delay, roomSize, damping);
        mRightCombs.emplace_back(delay + STEREO_SPREAD, roomSize, damping);
    }
    for (int delay : ALLPASS_DELAYS)
    {
        mLeftAllpasses.emplace_back(delay);
        mRightAllpasses.emplace_back(delay + STEREO_SPREAD);
    }
}

void Reverb::Process(double input, float& left, float& right)
{
    const double scaled = input * INPUT_GAIN;
    double wetLeft = 0.0;
    double wetRight = 0.0;
    for (std::size_t comb = 0; comb < mLeftCombs.size(); ++comb)
    {
        wetLeft += mLeftCombs[comb].Process(scaled);
        wetRight += mRightCombs[comb].Process(scaled);
    }
    for (std::size_t pass = 0; pass < mLeftAllpasses.size(); ++pass)
    {
        wetLeft = mLeftAllpasses[pass].Process(wetLeft);
        wetRight = mRightAllpasses[pass].Process(wetRight);
    }
    left += static_cast<float>(wetLeft);
    right += static_cast<float>(wetRight);
}
