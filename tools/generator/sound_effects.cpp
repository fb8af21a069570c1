#include "sound_effects.h"

#include "envelopes.h"
#include "noise_source.h"
#include "oscillators.h"
#include "state_variable_filter.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr double RATE = SoundEffects::SAMPLE_RATE;
constexpr double PEAK = 0.891; // -1 dBFS

std::vector<float> Silence(double seconds)
{
    return std::vector<float>(static_cast<std::size_t>(seconds * RATE), 0.0f);
}

double TimeAt(std::size_t index)
{
    return static_cast<double>(index) / RATE;
}

// Removes any slow offset (rumbles built from brown noise drift), which would waste headroom.
void BlockDc(std::vector<float>& samples)
{
    double previousInput = 0.0;
    double previousOutput = 0.0;
    for (float& sample : samples)
    {
        const double output = sample - previousInput + 0.9985 * previousOutput;
        previousInput = sample;
        previousOutput = output;
        sample = static_cast<float>(output);
    }
}

// Short fades at both ends so no effect starts or stops with a click, then scaling to the peak.
std::vector<float> Finish(std::vector<float> samples)
{
    BlockDc(samples);
    const std::size_t fadeIn = static_cast<std::size_t>(0.002 * RATE);
    const std::size_t fadeOut = static_cast<std::size_t>(0.012 * RATE);
    for (std::size_t i = 0; i < samples.size(); ++i)
    {
        double gain = 1.0;
        if (i < fadeIn)
        {
            gain = static_cast<double>(i) / fadeIn;
        }
        const std::size_t fromEnd = samples.size() - 1 - i;
        if (fromEnd < fadeOut)
        {
            gain = std::min(gain, static_cast<double>(fromEnd) / fadeOut);
        }
        samples[i] = static_cast<float>(samples[i] * gain);
    }
    float loudest = 0.0f;
    for (float sample : samples)
    {
        loudest = std::max(loudest, std::fabs(sample));
    }
    if (loudest > 0.0f)
    {
        for (float& sample : samples)
        {
            sample = static_cast<float>(sample * PEAK / loudest);
        }
    }
    return samples;
}

// A struck bell: a fundamental with a few slightly stretched partials, each dying away.
double Bell(double time, double frequency, double decay)
{
    if (time < 0.0)
    {
        return 0.0;
    }
    const double body =
        Oscillators::Sine(frequency * time) * Envelopes::Percussive(time, 0.002, decay);
    const double second = Oscillators::Sine(2.01 * frequency * time) * 0.35 *
                          Envelopes::Percussive(time, 0.002, decay * 0.6);
    const double third = Oscillators::Sine(3.03 * frequency * time) * 0.12 *
                         Envelopes::Percussive(time, 0.001, decay * 0.35);
    return body + second + third;
}

// A pitch that glides exponentially from one frequency to another; returns the phase so far.
class Glide
{
public:
    Glide(double fromHz, double toHz, double glideTime)
        : mFrom(fromHz), mTo(toHz), mGlideTime(glideTime)
    {
    }

    double NextPhase(double time)
    {
        const double t = std::min(1.0, time / mGlideTime);
        const double frequency = mFrom * std::pow(mTo / mFrom, t);
        mPhase += frequency / RATE;
        return mPhase;
    }

private:
    double mFrom;
    double mTo;
    double mGlideTime;
    double mPhase = 0.0;
};

// A thump: a low sine dropping in pitch under a fast decay.
std::vector<float> Thump(double seconds, double fromHz, double toHz, double decay)
{
    std::vector<float> samples = Silence(seconds);
    Glide glide(fromHz, toHz, decay * 3.0);
    for (std::size_t i = 0; i < samples.size(); ++i)
    {
        const double time = TimeAt(i);
        samples[i] = static_cast<float>(Oscillators::Sine(glide.NextPhase(time)) *
                                        Envelopes::Percussive(time, 0.003, decay));
    }
    return samples;
}

