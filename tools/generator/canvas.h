#pragma once

#include "color.h"

#include <vector>

// An RGBA pixel grid that every image is painted on before it is saved.
class Canvas
{
public:
    Canvas(int width, int height);

    int Width() const { return mWidth; }
    int Height() const { return mHeight; }
    bool Contains(int x, int y) const;

    Color Get(int x, int y) const;
    // Writes are clipped: pixels outside the canvas are ignored.
    void Set(int x, int y, Color colour);
    void Fill(Color colour);
    void FillRect(int x, int y, int width, int height, Color colour);

    // Copies every pixel of the source, transparent ones included.
    void Paste(const Canvas& source, int x, int y);
    // Copies only the drawn (non-transparent) pixels of the source.
    void Overlay(const Canvas& source, int x, int y);
    Canvas Crop(int x, int y, int width, int height) const;

    const std::vector<Color>& Pixels() const { return mPixels; }

private:
    int mWidth;
    int mHeight;
    std::vector<Color> mPixels;
};
