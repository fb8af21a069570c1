#include "canvas.h"

Canvas::Canvas(int width, int height)
    : mWidth(width), mHeight(height),
      mPixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), TRANSPARENT_PIXEL)
{
}

bool Canvas::Contains(int x, int y) const
{
    return x >= 0 && y >= 0 && x < mWidth && y < mHeight;
}

Color Canvas::Get(int x, int y) const
{
    if (!Contains(x, y))
    {
        return TRANSPARENT_PIXEL;
    }
    return mPixels[static_cast<std::size_t>(y) * mWidth + x];
}

void Canvas::Set(int x, int y, Color colour)
{
    if (Contains(x, y))
    {
        mPixels[static_cast<std::size_t>(y) * mWidth + x] = colour;
    }
}

void Canvas::Fill(Color colour)
{
    for (Color& pixel : mPixels)
    {
        pixel = colour;
    }
}

void Canvas::FillRect(int x, int y, int width, int height, Color colour)
{
    for (int row = y; row < y + height; ++row)
    {
        for (int column = x; column < x + width; ++column)
        {
            Set(column, row, colour);
        }
    }
}

void Canvas::Paste(const Canvas& source, int x, int y)
{
    for (int row = 0; row < source.Height(); ++row)
    {
        for (int column = 0; column < source.Width(); ++column)
        {
            Set(x + column, y + row, source.Get(column, row));
        }
    }
}

void Canvas::Overlay(const Canvas& source, int x, int y)
{
    for (int row = 0; row < source.Height(); ++row)
    {
        for (int column = 0; column < source.Width(); ++column)
        {
            const Color pixel = source.Get(column, row);
            if (pixel.IsOpaque())
            {
                Set(x + column, y + row, pixel);
            }
        }
    }
}

Canvas Canvas::Crop(int x, int y, int width, int height) const
{
    Canvas result(width, height);
    for (int row = 0; row < height; ++row)
    {
        for (int column = 0; column < width; ++column)
        {
            result.Set(column, row, Get(x + column, y + row));
        }
    }
    return result;
}
