#include "oscillators.h"

#include <array>
#include <cmath>

namespace
{
constexpr double TWO_PI = 6.283185307179586;
constexpr std::size_t TABLE_SIZE = 8192;

double Fraction(double phase)
{
    return phase - std::floor(phase);
}

// One cycle of a sine, plus one extra entry so interpolation never has to wrap. Reading a table
// is much cheaper than std::sin and plenty accurate for sound.
const std::array<double, TABLE_SIZE + 1>& SineTable()
{
    static const std::array<double, TABLE_SIZE + 1> table = []
    {
        std::array<double, TABLE_SIZE + 1> values{};
        for (std::size_t i = 0; i <= TABLE_SIZE; ++i)
        {
            values[i] = std::sin(TWO_PI * static_cast<double>(i) / TABLE_SIZE);
        }
        return values;
    }();
    return table;
}
} // namespace

double Oscillators::Sine(double phase)
{
    const double position = Fraction(phase) * TABLE_SIZE;
    const std::size_t index = static_cast<std::size_t>(position);
    const double weight = position - static_cast<double>(index);
    const std::array<double, TABLE_SIZE + 1>& table = SineTable();
    return table[index] + (table[index + 1] - table[index]) * weight;
}

double Oscillators::Saw(double phase)
{
    return 2.0 * Fraction(phase) - 1.0;
}

double Oscillators::Square(double phase, double pulseWidth)
{
    return Fraction(phase) < pulseWidth ? 1.0 : -1.0;
}

double Oscillators::Triangle(double phase)
{
    const double fraction = Fraction(phase);
    return fraction < 0.5 ? 4.0 * fraction - 1.0 : 3.0 - 4.0 * fraction;
}
