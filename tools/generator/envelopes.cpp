#include "envelopes.h"

#include <cmath>

double Envelopes::Adsr(double time, double attack, double decay, double sustain, double release,
                       double noteLength)
{
    if (time < 0.0)
    {
        return 0.0;
    }
    double level = sustain;
    if (time < attack)
    {
        level = time / attack;
    }
    else if (time < attack + decay)
    {
        level = 1.0 - (1.0 - sustain) * (time - attack) / decay;
    }
    if (time < noteLength)
    {
        return level;
    }
    // The release starts from wherever the note had got to when it was let go.
    const double heldLevel = Adsr(noteLength - 1e-9, attack, decay, sustain, release, noteLength);
    const double fade = 1.0 - (time - noteLength) / release;
    return fade > 0.0 ? heldLevel * fade : 0.0;
}

double Envelopes::Percussive(double time, double attack, double decayTime)
{
    if (time < 0.0)
    {
        return 0.0;
    }
    if (time < attack)
    {
        return time / attack;
    }
    return std::exp(-(time - attack) / decayTime);
}
