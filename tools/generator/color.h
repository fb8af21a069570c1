#pragma once

#include <cstdint>

// A stored pixel: 8-bit RGBA, as written to the PNG files.
struct Color
{
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 0;

    bool IsOpaque() const { return a != 0; }
};

// A working colour with float channels in 0..255, so shading can overshoot and be clamped once.
struct Rgb
{
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;

    Rgb operator+(const Rgb& other) const { return {r + other.r, g + other.g, b + other.b}; }
    Rgb operator-(const Rgb& other) const { return {r - other.r, g - other.g, b - other.b}; }
    Rgb operator*(float factor) const { return {r * factor, g * factor, b * factor}; }
    Rgb operator*(const Rgb& other) const
    {
        return {r * other.r / 255.0f, g * other.g / 255.0f, b * other.b / 255.0f};
    }
};

// Linear blend from a (t = 0) to b (t = 1).
Rgb Mix(const Rgb& a, const Rgb& b, float t);
// An opaque pixel from a working colour, clamped to 0..255.
Color ToColor(const Rgb& colour);
Rgb ToRgb(const Color& colour);
// Smooth 0..1 ramp between edge0 and edge1.
float SmoothStep(float edge0, float edge1, float x);
float Clamp01(float x);

constexpr Color TRANSPARENT_PIXEL{0, 0, 0, 0};
