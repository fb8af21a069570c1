#pragma once

#include "canvas.h"

#include <functional>
#include <vector>

struct Point
{
    float x = 0.0f;
    float y = 0.0f;
};

// A pixel being filled: (x, y) in the drawing's own coordinates, (u, v) in the shape's
// coordinates (see each Fill function).
struct ShapePoint
{
    float x = 0.0f;
    float y = 0.0f;
    float u = 0.0f;
    float v = 0.0f;
};

using Shader = std::function<Rgb(const ShapePoint&)>;

// Fills simple shapes on a canvas with opaque pixels, colouring each pixel through a shader.
// A lean shears the whole drawing sideways around a pivot row, which lets a figure tilt without
// redrawing its parts.
class Painter
{
public:
    explicit Painter(Canvas& canvas);

    // Rows above pivotY move right by lean pixels per row of height.
    void SetLean(float lean, float pivotY);
    void SetOffset(float dx, float dy);
    // Draws everything at this size, shrinking or growing towards the pivot.
    void SetScale(float scale, Point pivot);
    // Where a point of the drawing lands on the canvas.
    Point ToCanvas(Point drawing) const;

    // u, v run from -1 to 1 across the ellipse.
    void FillEllipse(float cx, float cy, float rx, float ry, const Shader& shader);
    // u, v are the drawing coordinates.
    void FillPolygon(const std::vector<Point>& points, const Shader& shader);
    // A thick segment with round ends: u runs 0..1 from a to b, v from -1 to 1 across it.
    void FillCapsule(Point a, Point b, float radius, const Shader& shader);
    void FillRect(float x, float y, float width, float height, const Shader& shader);

    static Shader Flat(Rgb colour);

private:
    using Coverage = std::function<bool(ShapePoint&)>;

    void FillWhere(const Coverage& covers, const Shader& shader);
    Point ToDrawing(int column, int row) const;

    Canvas& mCanvas;
    float mLean = 0.0f;
    float mPivotY = 0.0f;
    float mOffsetX = 0.0f;
    float mOffsetY = 0.0f;
    float mScale = 1.0f;
    Point mPivot;
};
