// The pictures under data/gfx: sizes and cell layouts as the game cuts them, opaque
// textures, and transparency exactly where sprites, the hand and the icons show the view.

#include "support/scratch_dir.h"
#include "support/test_images.h"

#include "core/utils.h"

#include <gtest/gtest.h>

#include <SDL_image.h>

#include <set>
#include <string>
#include <vector>

namespace
{
constexpr Uint8 OPAQUE = 255;
constexpr Uint8 CLEAR = 0;

// One picture of data/gfx in ARGB, read by pixel.
class Picture
{
public:
    explicit Picture(const std::string& name)
        : mName(name), mImage(LoadArgbImage((GameDataDir() / "gfx" / name).string()))
    {
        mSurface = mImage.Find<SDL_Surface>();
    }

    bool Loaded() const { return mSurface != nullptr; }
    int Width() const { return mSurface->w; }
    int Height() const { return mSurface->h; }
    const std::string& Name() const { return mName; }

    Uint8 Alpha(int x, int y) const { return Pixel(x, y) >> 24; }
    Uint32 Pixel(int x, int y) const { return QuillUtils::GetPixel(mSurface, x, y); }

    int OpaqueIn(const SDL_Rect& cell) const
    {
        int opaque = 0;
        ForEach(cell, [&](int x, int y) { opaque += Alpha(x, y) == OPAQUE ? 1 : 0; });
        return opaque;
    }

    // Alpha is either fully on or fully off: sprites are cut out, never blended.
    bool AlphaIsBinary() const
    {
        bool binary = true;
        ForEach({0, 0, Width(), Height()},
                [&](int x, int y) { binary = binary && (Alpha(x, y) == 0 || Alpha(x, y) == 255); });
        return binary;
    }

    // The height and width of the box around the opaque pixels of a cell.
    SDL_Rect OpaqueBox(const SDL_Rect& cell) const
    {
        int left = cell.x + cell.w;
        int right = cell.x - 1;
        int top = cell.y + cell.h;
        int bottom = cell.y - 1;
        ForEach(cell,
                [&](int x, int y)
                {
                    if (Alpha(x, y) == OPAQUE)
                    {
                        left = std::min(left, x);
                        right = std::max(right, x);
                        top = std::min(top, y);
                        bottom = std::max(bottom, y);
                    }
                });
        return {left, top, right - left + 1, bottom - top + 1};
    }

    std::vector<Uint32> Cell(const SDL_Rect& cell) const
    {
        std::vector<Uint32> pixels;
        ForEach(cell, [&](int x, int y) { pixels.push_back(Pixel(x, y)); });
        return pixels;
    }

    template <typename Visit> void ForEach(const SDL_Rect& cell, Visit visit) const
    {
        for (int y = cell.y; y < cell.y + cell.h; ++y)
        {
            for (int x = cell.x; x < cell.x + cell.w; ++x)
            {
                visit(x, y);
            }
        }
    }

private:
    std::string mName;
    Wrapper mImage;
    SDL_Surface* mSurface = nullptr;
};

// The four corner pixels of a cell are background.
void ExpectClearCorners(const Picture& picture, const SDL_Rect& cell)
{
    for (const auto& [x, y] : {std::pair{cell.x, cell.y}, std::pair{cell.x + cell.w - 1, cell.y},
                               std::pair{cell.x, cell.y + cell.h - 1},
                               std::pair{cell.x + cell.w - 1, cell.y + cell.h - 1}})
    {
        EXPECT_EQ(picture.Alpha(x, y), CLEAR)
            << picture.Name() << ": corner (" << x << ", " << y << ") is not transparent";
    }
}

// How much of a frame's border must be background.
enum class Ground
{
    Edges,   // left, right and top edges: a sprite standing in the world
    Corners, // the four corners: an icon
    None     // a tiny pointer may fill its cell
};

// A strip of equal square frames side by side, each a cut-out on transparent ground.
void ExpectSpriteStrip(const std::string& name, int frames, int size, int minimumSide,
                       Ground ground)
{
    const Picture picture(name);
    ASSERT_TRUE(picture.Loaded()) << name;
    ASSERT_EQ(picture.Width(), frames * size) << name;
    ASSERT_EQ(picture.Height(), size) << name;
    EXPECT_TRUE(picture.AlphaIsBinary()) << name;
    std::set<std::vector<Uint32>> distinct;
    for (int frame = 0; frame < frames; ++frame)
    {
        const SDL_Rect cell{frame * size, 0, size, size};
        if (ground != Ground::None)
        {
            ExpectClearCorners(picture, cell);
        }
        // A sprite may stand on its bottom edge, but touches no other.
        for (int i = 0; ground == Ground::Edges && i < size; ++i)
        {
            EXPECT_EQ(picture.Alpha(cell.x, i), CLEAR) << name << " frame " << frame;
            EXPECT_EQ(picture.Alpha(cell.x + size - 1, i), CLEAR) << name << " frame " << frame;
            EXPECT_EQ(picture.Alpha(cell.x + i, 0), CLEAR) << name << " frame " << frame;
        }
        const SDL_Rect box = picture.OpaqueBox(cell);
        EXPECT_GE(std::max(box.w, box.h), minimumSide)
            << name << " frame " << frame << " is too small to read";
        distinct.insert(picture.Cell(cell));
    }
    EXPECT_EQ(distinct.size(), static_cast<std::size_t>(frames)) << name << " repeats a frame";
}
} // namespace

