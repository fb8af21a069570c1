#pragma once

#include <vector>

// A feedback delay with a low-pass in the loop: one of the parallel echoes of the reverb, whose
// tail gets duller as it fades, like sound soaking into stone.
class CombFilter
{
public:
    CombFilter(int delaySamples, double feedback, double damping);

    double Process(double input);

private:
    std::vector<double> mBuffer;
    std::size_t mPosition = 0;
    double mFeedback;
    double mDamping;
    double mFiltered = 0.0;
};
