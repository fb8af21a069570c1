#include "allpass_filter.h"

AllpassFilter::AllpassFilter(int delaySamples)
    : mBuffer(static_cast<std::size_t>(delaySamples), 0.0)
{
}

double AllpassFilter::Process(double input)
{
    constexpr double gain = 0.5;
    const double delayed = mBuffer[mPosition];
    const double output = delayed - input;
    mBuffer[mPosition] = input + delayed * gain;
    mPosition = (mPosition + 1) % mBuffer.size();
    return output;
}