TEST(Images, TextureAtlasesAreFullyOpaqueSheetsOf64Squares)
{
    for (const char* name : {"walls.png", "cfs.png"})
    {
        const Picture atlas(name);
        ASSERT_TRUE(atlas.Loaded()) << name;
        EXPECT_EQ(atlas.Width(), 512);
        EXPECT_EQ(atlas.Height(), 512);
        EXPECT_EQ(atlas.OpaqueIn({0, 0, 512, 512}), 512 * 512) << name;
    }
    // Every wall texture the game draws (14 of them) and the three floors are distinct,
    // except that the fake exit is the very picture of the exit.
    const Picture walls("walls.png");
    const auto wall = [&](int t) { return walls.Cell({64 * (t % 8), 64 * (t / 8), 64, 64}); };
    std::set<std::vector<Uint32>> textures;
    for (int t = 0; t < 14; ++t)
    {
        textures.insert(wall(t));
    }
    EXPECT_EQ(textures.size(), 13U);
    EXPECT_TRUE(wall(10) == wall(11)) << "the fake exit must look exactly like the exit";
    const Picture floors("cfs.png");
    std::set<std::vector<Uint32>> floorTextures;
    for (int v = 0; v < 3; ++v)
    {
        floorTextures.insert(floors.Cell({64 * v, 0, 64, 64}));
    }
    EXPECT_EQ(floorTextures.size(), 3U);
}

TEST(Images, SpritesAreCutOutFramesThatReadAtADistance)
{
    ExpectSpriteStrip("items.png", 7, 64, 40, Ground::Edges);
    ExpectSpriteStrip("enemy.png", 4, 64, 48, Ground::Edges);
    ExpectSpriteStrip("projectiles.png", 2, 64, 28, Ground::Edges);
}

TEST(Images, HandAndIconsShowTheViewAroundThem)
{
    const Picture hand("hand.png");
    ASSERT_TRUE(hand.Loaded());
    EXPECT_EQ(hand.Width(), 64);
    EXPECT_EQ(hand.Height(), 64);
    EXPECT_TRUE(hand.AlphaIsBinary());
    EXPECT_EQ(hand.Alpha(0, 0), CLEAR);
    EXPECT_EQ(hand.Alpha(63, 0), CLEAR);
    // The arm reaches the bottom edge of the screen.
    EXPECT_EQ(hand.Alpha(32, 63), OPAQUE);

    ExpectSpriteStrip("hud.png", 7, 16, 10, Ground::Corners);
    ExpectSpriteStrip("arrow.png", 1, 8, 5, Ground::None);
    ExpectSpriteStrip("directions.png", 4, 8, 5, Ground::None);
}

TEST(Images, FontsHoldEveryGlyphInItsCell)
{
    const Picture font("font.png");
    ASSERT_TRUE(font.Loaded());
    ASSERT_EQ(font.Width(), 96);
    ASSERT_EQ(font.Height(), 64);
    EXPECT_TRUE(font.AlphaIsBinary());
    std::set<std::vector<Uint32>> glyphs;
    for (int glyph = 0; glyph < 96; ++glyph)
    {
        const SDL_Rect cell{(glyph % 12) * 8, (glyph / 12) * 8, 8, 8};
        const int opaque = font.OpaqueIn(cell);
        // Index 0 is the space, index 95 lies past "~": both stay empty.
        if (glyph == 0 || glyph == 95)
        {
            EXPECT_EQ(opaque, 0) << "glyph " << glyph;
        }
        else
        {
            EXPECT_GT(opaque, 0) << "glyph " << glyph << " ('" << static_cast<char>(32 + glyph)
                                 << "') is empty";
            glyphs.insert(font.Cell(cell));
        }
    }
    EXPECT_EQ(glyphs.size(), 94U) << "two characters share a glyph";

    const Picture digits("hud_font.png");
    ASSERT_TRUE(digits.Loaded());
    ASSERT_EQ(digits.Width(), 160);
    ASSERT_EQ(digits.Height(), 16);
    EXPECT_TRUE(digits.AlphaIsBinary());
    std::set<std::vector<Uint32>> cells;
    for (int digit = 0; digit < 10; ++digit)
    {
        const SDL_Rect cell{digit * 16, 0, 16, 16};
        EXPECT_GT(digits.OpaqueIn(cell), 20) << "digit " << digit;
        cells.insert(digits.Cell(cell));
    }
    EXPECT_EQ(cells.size(), 10U);
}

// The screen titles fit above what their screens draw under them: the in-game menu's
// entries (title bottom at most 96), the options list (from row 40), the map-completed
// score (row 120) and the end screen's total (row 120).
TEST(Images, ScreenTitlesFitTheirScreens)
{
    struct Title
    {
        const char* name;
        int maxHeight;
    };
    for (const Title& title : {Title{"title.png", 72}, Title{"options.png", 32},
                               Title{"map_completed.png", 72}, Title{"the_end.png", 48}})
    {
        const Picture picture(title.name);
        ASSERT_TRUE(picture.Loaded()) << title.name;
        EXPECT_LE(picture.Width(), 320) << title.name;
        EXPECT_LE(picture.Height(), title.maxHeight) << title.name;
        EXPECT_TRUE(picture.AlphaIsBinary()) << title.name;
        ExpectClearCorners(picture, {0, 0, picture.Width(), picture.Height()});
        EXPECT_GT(picture.OpaqueIn({0, 0, picture.Width(), picture.Height()}),
                  picture.Width() * picture.Height() / 8)
            << title.name;
    }
}
