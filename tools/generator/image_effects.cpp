#include "image_effects.h"

namespace
{
bool HasDrawnNeighbour(const Canvas& canvas, int x, int y)
{
    return canvas.Get(x - 1, y).IsOpaque() || canvas.Get(x + 1, y).IsOpaque() ||
           canvas.Get(x, y - 1).IsOpaque() || canvas.Get(x, y + 1).IsOpaque();
}
} // namespace

void AddOutline(Canvas& canvas, Color colour)
{
    const Canvas original = canvas;
    for (int y = 0; y < canvas.Height(); ++y)
    {
        for (int x = 0; x < canvas.Width(); ++x)
        {
            if (!original.Get(x, y).IsOpaque() && HasDrawnNeighbour(original, x, y))
            {
                canvas.Set(x, y, colour);
            }
        }
    }
}

void AddDropShadow(Canvas& canvas, int dx, int dy, Color colour)
{
    const Canvas original = canvas;
    for (int y = 0; y < canvas.Height(); ++y)
    {
        for (int x = 0; x < canvas.Width(); ++x)
        {
            if (!original.Get(x, y).IsOpaque() && original.Get(x - dx, y - dy).IsOpaque())
            {
                canvas.Set(x, y, colour);
            }
        }
    }
}

void TintDrawnPixels(Canvas& canvas, const Rgb& tint, float amount)
{
    for (int y = 0; y < canvas.Height(); ++y)
    {
        for (int x = 0; x < canvas.Width(); ++x)
        {
            const Color pixel = canvas.Get(x, y);
            if (pixel.IsOpaque())
            {
                const Rgb original = ToRgb(pixel);
                canvas.Set(x, y, ToColor(Mix(original, original * tint, amount)));
            }
        }
    }
}

Canvas MirrorHorizontally(const Canvas& canvas)
{
    Canvas result(canvas.Width(), canvas.Height());
    for (int y = 0; y < canvas.Height(); ++y)
    {
        for (int x = 0; x < canvas.Width(); ++x)
        {
            result.Set(canvas.Width() - 1 - x, y, canvas.Get(x, y));
        }
    }
    return result;
}

Canvas RotateClockwise(const Canvas& canvas)
{
    const int size = canvas.Width();
    Canvas result(size, size);
    for (int y = 0; y < size; ++y)
    {
        for (int x = 0; x < size; ++x)
        {
            result.Set(size - 1 - y, x, canvas.Get(x, y));
        }
    }
    return result;
}
