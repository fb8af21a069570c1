#include "instruments.h"

#include "envelopes.h"
#include "noise_source.h"
#include "oscillators.h"
#include "sine_phasor.h"
#include "state_variable_filter.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr double RATE = 44100.0;
// Filter sweeps are smooth enough when the cutoff is moved every few samples.
constexpr std::size_t CUTOFF_INTERVAL = 16;

// An exponential fall from 1 with the given time constant, one multiplication per sample.
class Decay
{
public:
    explicit Decay(double timeConstant) : mFactor(std::exp(-1.0 / (timeConstant * RATE))) {}

    double Next()
    {
        const double value = mLevel;
        mLevel *= mFactor;
        return value;
    }

private:
    double mFactor;
    double mLevel = 1.0;
};

std::vector<float> Samples(double seconds)
{
    return std::vector<float>(static_cast<std::size_t>(seconds * RATE) + 1, 0.0f);
}

double TimeAt(std::size_t index)
{
    return static_cast<double>(index) / RATE;
}

std::vector<float> PlayBass(double frequency, double length, float velocity)
{
    std::vector<float> out = Samples(length + 0.1);
    StateVariableFilter filter(RATE, 400.0, 1.3);
    for (std::size_t i = 0; i < out.size(); ++i)
    {
        const double t = TimeAt(i);
        const double phase = frequency * t;
        const double raw = Oscillators::Saw(phase) * 0.6 + Oscillators::Square(phase * 0.5) * 0.35;
        if (i % CUTOFF_INTERVAL == 0)
        {
            filter.SetCutoff(170.0 + 1500.0 * velocity * std::exp(-t / 0.11));
        }
        const double level = Envelopes::Adsr(t, 0.005, 0.25, 0.65, 0.08, length);
        out[i] = static_cast<float>(filter.Process(raw).lowPass * level * velocity * 0.4);
    }
    return out;
}

std::vector<float> PlayPad(double frequency, double length, float velocity)
{
    std::vector<float> out = Samples(length + 1.0);
    StateVariableFilter filter(RATE, 900.0, 0.7);
    const double detunes[] = {0.994, 1.0, 1.006};
    SinePhasor sub(frequency * 0.5, RATE);
    for (std::size_t i = 0; i < out.size(); ++i)
    {
        const double t = TimeAt(i);
        double raw = 0.0;
        for (double detune : detunes)
        {
            raw += Oscillators::Saw(frequency * detune * t + detune * 3.7);
        }
        raw += sub.Next() * 0.6;
        if (i % CUTOFF_INTERVAL == 0)
        {
            filter.SetCutoff(800.0 + 250.0 * Oscillators::Sine(0.25 * t));
        }
        const double level = Envelopes::Adsr(t, 0.6, 0.5, 0.8, 1.0, length);
        out[i] = static_cast<float>(filter.Process(raw).lowPass * level * velocity * 0.12);
    }
    return out;
}

std::vector<float> PlayOrgan(double frequency, double length, float velocity)
{
    std::vector<float> out = Samples(length + 0.3);
    const double harmonics[] = {1.0, 2.0, 3.0, 4.0, 6.0, 8.0};
    const double levels[] = {1.0, 0.55, 0.35, 0.22, 0.1, 0.07};
    std::vector<SinePhasor> pipes;
    for (double harmonic : harmonics)
    {
        pipes.emplace_back(frequency * harmonic, RATE);
    }
    SinePhasor tremoloLfo(5.8, RATE);
    for (std::size_t i = 0; i < out.size(); ++i)
    {
        const double t = TimeAt(i);
        double raw = 0.0;
        for (std::size_t h = 0; h < pipes.size(); ++h)
        {
            raw += pipes[h].Next() * levels[h];
        }
        const double tremolo = 1.0 + 0.08 * tremoloLfo.Next();
        const double level = Envelopes::Adsr(t, 0.04, 0.1, 0.9, 0.25, length);
        out[i] = static_cast<float>(raw * tremolo * level * velocity * 0.2);
    }
    return out;
}

