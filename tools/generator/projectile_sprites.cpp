#include "projectile_sprites.h"

#include "fire_drawing.h"
#include "random.h"

namespace
{
constexpr int SIZE = 64;

// Embers thrown off the ball, drawn as single hot pixels around it.
void AddEmbers(Canvas& canvas, const FirePalette& palette, std::uint64_t seed)
{
    Random random(seed);
    for (int ember = 0; ember < 10; ++ember)
    {
        const int x = random.Range(14, 49);
        const int y = random.Range(12, 51);
        if (!canvas.Get(x, y).IsOpaque())
        {
            canvas.Set(x, y, ToColor(random.Chance(0.5) ? palette.hot : palette.warm));
        }
    }
}

Canvas MakeFireballFrame(const FirePalette& palette, std::uint64_t seed)
{
    Canvas canvas(SIZE, SIZE);
    DrawFireball(canvas, 32.0f, 33.0f, 11.0f, palette, seed);
    AddEmbers(canvas, palette, seed + 1);
    return canvas;
}
} // namespace

Canvas MakeProjectileStrip()
{
    Canvas strip(SIZE * 2, SIZE);
    strip.Paste(MakeFireballFrame(PlayerFire(), 51), 0, 0);
    strip.Paste(MakeFireballFrame(EnemyFire(), 61), SIZE, 0);
    return strip;
}
