#pragma once

#include "canvas.h"

// Rings every drawn shape with a one-pixel border (4-neighbourhood) so sprites stay readable
// against busy walls at low resolution.
void AddOutline(Canvas& canvas, Color colour);
// Puts a copy of the drawn shape's silhouette behind it, offset by (dx, dy).
void AddDropShadow(Canvas& canvas, int dx, int dy, Color colour);
// Multiplies the colour of every drawn pixel, e.g. to tint a frame red.
void TintDrawnPixels(Canvas& canvas, const Rgb& tint, float amount);
// Mirrors the canvas left to right.
Canvas MirrorHorizontally(const Canvas& canvas);
// Turns the canvas a quarter turn clockwise (square canvases).
Canvas RotateClockwise(const Canvas& canvas);