void MixInto(std::vector<float>& target, const std::vector<float>& source, double gain,
             double startSeconds = 0.0)
{
    const std::size_t offset = static_cast<std::size_t>(startSeconds * RATE);
    for (std::size_t i = 0; i < source.size() && offset + i < target.size(); ++i)
    {
        target[offset + i] += static_cast<float>(source[i] * gain);
    }
}

// A voice-like grunt: a buzzing source through two vowel formants.
std::vector<float> Grunt(double seconds, double fromHz, double toHz, double formant1,
                         double formant2, std::uint64_t seed)
{
    std::vector<float> samples = Silence(seconds);
    NoiseSource noise(seed);
    StateVariableFilter first(RATE, formant1, 4.0);
    StateVariableFilter second(RATE, formant2, 5.0);
    Glide glide(fromHz, toHz, seconds);
    double jitter = 0.0;
    for (std::size_t i = 0; i < samples.size(); ++i)
    {
        const double time = TimeAt(i);
        jitter = jitter * 0.999 + noise.White() * 0.0015; // a rough, growling throat
        const double source =
            Oscillators::Saw(glide.NextPhase(time) + jitter) + noise.White() * 0.15;
        const double voiced =
            first.Process(source).bandPass + second.Process(source).bandPass * 0.6;
        samples[i] = static_cast<float>(
            voiced * Envelopes::Adsr(time, 0.015, 0.08, 0.7, seconds * 0.45, seconds * 0.5));
    }
    return samples;
}
} // namespace

std::vector<float> SoundEffects::MenuSelect()
{
    std::vector<float> samples = Silence(0.07);
    NoiseSource noise(301);
    for (std::size_t i = 0; i < samples.size(); ++i)
    {
        const double time = TimeAt(i);
        const double tone =
            Oscillators::Sine(1480.0 * time) * Envelopes::Percussive(time, 0.001, 0.014);
        const double click = noise.White() * Envelopes::Percussive(time, 0.0005, 0.002) * 0.4;
        samples[i] = static_cast<float>(tone + click);
    }
    return Finish(samples);
}

std::vector<float> SoundEffects::MenuConfirm()
{
    std::vector<float> samples = Silence(0.42);
    for (std::size_t i = 0; i < samples.size(); ++i)
    {
        const double time = TimeAt(i);
        samples[i] =
            static_cast<float>(Bell(time, 1318.5, 0.09) * 0.8 + Bell(time - 0.075, 1975.5, 0.13));
    }
    return Finish(samples);
}

std::vector<float> SoundEffects::MenuBack()
{
    std::vector<float> samples = Silence(0.3);
    StateVariableFilter soften(RATE, 2500.0, 0.7);
    for (std::size_t i = 0; i < samples.size(); ++i)
    {
        const double time = TimeAt(i);
        const double first =
            Oscillators::Triangle(987.8 * time) * Envelopes::Percussive(time, 0.002, 0.05);
        const double secondTime = time - 0.07;
        const double second = secondTime < 0.0 ? 0.0
                                               : Oscillators::Triangle(659.3 * secondTime) *
                                                     Envelopes::Percussive(secondTime, 0.002, 0.08);
        samples[i] = static_cast<float>(soften.Process(first * 0.8 + second).lowPass);
    }
    return Finish(samples);
}

