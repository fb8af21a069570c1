// Screen flashes are blended straight into the frame; the result must be
// SDL_UpperBlit's, bit for bit, for every intensity and every frame value.

#include "core/game.h"
#include "render/screen_flash.h"
#include "support/test_game.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace
{
constexpr int SIDE = 256;

SDL_Surface* NewSurface(Uint32 format)
{
    return SDL_CreateRGBSurfaceWithFormat(0, SIDE, SIDE, 32, format);
}

// Every value of every channel against every other: red x, green y, blue and
// alpha mixed from both.
void FillWithAllValues(SDL_Surface* frame)
{
    auto* pixels = static_cast<std::uint8_t*>(frame->pixels);
    for (int y = 0; y < SIDE; ++y)
    {
        auto* row = reinterpret_cast<Uint32*>(pixels + y * frame->pitch);
        for (int x = 0; x < SIDE; ++x)
        {
            row[x] = SDL_MapRGBA(frame->format, static_cast<Uint8>(x), static_cast<Uint8>(y),
                                 static_cast<Uint8>(x * 7 + y), static_cast<Uint8>(x ^ y));
        }
    }
}

int DifferingPixels(SDL_Surface* a, SDL_Surface* b)
{
    int differing = 0;
    for (int y = 0; y < SIDE; ++y)
    {
        differing +=
            std::memcmp(static_cast<std::uint8_t*>(a->pixels) + y * a->pitch,
                        static_cast<std::uint8_t*>(b->pixels) + y * b->pitch, SIDE * 4) == 0
                ? 0
                : 1;
    }
    return differing;
}

// Blends a flash of one colour both ways at every intensity.
void ExpectLikeTheBlit(Uint32 format, Uint8 r, Uint8 g, Uint8 b, Uint8 a)
{
    Wrapper flash(NewSurface(format));
    Wrapper blitted(NewSurface(format));
    Wrapper blended(NewSurface(format));
    SDL_Surface* image = flash.Get<SDL_Surface>();
    SDL_FillRect(image, nullptr, SDL_MapRGBA(image->format, r, g, b, a));
    for (int alpha = 0; alpha < 256; ++alpha)
    {
        SCOPED_TRACE(alpha);
        FillWithAllValues(blitted.Get<SDL_Surface>());
        FillWithAllValues(blended.Get<SDL_Surface>());
        SDL_SetSurfaceAlphaMod(image, static_cast<Uint8>(alpha));
        SDL_UpperBlit(image, nullptr, blitted.Get<SDL_Surface>(), nullptr);
        BlendScreenFlash(image, static_cast<std::uint8_t>(alpha), blended.Get<SDL_Surface>());
        ASSERT_EQ(DifferingPixels(blitted.Get<SDL_Surface>(), blended.Get<SDL_Surface>()), 0);
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
    // The game's three flashes, and a flash that is not fully opaque itself.
    ExpectLikeTheBlit(SDL_PIXELFORMAT_ARGB8888, 248, 244, 160, 255);
    ExpectLikeTheBlit(SDL_PIXELFORMAT_ARGB8888, 196, 0, 0, 255);
    ExpectLikeTheBlit(SDL_PIXELFORMAT_ARGB8888, 255, 255, 255, 255);
    ExpectLikeTheBlit(SDL_PIXELFORMAT_ARGB8888, 10, 200, 77, 131);
    // Another layout goes through SDL itself, with the same result.
    ExpectLikeTheBlit(SDL_PIXELFORMAT_ABGR8888, 196, 0, 0, 255);
    SDL_Quit();
}

TEST(ScreenFlash, TheGameDrawsItsFlashesLikeTheBlit)
{
    TestGame test;
    Game& game = test.game();
    SDL_Surface* frame = game.mFramework->GetSurface();
    Wrapper copy(SDL_CreateRGBSurfaceWithFormat(0, frame->w, frame->h, 32, frame->format->format));
    SDL_Surface* expected = copy.Get<SDL_Surface>();
    for (Wrapper* flash : {&game.mPickUpScreen, &game.mHitScreen, &game.mEradicateScreen})
    {
        for (const int alpha : {0, 63, 64, 127, 128, 191, 255})
        {
            // A frame of varied pixels, blended both ways.
            auto* pixels = static_cast<Uint32*>(frame->pixels);
            for (int i = 0; i < frame->pitch / 4 * frame->h; ++i)
            {
                pixels[i] = static_cast<Uint32>(i) * 2654435761u;
            }
            for (int y = 0; y < frame->h; ++y)
            {
                std::memcpy(static_cast<std::uint8_t*>(expected->pixels) + y * expected->pitch,
                            static_cast<std::uint8_t*>(frame->pixels) + y * frame->pitch,
                            static_cast<std::size_t>(frame->w) * 4);
            }
            SDL_Surface* image = flash->Get<SDL_Surface>();
            SDL_SetSurfaceAlphaMod(image, static_cast<Uint8>(alpha));
            SDL_UpperBlit(image, nullptr, expected, nullptr);
            BlendScreenFlash(image, static_cast<std::uint8_t>(alpha), frame);
            for (int y = 0; y < frame->h; ++y)
            {
                ASSERT_EQ(
                    std::memcmp(static_cast<std::uint8_t*>(frame->pixels) + y * frame->pitch,
                                static_cast<std::uint8_t*>(expected->pixels) + y * expected->pitch,
                                static_cast<std::size_t>(frame->w) * 4),
                    0)
                    << "row " << y << " at intensity " << alpha;
            }
        }
    }
}
