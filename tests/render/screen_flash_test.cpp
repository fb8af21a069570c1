// Screen flashes are blended straight into the frame; the result must be
// SDL_UpperBlit's, bit for bit, for every intensity and every frame value.

#include "core/wrapper.h"
#include "render/screen_flash.h"
#include "support/test_game.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace
{
constexpr int SIDE = 256;

// Every value of every channel against every other: red x, green y, blue and
// alpha mixed from both.
Wrapper AllValues(Uint32 format)
{
    Wrapper wrapper(SDL_CreateRGBSurfaceWithFormat(0, SIDE, SIDE, 32, format));
    SDL_Surface* frame = wrapper.Get<SDL_Surface>();
    for (int y = 0; y < SIDE; ++y)
    {
        auto* row =
            reinterpret_cast<Uint32*>(static_cast<std::uint8_t*>(frame->pixels) + y * frame->pitch);
        for (int x = 0; x < SIDE; ++x)
        {
            row[x] = SDL_MapRGBA(frame->format, static_cast<Uint8>(x), static_cast<Uint8>(y),
                                 static_cast<Uint8>(x * 7 + y), static_cast<Uint8>(x ^ y));
        }
    }
    return wrapper;
}

// A flash of one colour, or of two (the lower half in the second), blended both
// ways at every intensity.
void ExpectLikeTheBlit(Uint32 format, SDL_Color colour, SDL_Color lower)
{
    Wrapper flash(SDL_CreateRGBSurfaceWithFormat(0, SIDE, SIDE, 32, format));
    SDL_Surface* image = flash.Get<SDL_Surface>();
    SDL_FillRect(image, nullptr,
                 SDL_MapRGBA(image->format, colour.r, colour.g, colour.b, colour.a));
    const SDL_Rect half{0, SIDE / 2, SIDE, SIDE / 2};
    SDL_FillRect(image, &half, SDL_MapRGBA(image->format, lower.r, lower.g, lower.b, lower.a));
    for (int alpha = 0; alpha < 256; ++alpha)
    {
        SCOPED_TRACE(alpha);
        Wrapper blitted = AllValues(format);
        Wrapper blended = AllValues(format);
        SDL_SetSurfaceAlphaMod(image, static_cast<Uint8>(alpha));
        SDL_UpperBlit(image, nullptr, blitted.Get<SDL_Surface>(), nullptr);
        SDL_SetSurfaceAlphaMod(image, static_cast<Uint8>(255 - alpha));
        BlendScreenFlash(image, static_cast<std::uint8_t>(alpha), blended.Get<SDL_Surface>());
        ASSERT_EQ(std::memcmp(blitted.Get<SDL_Surface>()->pixels,
                              blended.Get<SDL_Surface>()->pixels, SIDE * SIDE * 4),
                  0);
        Uint8 modulation = 0;
        SDL_GetSurfaceAlphaMod(image, &modulation);
        EXPECT_EQ(modulation, alpha);
    }
}
} // namespace

TEST(ScreenFlash, BlendsLikeTheBlitAtEveryIntensity)
{
    UseHeadlessDrivers();
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
    // The game's pick-up and hit flashes, and its scroll flash with a lower
    // half of a colour that is not fully opaque itself.
    ExpectLikeTheBlit(SDL_PIXELFORMAT_ARGB8888, {248, 244, 160, 255}, {248, 244, 160, 255});
    ExpectLikeTheBlit(SDL_PIXELFORMAT_ARGB8888, {196, 0, 0, 255}, {196, 0, 0, 255});
    ExpectLikeTheBlit(SDL_PIXELFORMAT_ARGB8888, {255, 255, 255, 255}, {10, 200, 77, 131});
    // Another layout goes through SDL itself, with the same result.
    ExpectLikeTheBlit(SDL_PIXELFORMAT_ABGR8888, {196, 0, 0, 255}, {196, 0, 0, 255});
    SDL_Quit();
}
