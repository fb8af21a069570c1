#pragma once

#include <vector>

// A Schroeder all-pass: smears the reverb's echoes into a dense wash without colouring them.
class AllpassFilter
{
public:
    explicit AllpassFilter(int delaySamples);

    double Process(double input);

private:
    std::vector<double> mBuffer;
    std::size_t mPosition = 0;
};
