#include "core/utils.h"

#include <gtest/gtest.h>

using namespace QuillUtils;

TEST(ConvertAngle, RightAnglesAndRange)
{
    EXPECT_EQ(ConvertAngle(0), 0);
    EXPECT_EQ(ConvertAngle(90), 1440);
    EXPECT_EQ(ConvertAngle(180), 960);
    EXPECT_EQ(ConvertAngle(270), 480);
    EXPECT_EQ(ConvertAngle(360), 0);
    EXPECT_EQ(ConvertAngle(-1), -1);
    EXPECT_EQ(ConvertAngle(361), -1);
    // In between, angles turn the same way as the right angles.
    EXPECT_EQ(ConvertAngle(45), 1680);
    EXPECT_EQ(ConvertAngle(315), 240);
    for (int degrees = 0; degrees <= 360; ++degrees)
    {
        EXPECT_GE(ConvertAngle(degrees), 0);
        EXPECT_LT(ConvertAngle(degrees), 1920);
    }
}

TEST(StringConversions, BoolIntAndWhitespace)
{
    for (const char* text : {"TRUE", "True", "true", "1"})
    {
        EXPECT_TRUE(StringToBool(text)) << text;
    }
    for (const char* text : {"yes", "0", "2", "", " 1", "truee"})
    {
        EXPECT_FALSE(StringToBool(text)) << text;
    }
    EXPECT_EQ(StringToInt("42abc", 7), 42);
    EXPECT_EQ(StringToInt("  -13", 7), -13);
    EXPECT_EQ(StringToInt("+5", 7), 5);
    EXPECT_EQ(StringToInt("abc", 7), 7);
    EXPECT_EQ(StringToInt("", 7), 7);
    EXPECT_EQ(StringToInt("12345678901", 7), 7);
    EXPECT_EQ(StringToInt("2147483647", 7), 2147483647);
    EXPECT_EQ(StringToInt("-2147483648", 7), -2147483647 - 1);
    EXPECT_TRUE(IsOnlyWhitespaces(""));
    EXPECT_TRUE(IsOnlyWhitespaces(" \t\r\n"));
    EXPECT_FALSE(IsOnlyWhitespaces(" a"));
}

TEST(StringConversions, SplittingLines)
{
    using Pieces = std::vector<std::string>;
    EXPECT_EQ(SplitAtSpaces(""), Pieces{});
    EXPECT_EQ(SplitAtSpaces("a b"), (Pieces{"a", "b"}));
    EXPECT_EQ(SplitAtSpaces("a b "), (Pieces{"a", "b"}));
    EXPECT_EQ(SplitAtSpaces("a  b"), (Pieces{"a", "", "b"}));
    EXPECT_EQ(SplitAtSpaces(" a"), (Pieces{"", "a"}));
    EXPECT_EQ(StripCarriageReturn("map.map\r"), "map.map");
    EXPECT_EQ(StripCarriageReturn("map.map"), "map.map");
}

class SurfaceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mSurface = SDL_CreateRGBSurfaceWithFormat(0, 4, 3, 32, SDL_PIXELFORMAT_ARGB8888);
    }
    void TearDown() override { SDL_FreeSurface(mSurface); }
    SDL_Surface* mSurface = nullptr;
};

TEST_F(SurfaceTest, PixelAccessStaysInside)
{
    SetPixel(mSurface, 1, 2, 0xFF123456);
    EXPECT_EQ(GetPixel(mSurface, 1, 2), 0xFF123456u);
    EXPECT_EQ(GetPixel(mSurface, -1, 0), 0u);
    EXPECT_EQ(GetPixel(mSurface, 4, 0), 0u);
    EXPECT_EQ(GetPixel(mSurface, 0, 3), 0u);
    EXPECT_EQ(GetPixel(nullptr, 0, 0), 0u);
    SetPixel(mSurface, 4, 0, 0xFFFFFFFF);
    SetPixel(mSurface, -1, 0, 0xFFFFFFFF);
    SetPixel(nullptr, 0, 0, 0xFFFFFFFF);
    for (int y = 0; y < 3; ++y)
    {
        for (int x = 0; x < 4; ++x)
        {
            EXPECT_EQ(GetPixel(mSurface, x, y), (x == 1 && y == 2) ? 0xFF123456u : 0u);
        }
    }
}

TEST_F(SurfaceTest, ThreeBytePixels)
{
    SDL_Surface* packed = SDL_CreateRGBSurfaceWithFormat(0, 2, 2, 24, SDL_PIXELFORMAT_RGB24);
    SetPixel(packed, 1, 1, 0x00ABCDEF);
    EXPECT_EQ(GetPixel(packed, 1, 1), 0x00ABCDEFu);
    SDL_FreeSurface(packed);
}

TEST_F(SurfaceTest, ShadingByLight)
{
    SDL_PixelFormat* format = mSurface->format;
    const Uint32 pixel = SDL_MapRGB(format, 200, 7, 255);
    EXPECT_EQ(ShadePixel(format, pixel, 32, 32), pixel);
    EXPECT_EQ(ShadePixel(format, pixel, 16, 32), SDL_MapRGB(format, 100, 3, 127));
    EXPECT_EQ(ShadePixel(format, pixel, 0, 32), SDL_MapRGB(format, 0, 0, 0));
    // The result is always opaque, whatever the alpha of the texel.
    EXPECT_EQ(ShadePixel(format, 0x00FFFFFF, 32, 32) >> 24, 0xFFu);
}

TEST_F(SurfaceTest, FilledCircle)
{
    SDL_Surface* canvas = SDL_CreateRGBSurfaceWithFormat(0, 9, 9, 32, SDL_PIXELFORMAT_ARGB8888);
    RenderFilledCircle(canvas, 4, 4, 0, 1);
    int set = 0;
    for (int y = 0; y < 9; ++y)
    {
        for (int x = 0; x < 9; ++x)
        {
            set += GetPixel(canvas, x, y) != 0 ? 1 : 0;
        }
    }
    EXPECT_EQ(set, 1);
    EXPECT_EQ(GetPixel(canvas, 4, 4), 1u);

    SDL_FillRect(canvas, nullptr, 0);
    RenderFilledCircle(canvas, 4, 4, 2, 1);
    // Radius 2: rows 2 and 6 hold three pixels, rows 3 to 5 five.
    const char* expected[] = {".........", ".........", "...###...", "..#####..", "..#####..",
                              "..#####..", "...###...", ".........", "........."};
    for (int y = 0; y < 9; ++y)
    {
        for (int x = 0; x < 9; ++x)
        {
            EXPECT_EQ(GetPixel(canvas, x, y) != 0, expected[y][x] == '#') << x << "," << y;
        }
    }
    // Clipped at the edges, and nothing for a negative radius.
    RenderFilledCircle(canvas, 0, 0, 3, 2);
    EXPECT_EQ(GetPixel(canvas, 0, 0), 2u);
    SDL_FillRect(canvas, nullptr, 0);
    RenderFilledCircle(canvas, 4, 4, -1, 1);
    EXPECT_EQ(GetPixel(canvas, 4, 4), 0u);
    SDL_FreeSurface(canvas);
}

TEST(Random, StaysWithinBounds)
{
    EXPECT_EQ(RandomGetInt(5, 5), 5);
    bool seen[3] = {false, false, false};
    for (int i = 0; i < 300; ++i)
    {
        const int value = RandomGetInt(0, 2);
        ASSERT_GE(value, 0);
        ASSERT_LE(value, 2);
        seen[value] = true;
    }
    EXPECT_TRUE(seen[0] && seen[1] && seen[2]);
}