std::vector<float> PlayStrings(double frequency, double length, float velocity)
{
    std::vector<float> out = Samples(length + 0.7);
    StateVariableFilter filter(RATE, 2200.0, 0.6);
    const double detunes[] = {0.991, 0.996, 1.004, 1.009};
    double phases[] = {0.1, 0.4, 0.7, 0.2};
    SinePhasor vibratoLfo(5.0, RATE);
    for (std::size_t i = 0; i < out.size(); ++i)
    {
        const double t = TimeAt(i);
        const double vibrato = 1.0 + 0.003 * vibratoLfo.Next() * std::min(1.0, t / 0.4);
        double raw = 0.0;
        for (int voice = 0; voice < 4; ++voice)
        {
            phases[voice] += frequency * detunes[voice] * vibrato / RATE;
            raw += Oscillators::Saw(phases[voice]);
        }
        const double level = Envelopes::Adsr(t, 0.25, 0.3, 0.85, 0.6, length);
        out[i] = static_cast<float>(filter.Process(raw).lowPass * level * velocity * 0.1);
    }
    return out;
}

std::vector<float> PlayLead(double frequency, double length, float velocity)
{
    std::vector<float> out = Samples(length + 0.25);
    StateVariableFilter filter(RATE, 2600.0, 0.9);
    double phase = 0.0;
    SinePhasor vibratoLfo(5.5, RATE);
    for (std::size_t i = 0; i < out.size(); ++i)
    {
        const double t = TimeAt(i);
        // Vibrato creeps in after the note has settled, as a singer or a flautist would do.
        const double depth = 0.005 * std::min(1.0, std::max(0.0, (t - 0.15) / 0.3));
        phase += frequency * (1.0 + depth * vibratoLfo.Next()) / RATE;
        const double raw =
            Oscillators::Square(phase, 0.35) * 0.5 + Oscillators::Triangle(phase) * 0.5;
        const double level = Envelopes::Adsr(t, 0.015, 0.15, 0.7, 0.2, length);
        out[i] = static_cast<float>(filter.Process(raw).lowPass * level * velocity * 0.8);
    }
    return out;
}

std::vector<float> PlayBrass(double frequency, double length, float velocity)
{
    std::vector<float> out = Samples(length + 0.2);
    StateVariableFilter filter(RATE, 800.0, 1.0);
    for (std::size_t i = 0; i < out.size(); ++i)
    {
        const double t = TimeAt(i);
        const double raw =
            Oscillators::Saw(frequency * t) + Oscillators::Saw(frequency * 1.004 * t) * 0.6;
        // The brassy "blat": the filter opens as the note swells.
        if (i % CUTOFF_INTERVAL == 0)
        {
            filter.SetCutoff(600.0 + 2800.0 * Envelopes::Adsr(t, 0.06, 0.3, 0.55, 0.15, length));
        }
        const double level = Envelopes::Adsr(t, 0.04, 0.2, 0.75, 0.15, length);
        out[i] = static_cast<float>(filter.Process(raw).lowPass * level * velocity * 0.45);
    }
    return out;
}

// A plucked string built from harmonics that die away faster the higher they are.
std::vector<float> PlayHarp(double frequency, double length, float velocity)
{
    const double ring = std::min(2.2, length + 1.2);
    std::vector<float> out = Samples(ring);
    std::vector<SinePhasor> partials;
    std::vector<Decay> decays;
    std::vector<double> amplitudes;
    for (int harmonic = 1; harmonic <= 6 && frequency * harmonic < 12000.0; ++harmonic)
    {
        partials.emplace_back(frequency * harmonic, RATE);
        decays.emplace_back(1.0 / (1.6 + harmonic * 1.4));
        amplitudes.push_back(1.0 / std::pow(harmonic, 1.6));
    }
    for (std::size_t i = 0; i < out.size(); ++i)
    {
        const double t = TimeAt(i);
        double raw = 0.0;
        for (std::size_t p = 0; p < partials.size(); ++p)
        {
            raw += partials[p].Next() * amplitudes[p] * decays[p].Next();
        }
        const double attack = std::min(1.0, t / 0.003);
        const double tail = std::min(1.0, (ring - t) / 0.05);
        out[i] = static_cast<float>(raw * attack * tail * velocity * 0.3);
    }
    return out;
}

// A glassy bell by frequency modulation, its brightness fading faster than its body.
std::vector<float> PlayBell(double frequency, double length, float velocity)
{
    const double ring = length + 1.6;
    std::vector<float> out = Samples(ring);
    SinePhasor modulatorWave(frequency * 3.5, RATE);
    Decay brightness(0.4);
    for (std::size_t i = 0; i < out.size(); ++i)
    {
        const double t = TimeAt(i);
        const double index = 2.2 * brightness.Next();
        const double modulator = modulatorWave.Next() * index;
        const double raw = Oscillators::Sine(frequency * t + modulator / 6.283185307179586);
        const double level = Envelopes::Percussive(t, 0.002, 0.9) * std::min(1.0, (ring - t) / 0.1);
        out[i] = static_cast<float>(raw * level * velocity * 0.45);
    }
    return out;
}

