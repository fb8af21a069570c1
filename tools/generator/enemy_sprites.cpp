#include "enemy_sprites.h"

#include "fire_drawing.h"
#include "image_effects.h"
#include "painter.h"
#include "shading.h"

#include <cmath>

namespace
{
constexpr int SIZE = 64;
const Rgb ROBE{96, 42, 124};
const Rgb TRIM{196, 152, 70};
const Rgb SKIN{136, 162, 112};
const Rgb BOOT{46, 32, 28};
const Rgb SHADOWED_FACE{14, 8, 18};
const Rgb EYE_GLOW{156, 255, 124};
constexpr float FIGURE_SCALE = 0.86f;

// Everything that changes between the frames.
struct EnemyPose
{
    int stride = 0; // -1 left foot forward, 1 right foot forward
    Point leftHand;
    Point rightHand;
    float lean = 0.0f;
    bool casting = false;
    bool hurt = false;
};

Rgb ClothShade(const Rgb& cloth, float x, float y)
{
    const float folds = 0.86f + 0.14f * std::sin((x - 32.0f) * 0.9f + y * 0.08f);
    const float across = (x - 30.0f) / 18.0f;
    const float round = 1.12f - 0.55f * across * across;
    const float lowerDarkening = 1.0f - 0.15f * std::max(0.0f, (y - 44.0f) / 18.0f);
    return cloth * (folds * round * lowerDarkening);
}

void DrawBoots(Painter& painter, const EnemyPose& pose)
{
    // The forward foot peeks out below the hem; the other is tucked back under it.
    const float leftY = pose.stride <= 0 ? 61.6f : 59.5f;
    const float rightY = pose.stride >= 0 ? 61.6f : 59.5f;
    const Shader leather = [](const ShapePoint& point)
    { return LitSphere(BOOT, point.u, point.v, 0.4f); };
    painter.FillEllipse(26.0f + 2.0f * pose.stride, leftY, 4.5f, 2.6f, leather);
    painter.FillEllipse(38.0f + 2.0f * pose.stride, rightY, 4.5f, 2.6f, leather);
}

void DrawRobe(Painter& painter, const EnemyPose& pose)
{
    const float s = static_cast<float>(pose.stride) * 2.5f;
    painter.FillPolygon({{25.0f, 23.0f},
                         {39.0f, 23.0f},
                         {43.0f, 40.0f},
                         {48.0f + s, 60.0f},
                         {40.0f + s, 61.0f},
                         {32.0f + s, 60.0f},
                         {24.0f + s, 61.0f},
                         {16.0f + s, 60.0f},
                         {21.0f, 40.0f}},
                        [](const ShapePoint& point) { return ClothShade(ROBE, point.x, point.y); });
    // The gold trim down the front opening, following the swing of the hem.
    painter.FillPolygon({{31.0f, 26.0f}, {33.5f, 26.0f}, {33.5f + s, 60.5f}, {31.0f + s, 60.5f}},
                        [](const ShapePoint& point)
                        { return TRIM * (1.05f - 0.3f * (point.y - 26.0f) / 35.0f); });
    // A rope belt with its hanging knot.
    painter.FillRect(22.0f, 39.0f, 21.0f, 2.5f,
                     [](const ShapePoint& point) { return TRIM * (1.2f - 0.5f * point.v); });
    painter.FillCapsule({35.0f, 41.0f}, {36.0f + s * 0.5f, 48.0f}, 1.1f,
                        [](const ShapePoint& point) { return LitCylinder(TRIM, point.v); });
}

void DrawArm(Painter& painter, Point shoulder, Point hand)
{
    painter.FillCapsule(shoulder, hand, 3.8f,
                        [](const ShapePoint& point)
                        { return LitCylinder(ROBE * 0.95f, point.v) * (1.05f - 0.2f * point.u); });
    // A wide cuff where the sleeve ends.
    const float dx = hand.x - shoulder.x;
    const float dy = hand.y - shoulder.y;
    const float length = std::sqrt(dx * dx + dy * dy);
    const Point cuff{hand.x - dx / length * 1.5f, hand.y - dy / length * 1.5f};
    painter.FillEllipse(cuff.x, cuff.y, 4.2f, 4.2f,
                        [](const ShapePoint& point)
                        { return LitSphere(TRIM * 0.9f, point.u, point.v, 0.3f); });
    painter.FillEllipse(cuff.x, cuff.y, 3.0f, 3.0f,
                        [](const ShapePoint& point)
                        { return LitSphere(ROBE * 0.5f, point.u, point.v, 0.0f); });
}

void DrawHand(Painter& painter, Point hand)
{
    painter.FillEllipse(hand.x, hand.y, 2.8f, 3.0f,
                        [](const ShapePoint& point)
                        { return LitSphere(SKIN, point.u, point.v, 0.3f); });
}

void DrawHood(Painter& painter)
{
    const Shader hoodCloth = [](const ShapePoint& point)
    { return ClothShade(ROBE * 0.92f, point.x, point.y); };
    // The shoulder cape under the hood.
    painter.FillPolygon(
        {{23.0f, 21.0f}, {41.0f, 21.0f}, {45.0f, 29.0f}, {32.0f, 32.0f}, {19.0f, 29.0f}},
        [](const ShapePoint& point) { return ClothShade(ROBE * 1.05f, point.x, point.y); });
    painter.FillPolygon({{26.5f, 12.0f}, {37.5f, 12.0f}, {30.0f, 2.0f}}, hoodCloth);
    painter.FillEllipse(32.0f, 16.5f, 9.0f, 9.5f,
                        [](const ShapePoint& point)
                        { return LitSphere(ROBE * 1.15f, point.u, point.v, 0.15f); });
    painter.FillEllipse(32.0f, 18.5f, 5.2f, 6.0f,
                        [](const ShapePoint& point)
                        { return SHADOWED_FACE * (1.3f - 0.5f * point.v); });
}

void DrawEyes(Painter& painter, const EnemyPose& pose)
{
    if (pose.hurt)
    {
        // Screwed shut in pain: two little chevrons.
        const Shader pain = Painter::Flat(Rgb{255, 120, 90});
        painter.FillRect(28.5f, 17.0f, 1.0f, 1.0f, pain);
        painter.FillRect(29.5f, 18.0f, 1.0f, 1.0f, pain);
        painter.FillRect(28.5f, 19.0f, 1.0f, 1.0f, pain);
        painter.FillRect(35.5f, 17.0f, 1.0f, 1.0f, pain);
        painter.FillRect(34.5f, 18.0f, 1.0f, 1.0f, pain);
        painter.FillRect(35.5f, 19.0f, 1.0f, 1.0f, pain);
        return;
    }
    const Rgb glow = pose.casting ? Rgb{230, 255, 210} : EYE_GLOW;
    painter.FillRect(28.5f, 18.0f, 2.0f, 1.0f, Painter::Flat(glow));
    painter.FillRect(34.0f, 18.0f, 2.0f, 1.0f, Painter::Flat(glow));
    painter.FillRect(28.5f, 19.0f, 2.0f, 1.0f, Painter::Flat(glow * 0.45f));
    painter.FillRect(34.0f, 19.0f, 2.0f, 1.0f, Painter::Flat(glow * 0.45f));
}

Canvas DrawEnemy(const EnemyPose& pose)
{
    Canvas canvas(SIZE, SIZE);
    Painter painter(canvas);
    painter.SetLean(pose.lean, 63.0f);
    // A little shorter than the walls are high, so the warlock looks man-sized.
    painter.SetScale(FIGURE_SCALE, {32.0f, 64.0f});
    DrawBoots(painter, pose);
    DrawRobe(painter, pose);
    DrawArm(painter, {25.5f, 27.0f}, pose.leftHand);
    DrawArm(painter, {38.5f, 27.0f}, pose.rightHand);
    DrawHood(painter);
    DrawEyes(painter, pose);
    DrawHand(painter, pose.leftHand);
    DrawHand(painter, pose.rightHand);
    if (pose.casting)
    {
        const Point left = painter.ToCanvas({pose.leftHand.x, pose.leftHand.y - 4.0f});
        const Point right = painter.ToCanvas({pose.rightHand.x, pose.rightHand.y - 4.0f});
        DrawFireball(canvas, left.x, left.y, 4.0f, EnemyFire(), 71);
        DrawFireball(canvas, right.x, right.y, 4.0f, EnemyFire(), 73);
    }
    if (pose.hurt)
    {
        TintDrawnPixels(canvas, Rgb{255, 96, 80}, 0.65f);
    }
    AddOutline(canvas, Color{12, 6, 14, 255});
    return canvas;
}

EnemyPose WalkPose(int stride)
{
    EnemyPose pose;
    pose.stride = stride;
    pose.leftHand = {19.0f - stride, 42.0f + 2.5f * stride};
    pose.rightHand = {45.0f - stride, 42.0f - 2.5f * stride};
    return pose;
}

EnemyPose CastingPose()
{
    EnemyPose pose;
    pose.leftHand = {16.0f, 17.0f};
    pose.rightHand = {48.0f, 17.0f};
    pose.casting = true;
    return pose;
}

EnemyPose HurtPose()
{
    EnemyPose pose;
    pose.leftHand = {13.0f, 31.0f};
    pose.rightHand = {50.0f, 27.0f};
    pose.lean = 0.14f;
    pose.hurt = true;
    return pose;
}
} // namespace

Canvas MakeEnemyStrip()
{
    Canvas strip(SIZE * 4, SIZE);
    strip.Paste(DrawEnemy(WalkPose(-1)), 0, 0);
    strip.Paste(DrawEnemy(WalkPose(1)), SIZE, 0);
    strip.Paste(DrawEnemy(CastingPose()), SIZE * 2, 0);
    strip.Paste(DrawEnemy(HurtPose()), SIZE * 3, 0);
    return strip;
}
