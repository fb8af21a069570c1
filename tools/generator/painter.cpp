#include "painter.h"

#include <cmath>

Painter::Painter(Canvas& canvas) : mCanvas(canvas) {}

void Painter::SetLean(float lean, float pivotY)
{
    mLean = lean;
    mPivotY = pivotY;
}

void Painter::SetOffset(float dx, float dy)
{
    mOffsetX = dx;
    mOffsetY = dy;
}

void Painter::SetScale(float scale, Point pivot)
{
    mScale = scale;
    mPivot = pivot;
}

Point Painter::ToCanvas(Point drawing) const
{
    const float scaledX = mPivot.x + (drawing.x - mPivot.x) * mScale;
    const float scaledY = mPivot.y + (drawing.y - mPivot.y) * mScale;
    return {scaledX + mLean * (mPivotY - scaledY) + mOffsetX, scaledY + mOffsetY};
}

Shader Painter::Flat(Rgb colour)
{
    return [colour](const ShapePoint&) { return colour; };
}

Point Painter::ToDrawing(int column, int row) const
{
    const float y = static_cast<float>(row) + 0.5f - mOffsetY;
    const float x = static_cast<float>(column) + 0.5f - mOffsetX - mLean * (mPivotY - y);
    return {mPivot.x + (x - mPivot.x) / mScale, mPivot.y + (y - mPivot.y) / mScale};
}

void Painter::FillWhere(const Coverage& covers, const Shader& shader)
{
    for (int row = 0; row < mCanvas.Height(); ++row)
    {
        for (int column = 0; column < mCanvas.Width(); ++column)
        {
            const Point point = ToDrawing(column, row);
            ShapePoint shapePoint{point.x, point.y, 0.0f, 0.0f};
            if (covers(shapePoint))
            {
                mCanvas.Set(column, row, ToColor(shader(shapePoint)));
            }
        }
    }
}

void Painter::FillEllipse(float cx, float cy, float rx, float ry, const Shader& shader)
{
    FillWhere(
        [=](ShapePoint& point)
        {
            point.u = (point.x - cx) / rx;
            point.v = (point.y - cy) / ry;
            return point.u * point.u + point.v * point.v <= 1.0f;
        },
        shader);
}

void Painter::FillPolygon(const std::vector<Point>& points, const Shader& shader)
{
    FillWhere(
        [&points](ShapePoint& point)
        {
            bool inside = false;
            for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++)
            {
                const Point& a = points[i];
                const Point& b = points[j];
                if ((a.y > point.y) != (b.y > point.y) &&
                    point.x < (b.x - a.x) * (point.y - a.y) / (b.y - a.y) + a.x)
                {
                    inside = !inside;
                }
            }
            point.u = point.x;
            point.v = point.y;
            return inside;
        },
        shader);
}

void Painter::FillCapsule(Point a, Point b, float radius, const Shader& shader)
{
    const float dx = b.x - a.x;
    const float dy = b.y - a.y;
    const float lengthSquared = dx * dx + dy * dy;
    FillWhere(
        [=](ShapePoint& point)
        {
            float t = 0.0f;
            if (lengthSquared > 0.0f)
            {
                t = ((point.x - a.x) * dx + (point.y - a.y) * dy) / lengthSquared;
                t = t < 0.0f ? 0.0f : (t > 1.0f ? 1.0f : t);
            }
            const float nearestX = a.x + dx * t;
            const float nearestY = a.y + dy * t;
            const float offX = point.x - nearestX;
            const float offY = point.y - nearestY;
            const float distance = std::sqrt(offX * offX + offY * offY);
            // Which side of the axis the pixel lies on gives v its sign.
            const float side = dx * offY - dy * offX;
            point.u = t;
            point.v = (side < 0.0f ? -distance : distance) / radius;
            return distance <= radius;
        },
        shader);
}

void Painter::FillRect(float x, float y, float width, float height, const Shader& shader)
{
    FillWhere(
        [=](ShapePoint& point)
        {
            point.u = (point.x - x) / width;
            point.v = (point.y - y) / height;
            return point.x >= x && point.x < x + width && point.y >= y && point.y < y + height;
        },
        shader);
}