std::vector<float> PlayKick(float velocity)
{
    std::vector<float> out = Samples(0.4);
    double phase = 0.0;
    for (std::size_t i = 0; i < out.size(); ++i)
    {
        const double t = TimeAt(i);
        phase += (45.0 + 100.0 * std::exp(-t / 0.03)) / RATE;
        out[i] = static_cast<float>(Oscillators::Sine(phase) *
                                    Envelopes::Percussive(t, 0.002, 0.16) * velocity * 0.6);
    }
    return out;
}

std::vector<float> PlaySnare(float velocity, std::uint64_t seed)
{
    std::vector<float> out = Samples(0.3);
    NoiseSource noise(seed);
    StateVariableFilter filter(RATE, 1900.0, 0.8);
    for (std::size_t i = 0; i < out.size(); ++i)
    {
        const double t = TimeAt(i);
        const double rattle =
            filter.Process(noise.White()).bandPass * Envelopes::Percussive(t, 0.001, 0.08);
        const double body = Oscillators::Sine(185.0 * t) * Envelopes::Percussive(t, 0.001, 0.05);
        out[i] = static_cast<float>((rattle * 1.4 + body * 0.5) * velocity * 0.8);
    }
    return out;
}

std::vector<float> PlayHiHat(float velocity, std::uint64_t seed)
{
    std::vector<float> out = Samples(0.12);
    NoiseSource noise(seed);
    StateVariableFilter filter(RATE, 7500.0, 0.7);
    for (std::size_t i = 0; i < out.size(); ++i)
    {
        const double t = TimeAt(i);
        out[i] = static_cast<float>(filter.Process(noise.White()).highPass *
                                    Envelopes::Percussive(t, 0.0005, 0.03) * velocity * 1.0);
    }
    return out;
}

std::vector<float> PlayTimpani(double frequency, float velocity, std::uint64_t seed)
{
    std::vector<float> out = Samples(1.6);
    NoiseSource noise(seed);
    StateVariableFilter mallet(RATE, 500.0, 0.7);
    double phase = 0.0;
    for (std::size_t i = 0; i < out.size(); ++i)
    {
        const double t = TimeAt(i);
        phase += frequency * (1.0 + 0.04 * std::exp(-t / 0.05)) / RATE;
        const double drum = Oscillators::Sine(phase) + Oscillators::Sine(phase * 1.5) * 0.25;
        const double hit =
            mallet.Process(noise.White()).lowPass * Envelopes::Percussive(t, 0.001, 0.03);
        out[i] = static_cast<float>((drum * Envelopes::Percussive(t, 0.004, 0.6) + hit * 1.5) *
                                    velocity * 0.6);
    }
    return out;
}
} // namespace

std::vector<float> PlayInstrument(Instrument instrument, double frequency, double lengthSeconds,
                                  float velocity, std::uint64_t seed)
{
    switch (instrument)
    {
    case Instrument::Bass:
        return PlayBass(frequency, lengthSeconds, velocity);
    case Instrument::Pad:
        return PlayPad(frequency, lengthSeconds, velocity);
    case Instrument::Organ:
        return PlayOrgan(frequency, lengthSeconds, velocity);
    case Instrument::Strings:
        return PlayStrings(frequency, lengthSeconds, velocity);
    case Instrument::Lead:
        return PlayLead(frequency, lengthSeconds, velocity);
    case Instrument::Brass:
        return PlayBrass(frequency, lengthSeconds, velocity);
    case Instrument::Harp:
        return PlayHarp(frequency, lengthSeconds, velocity);
    case Instrument::Bell:
        return PlayBell(frequency, lengthSeconds, velocity);
    case Instrument::Kick:
        return PlayKick(velocity);
    case Instrument::Snare:
        return PlaySnare(velocity, seed);
    case Instrument::HiHat:
        return PlayHiHat(velocity, seed);
    case Instrument::Timpani:
        return PlayTimpani(frequency, velocity, seed);
    }
    return {};
}