std::vector<float> SoundEffects::ScrollBlast()
{
    constexpr double length = 1.5;
    std::vector<float> samples = Silence(length);
    NoiseSource noise(311);
    StateVariableFilter whooshFilter(RATE, 200.0, 1.6);
    const double chord[] = {880.0, 1108.7, 1318.5, 1760.0, 2217.5};
    for (std::size_t i = 0; i < samples.size(); ++i)
    {
        const double time = TimeAt(i);
        // The whoosh sweeps up as the spell gathers, then falls away after the blast.
        const double sweep = time < 0.45 ? 200.0 * std::pow(20.0, time / 0.45)
                                         : 4000.0 * std::pow(0.08, (time - 0.45) / 1.05);
        whooshFilter.SetCutoff(sweep);
        const double whoosh = whooshFilter.Process(noise.White()).bandPass *
                              Envelopes::Adsr(time, 0.35, 0.3, 0.5, 0.8, 0.65);
        double shimmer = 0.0;
        for (int voice = 0; voice < 5; ++voice)
        {
            const double rise = 1.0 + 0.06 * std::min(1.0, time / 0.5);
            const double detune = 1.0 + 0.003 * voice;
            shimmer += Oscillators::Sine(chord[voice] * rise * detune * time) *
                       (0.6 + 0.4 * Oscillators::Sine(7.0 * time + voice * 0.2));
        }
        shimmer *= Envelopes::Adsr(time, 0.3, 0.4, 0.35, 0.7, 0.8) * 0.2;
        samples[i] = static_cast<float>(whoosh * 1.6 + shimmer);
    }
    MixInto(samples, Thump(1.0, 120.0, 32.0, 0.3), 0.9, 0.42);
    return Finish(samples);
}

std::vector<float> SoundEffects::FireballCast()
{
    constexpr double length = 0.55;
    std::vector<float> samples = Silence(length);
    NoiseSource noise(321);
    StateVariableFilter flame(RATE, 2500.0, 1.2);
    for (std::size_t i = 0; i < samples.size(); ++i)
    {
        const double time = TimeAt(i);
        flame.SetCutoff(2600.0 * std::pow(0.2, time / length));
        const double whoosh = flame.Process(noise.White()).bandPass *
                              Envelopes::Adsr(time, 0.03, 0.1, 0.6, 0.35, 0.15);
        // Sparse crackles of the flame.
        const double crackle =
            noise.White() > 0.985 ? noise.White() * Envelopes::Percussive(time, 0.01, 0.15) : 0.0;
        samples[i] = static_cast<float>(whoosh * 2.2 + crackle * 0.5);
    }
    MixInto(samples, Thump(0.35, 220.0, 80.0, 0.09), 0.5);
    return Finish(samples);
}

std::vector<float> SoundEffects::DoorOpen()
{
    constexpr double length = 1.05;
    std::vector<float> samples = Silence(length);
    NoiseSource noise(331);
    NoiseSource grit(337);
    StateVariableFilter rumble(RATE, 260.0, 0.8);
    StateVariableFilter scrape(RATE, 900.0, 2.0);
    for (std::size_t i = 0; i < samples.size(); ++i)
    {
        const double time = TimeAt(i);
        const double envelope = Envelopes::Adsr(time, 0.08, 0.2, 0.8, 0.25, length - 0.25);
        const double low = rumble.Process(noise.Brown() * 3.0).lowPass;
        // The stone catches and slips: scraping modulated by a jerky slow noise.
        const double judder = 0.6 + 0.4 * Oscillators::Sine(11.0 * time + 0.3 * grit.Brown());
        const double high = scrape.Process(noise.White()).bandPass * judder * 0.25;
        const double hum =
            Oscillators::Sine(55.0 * time) * 0.15 + Oscillators::Sine(110.5 * time) * 0.06;
        samples[i] = static_cast<float>((low + high + hum) * envelope);
    }
    MixInto(samples, Thump(0.3, 140.0, 60.0, 0.05), 0.6);
    return Finish(samples);
}

std::vector<float> SoundEffects::DoorClose()
{
    constexpr double length = 0.6;
    std::vector<float> samples = Thump(length, 95.0, 42.0, 0.13);
    NoiseSource noise(341);
    StateVariableFilter body(RATE, 400.0, 0.8);
    StateVariableFilter clack(RATE, 2200.0, 2.5);
    for (std::size_t i = 0; i < samples.size(); ++i)
    {
        const double time = TimeAt(i);
        const double white = noise.White();
        const double thud =
            body.Process(white).lowPass * Envelopes::Percussive(time, 0.002, 0.05) * 2.0;
        const double latch =
            clack.Process(white).bandPass * Envelopes::Percussive(time, 0.001, 0.015);
        samples[i] += static_cast<float>(thud + latch * 0.6);
    }
    return Finish(samples);
}

