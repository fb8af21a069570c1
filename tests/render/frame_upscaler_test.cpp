// The frame put on a software window directly against SDL's own stretch of
// it, pixel for pixel, at window sizes that scale the frame evenly and
// unevenly; a frame SDL would blend is left to SDL.

#include "core/framework.h"
#include "render/frame_upscaler.h"
#include "support/test_game.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdint>
#include <random>
#include <vector>

namespace
{
std::vector<std::uint32_t> WindowPixels(SDL_Renderer* renderer)
{
    int width = 0;
    int height = 0;
    SDL_GetRendererOutputSize(renderer, &width, &height);
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), width * 4);
    return pixels;
}

// Random pixels, all opaque but the one given (none when negative).
void FillFrame(SDL_Surface* frame, std::mt19937& random, int translucent)
{
    const std::uint32_t alpha = frame->format->Amask;
    auto* pixels = static_cast<std::uint32_t*>(frame->pixels);
    for (int i = 0; i < frame->w * frame->h; ++i)
    {
        pixels[i] = (static_cast<std::uint32_t>(random()) & ~alpha) |
                    (i == translucent ? 0x40u << frame->format->Ashift & alpha : alpha);
    }
}
} // namespace

TEST(FrameUpscaler, PutsTheFrameOnTheWindowAsSdlStretchesIt)
{
    UseHeadlessDrivers();
    std::mt19937 random(99);
    for (const auto& [width, height] : std::vector<std::pair<int, int>>{
             {640, 480}, {1024, 768}, {320, 240}, {333, 250}, {1000, 700}, {1279, 719}})
    {
        SCOPED_TRACE(testing::Message() << width << " x " << height);
        // The window, renderer, texture and frame as the game sets them up.
        Framework framework;
        framework.mWindowWidth = width;
        framework.mWindowHeight = height;
        framework.mCustomWindowSize = true;
        ASSERT_TRUE(framework.Init(false, false, false));
        ASSERT_NE(framework.mRendererInfo.flags & SDL_RENDERER_SOFTWARE, 0u);
        SDL_Renderer* renderer = framework.GetRenderer();
        SDL_Surface* frame = framework.GetSurface();
        SDL_Texture* texture = framework.mTexture.Get<SDL_Texture>();
        FrameUpscaler upscaler;
        for (int pass = 0; pass < 4; ++pass)
        {
            SCOPED_TRACE(pass);
            const bool opaque = pass != 2;
            FillFrame(frame, random, opaque ? -1 : 1234);
            // SDL's stretch over a cleared window.
            SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
            SDL_RenderClear(renderer);
            SDL_UpdateTexture(texture, nullptr, frame->pixels, frame->pitch);
            SDL_RenderCopy(renderer, texture, nullptr, nullptr);
            const std::vector<std::uint32_t> expected = WindowPixels(renderer);
            // With a clear queued, as after a real frame: it must not wipe the picture.
            SDL_RenderClear(renderer);
            EXPECT_EQ(upscaler.Upscale(renderer, framework.GetWindow(), texture, frame), opaque);
            if (opaque)
            {
                EXPECT_TRUE(WindowPixels(renderer) == expected);
            }
            // And the game's own way to the window, whichever draws it.
            framework.Clear();
            framework.Render();
            EXPECT_TRUE(WindowPixels(renderer) == expected);
        }
    }
}
