#pragma once

// A resonant two-pole filter (Chamberlin state-variable form, run twice per sample for
// stability) giving low-pass, band-pass and high-pass outputs at once. The cutoff may be changed
// every sample for sweeps.
class StateVariableFilter
{
public:
    struct Outputs
    {
        double lowPass;
        double bandPass;
        double highPass;
    };

    StateVariableFilter(double sampleRate, double cutoffHz, double resonance);

    void SetCutoff(double cutoffHz);
    // 0.5 is gentle; higher values ring at the cutoff.
    void SetResonance(double resonance);
    Outputs Process(double input);

private:
    double mSampleRate;
    double mFrequencyFactor = 0.0;
    double mDamping = 1.0;
    double mLow = 0.0;
    double mBand = 0.0;
};