std::vector<float> SoundEffects::FireballHit()
{
    constexpr double length = 0.4;
    std::vector<float> samples = Silence(length);
    NoiseSource noise(351);
    StateVariableFilter burst(RATE, 5000.0, 0.9);
    for (std::size_t i = 0; i < samples.size(); ++i)
    {
        const double time = TimeAt(i);
        burst.SetCutoff(5000.0 * std::pow(0.06, time / length));
        const double pop =
            burst.Process(noise.White()).lowPass * Envelopes::Percussive(time, 0.001, 0.08);
        const double crackle =
            noise.White() > 0.97 ? noise.White() * Envelopes::Percussive(time, 0.0, 0.12) : 0.0;
        samples[i] = static_cast<float>(pop * 1.5 + crackle * 0.4);
    }
    MixInto(samples, Thump(0.3, 150.0, 50.0, 0.06), 0.7);
    return Finish(samples);
}

std::vector<float> SoundEffects::Refusal()
{
    constexpr double length = 0.34;
    std::vector<float> samples = Silence(length);
    StateVariableFilter soften(RATE, 1800.0, 0.7);
    for (std::size_t i = 0; i < samples.size(); ++i)
    {
        const double time = TimeAt(i);
        // Two short, sour buzzes.
        const bool sounding = time < 0.13 || (time > 0.18 && time < 0.32);
        const double pulseStart = time < 0.15 ? 0.0 : 0.18;
        const double gate =
            sounding ? Envelopes::Adsr(time - pulseStart, 0.005, 0.05, 0.8, 0.01, 1.0) : 0.0;
        const double buzz =
            Oscillators::Square(110.0 * time) + Oscillators::Square(116.5 * time) * 0.8;
        samples[i] = static_cast<float>(soften.Process(buzz * gate).lowPass);
    }
    return Finish(samples);
}

std::vector<float> SoundEffects::PickUp()
{
    std::vector<float> samples = Silence(0.55);
    const double notes[] = {1046.5, 1318.5, 1568.0, 2093.0};
    for (std::size_t i = 0; i < samples.size(); ++i)
    {
        const double time = TimeAt(i);
        double sum = 0.0;
        for (int note = 0; note < 4; ++note)
        {
            sum += Bell(time - note * 0.05, notes[note], 0.12 + 0.05 * note) * (0.7 + 0.1 * note);
        }
        samples[i] = static_cast<float>(sum);
    }
    return Finish(samples);
}

std::vector<float> SoundEffects::EnemyHurt()
{
    std::vector<float> samples = Grunt(0.32, 150.0, 85.0, 520.0, 1050.0, 361);
    MixInto(samples, Thump(0.2, 180.0, 70.0, 0.04), 0.35);
    return Finish(samples);
}

std::vector<float> SoundEffects::PlayerHurt()
{
    std::vector<float> samples = Grunt(0.36, 260.0, 170.0, 750.0, 1250.0, 371);
    std::vector<float> impact = Silence(0.12);
    NoiseSource noise(373);
    StateVariableFilter crunch(RATE, 1200.0, 0.9);
    for (std::size_t i = 0; i < impact.size(); ++i)
    {
        impact[i] = static_cast<float>(crunch.Process(noise.White()).lowPass *
                                       Envelopes::Percussive(TimeAt(i), 0.001, 0.025));
    }
    MixInto(samples, impact, 1.2);
    MixInto(samples, Thump(0.2, 160.0, 60.0, 0.05), 0.5);
    return Finish(samples);
}
