#pragma once

// Loudness shapes over time (seconds); all return 0..1.
namespace Envelopes
{
// Attack, decay to the sustain level, hold until noteLength, then release.
double Adsr(double time, double attack, double decay, double sustain, double release,
            double noteLength);
// A quick linear attack followed by an exponential fall with the given time constant.
double Percussive(double time, double attack, double decayTime);
} // namespace Envelopes
