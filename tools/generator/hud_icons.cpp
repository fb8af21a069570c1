#include "hud_icons.h"

#include "image_effects.h"
#include "key_colours.h"
#include "painter.h"
#include "pixel_art.h"
#include "shading.h"

#include <string>
#include <vector>

namespace
{
constexpr int ICON = 16;
constexpr Color OUTLINE{20, 12, 10, 255};

Canvas MakePotionIcon()
{
    return PixelArt({"................", "......kkkk......", "......kcCk......", "......kcCk......",
                     ".....kkkkkk.....", "......kgGk......", "......kgGk......", ".....kkgGkk.....",
                     "....krrrrrrk....", "...krhrrrrrRk...", "..krhwrrrrrrRk..", "..krhrrrrrrrRk..",
                     "..krrrrrrrrRRk..", "...krrrrrRRRk...", "....kRRRRRRk....",
                     ".....kkkkkk....."},
                    {{'k', OUTLINE},
                     {'c', {176, 124, 70, 255}},
                     {'C', {118, 78, 42, 255}},
                     {'g', {170, 200, 214, 255}},
                     {'G', {96, 120, 140, 255}},
                     {'r', {214, 30, 44, 255}},
                     {'R', {138, 14, 28, 255}},
                     {'h', {255, 130, 140, 255}},
                     {'w', {255, 250, 250, 255}}});
}

Canvas MakeScrollIcon()
{
    return PixelArt({"................", "..kkkkkkkkkkkk..", ".kbwwwwwwwwwwbk.", ".kbppppppppppbk.",
                     "..kkwwwwwwwwkk..", "...kwllllllwk...", "...kwwwwwwwwk...", "...kwllllwwwk...",
                     "...kwwwwwwwwk...", "...kwlllllwwk...", "...kwwwwwrrwk...", "...kwllllrrwk...",
                     "..kkwwwwwwwwkk..", ".kbwwwwwwwwwwbk.", ".kbppppppppppbk.",
                     "..kkkkkkkkkkkk.."},
                    {{'k', OUTLINE},
                     {'b', {120, 70, 36, 255}},
                     {'w', {240, 224, 180, 255}},
                     {'p', {190, 166, 118, 255}},
                     {'l', {120, 92, 60, 255}},
                     {'r', {196, 30, 36, 255}}});
}

Canvas MakeFireballIcon()
{
    return PixelArt({"................", "...........kk...", ".........kkrrk..", "........krroork.",
                     "......kkrooYok..", ".....krooYYork..", "....kroYYYYok...", "...kroYWWYYok...",
                     "..kroYWWWWYok...", "..kroYWWWWYrk...", "..kroYYWWYYrk...", "..krooYYYYork...",
                     "...krooooork....", "....krrrrrk.....", ".....kkkkk......",
                     "................"},
                    {{'k', OUTLINE},
                     {'r', {196, 44, 14, 255}},
                     {'o', {248, 130, 26, 255}},
                     {'Y', {255, 214, 72, 255}},
                     {'W', {255, 250, 222, 255}}});
}

// The bows of the three keys as pixel art, rows 2 to 10 of the icon, joined to the shaft.
std::vector<std::string> KeyIconRows(KeyBow bow)
{
    switch (bow)
    {
    case KeyBow::Diamond:
        return {"................", "................", "...kk...........", "..kHHk..........",
                ".kHMMDk.........", "kHMkkMDk........", "kHk..kDkkkkkkkk.", "kMk..kDMHHHHHHHk",
                ".kDkkDkMMMMMMMMk", "..kDDkkDDDDDDDDk", "...kk..kkkDDkDDk", ".........kDDkDDk",
                ".........kkkkkkk", "................", "................", "................"};
    case KeyBow::Square:
        return {"................", "................", "................", "kkkkkkk.........",
                "kHHHHMk.........", "kHkkkDk.........", "kHk.kDkkkkkkkkk.", "kMk.kDMHHHHHHHHk",
                "kMkkkDDMMMMMMMMk", "kDDDDDkDDDDDDDDk", "kkkkkkkkkkDDkDDk", ".........kDDkDDk",
                ".........kkkkkkk", "................", "................", "................"};
    case KeyBow::Ring:
    default:
        return {"................", "................", "................", "..kkkk..........",
                ".kHHMMk.........", "kHMkkMDk........", "kHk..kDkkkkkkkk.", "kMk..kDMHHHHHHHk",
                "kMDkkDDMMMMMMMMk", ".kDDDDkDDDDDDDDk", "..kkkk.kkkDDkDDk", ".........kDDkDDk",
                ".........kkkkkkk", "................", "................", "................"};
    }
}

// A key lying sideways: the bow on the left, the shaft to the right with two teeth.
Canvas MakeKeyIcon(const Rgb& metal, KeyBow bow)
{
    return PixelArt(KeyIconRows(bow), {{'k', OUTLINE},
                                       {'H', ToColor(Mix(metal, Rgb{255, 255, 255}, 0.35f))},
                                       {'M', ToColor(metal)},
                                       {'D', ToColor(metal * 0.6f)}});
}

Canvas MakeOrbIcon()
{
    Canvas icon(ICON, ICON);
    Painter painter(icon);
    painter.FillEllipse(8.0f, 8.5f, 6.0f, 6.0f,
                        [](const ShapePoint& point)
                        {
                            const Rgb glow = GlowingSphere(Rgb{236, 214, 255}, Rgb{96, 46, 196},
                                                           point.u + 0.2f, point.v + 0.2f);
                            return LitSphere(glow, point.u, point.v, 1.5f) * 1.25f;
                        });
    AddOutline(icon, OUTLINE);
    icon.Set(13, 2, Color{240, 226, 255, 255});
    return icon;
}
} // namespace

Canvas MakeHudIcons()
{
    Canvas strip(ICON * 7, ICON);
    strip.Paste(MakePotionIcon(), 0, 0);
    strip.Paste(MakeFireballIcon(), 16, 0);
    strip.Paste(MakeScrollIcon(), 32, 0);
    strip.Paste(MakeKeyIcon(BLUE_KEY_COLOUR, BLUE_KEY_BOW), 48, 0);
    strip.Paste(MakeKeyIcon(ORANGE_KEY_COLOUR, ORANGE_KEY_BOW), 64, 0);
    strip.Paste(MakeKeyIcon(BRONZE_KEY_COLOUR, BRONZE_KEY_BOW), 80, 0);
    strip.Paste(MakeOrbIcon(), 96, 0);
    return strip;
}
