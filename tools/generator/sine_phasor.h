#pragma once

// A sine oscillator of fixed frequency that rotates a unit vector one step per sample instead of
// calling std::sin, which makes additive voices (harps, organs) many times cheaper.
class SinePhasor
{
public:
    SinePhasor(double frequency, double sampleRate, double startPhaseCycles = 0.0);

    // The current value, then one sample further on.
    double Next();

private:
    double mCos;
    double mSin;
    double mStepCos;
    double mStepSin;
    int mSinceRenormalise = 0;
};
