#pragma once

// Basic waveforms of a phase measured in cycles (any real number; only the fraction counts).
// All return values in -1..1.
namespace Oscillators
{
double Sine(double phase);
double Saw(double phase);
double Square(double phase, double pulseWidth = 0.5);
double Triangle(double phase);
} // namespace Oscillators
