#include "core/utils.h"
#include "core/wrapper.h"

#include <gtest/gtest.h>

#include <cstdint>

using namespace QuillUtils;

TEST(Utils, AnglesAndNumbers)
{
    // Map degrees turn the other way round the 1920 steps of a turn.
    const std::pair<int, int> angles[] = {{0, 0},     {90, 1440}, {180, 960}, {270, 480}, {360, 0},
                                          {45, 1680}, {315, 240}, {-1, -1},   {361, -1}};
    for (auto [degrees, steps] : angles)
    {
        EXPECT_EQ(ConvertAngle(degrees), steps) << degrees;
    }
    const std::pair<const char*, bool> switches[] = {
        {"TRUE", true}, {"True", true}, {"true", true}, {"1", true},   {"yes", false},
        {"0", false},   {"2", false},   {"", false},    {" 1", false}, {"truee", false}};
    for (auto [text, on] : switches)
    {
        EXPECT_EQ(StringToBool(text), on) << text;
    }
    const std::pair<const char*, int> numbers[] = {{"42abc", 42},
                                                   {"  -13", -13},
                                                   {"+5", 5},
                                                   {"abc", 7},
                                                   {"", 7},
                                                   {"12345678901", 7},
                                                   {"2147483647", INT32_MAX},
                                                   {"-2147483648", INT32_MIN}};
    for (auto [text, number] : numbers)
    {
        EXPECT_EQ(StringToInt(text, 7), number) << text;
    }
}

TEST(Utils, PixelsStayInsideAndShadeByLight)
{
    Wrapper image(SDL_CreateRGBSurfaceWithFormat(0, 4, 3, 32, SDL_PIXELFORMAT_ARGB8888));
    SDL_Surface* surface = image.Get<SDL_Surface>();
    SetPixel(surface, 1, 2, 0xFF123456);
    for (auto [x, y] : {std::pair{4, 0}, {-1, 0}, {0, 3}, {0, -1}})
    {
        SetPixel(surface, x, y, 0xFFFFFFFF);
        EXPECT_EQ(GetPixel(surface, x, y), 0u);
    }
    SetPixel(nullptr, 0, 0, 0xFFFFFFFF);
    EXPECT_EQ(GetPixel(nullptr, 0, 0), 0u);
    for (int i = 0; i < 12; ++i)
    {
        EXPECT_EQ(GetPixel(surface, i % 4, i / 4), i == 9 ? 0xFF123456u : 0u) << i;
    }
    Wrapper packed(SDL_CreateRGBSurfaceWithFormat(0, 2, 2, 24, SDL_PIXELFORMAT_RGB24));
    SetPixel(packed.Get<SDL_Surface>(), 1, 1, 0x00ABCDEF);
    EXPECT_EQ(GetPixel(packed.Get<SDL_Surface>(), 1, 1), 0x00ABCDEFu);

    SDL_PixelFormat* format = surface->format;
    const Uint32 pixel = SDL_MapRGB(format, 200, 7, 255);
    EXPECT_EQ(ShadePixel(format, pixel, 32, 32), pixel);
    EXPECT_EQ(ShadePixel(format, pixel, 16, 32), SDL_MapRGB(format, 100, 3, 127));
    EXPECT_EQ(ShadePixel(format, pixel, 0, 32), SDL_MapRGB(format, 0, 0, 0));
    // The result is always opaque, whatever the alpha of the texel.
    EXPECT_EQ(ShadePixel(format, 0x00FFFFFF, 32, 32) >> 24, 0xFFu);
}

TEST(Utils, FilledCircles)
{
    Wrapper image(SDL_CreateRGBSurfaceWithFormat(0, 9, 9, 32, SDL_PIXELFORMAT_ARGB8888));
    SDL_Surface* canvas = image.Get<SDL_Surface>();
    const auto drawn = [&]
    {
        std::string rows;
        for (int i = 0; i < 81; ++i)
        {
            rows += std::string(GetPixel(canvas, i % 9, i / 9) != 0 ? "#" : ".") +
                    (i % 9 == 8 ? "\n" : "");
        }
        SDL_FillRect(canvas, nullptr, 0);
        return rows;
    };
    RenderFilledCircle(canvas, 4, 4, 2, 1);
    EXPECT_EQ(drawn(), ".........\n.........\n...###...\n..#####..\n..#####..\n"
                       "..#####..\n...###...\n.........\n.........\n");
    RenderFilledCircle(canvas, 4, 4, 0, 1);
    EXPECT_EQ(drawn(), ".........\n.........\n.........\n.........\n....#....\n"
                       ".........\n.........\n.........\n.........\n");
    // Clipped at the edges, and nothing for a negative radius.
    RenderFilledCircle(canvas, 0, 0, 2, 1);
    EXPECT_EQ(drawn(), "###......\n###......\n##.......\n.........\n.........\n"
                       ".........\n.........\n.........\n.........\n");
    RenderFilledCircle(canvas, 4, 4, -1, 1);
    EXPECT_EQ(drawn().find('#'), std::string::npos);
}
