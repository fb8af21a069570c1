// The frame put on the window directly against SDL's own stretch of it, pixel
// for pixel, at window sizes that scale the frame evenly and unevenly.

#include "core/framework.h"
#include "core/wrapper.h"
#include "render/frame_upscaler.h"
#include "support/test_game.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdint>
#include <random>
#include <vector>

namespace
{
constexpr int FRAME_WIDTH = 320;
constexpr int FRAME_HEIGHT = 240;

// A software renderer on a window of the given size, with the game's
// streaming texture and a frame surface in the renderer's first format.
class SoftwareWindow
{
public:
    SoftwareWindow(int width, int height)
    {
        UseHeadlessDrivers();
        SDL_InitSubSystem(SDL_INIT_VIDEO);
        mWindow.Reset(SDL_CreateWindow("upscale", 0, 0, width, height, 0));
        mRenderer.Reset(SDL_CreateRenderer(window(), -1, SDL_RENDERER_SOFTWARE));
        SDL_RendererInfo info{};
        SDL_GetRendererInfo(renderer(), &info);
        mFormat = info.texture_formats[0];
        mTexture.Reset(SDL_CreateTexture(renderer(), mFormat, SDL_TEXTUREACCESS_STREAMING,
                                         FRAME_WIDTH, FRAME_HEIGHT));
        mFrame.Reset(SDL_CreateRGBSurfaceWithFormat(0, FRAME_WIDTH, FRAME_HEIGHT,
                                                    SDL_BITSPERPIXEL(mFormat), mFormat));
    }
    ~SoftwareWindow()
    {
        mFrame.freeResource();
        mTexture.freeResource();
        mRenderer.freeResource();
        mWindow.freeResource();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    SoftwareWindow(const SoftwareWindow&) = delete;
    SoftwareWindow& operator=(const SoftwareWindow&) = delete;

    SDL_Window* window() const { return mWindow.Get<SDL_Window>(); }
    SDL_Renderer* renderer() const { return mRenderer.Get<SDL_Renderer>(); }
    SDL_Texture* texture() const { return mTexture.Get<SDL_Texture>(); }
    SDL_Surface* frame() const { return mFrame.Get<SDL_Surface>(); }

    // Random opaque pixels, or with one translucent pixel.
    void FillFrame(std::uint32_t seed, bool oneTranslucent)
    {
        std::mt19937 random(seed);
        SDL_Surface* surface = frame();
        for (int y = 0; y < surface->h; ++y)
        {
            auto* row = reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(surface->pixels) +
                                                         y * surface->pitch);
            for (int x = 0; x < surface->w; ++x)
            {
                row[x] = static_cast<std::uint32_t>(random()) | surface->format->Amask;
            }
        }
        if (oneTranslucent)
        {
            auto* pixel = static_cast<std::uint32_t*>(surface->pixels) + 1234;
            *pixel = (*pixel & ~surface->format->Amask) |
                     (0x80u << surface->format->Ashift & surface->format->Amask);
        }
    }

    // What the game has always done: a cleared window, the frame uploaded and
    // stretched over it.
    std::vector<std::uint32_t> DrawnBySdl()
    {
        Clear();
        SDL_UpdateTexture(texture(), nullptr, frame()->pixels, frame()->pitch);
        SDL_RenderCopy(renderer(), texture(), nullptr, nullptr);
        return Window();
    }

    void Clear()
    {
        SDL_SetRenderDrawColor(renderer(), 0, 0, 0, 255);
        SDL_RenderClear(renderer());
    }

    // The window's pixels, as the renderer reads them back.
    std::vector<std::uint32_t> Window()
    {
        int width = 0;
        int height = 0;
        SDL_GetRendererOutputSize(renderer(), &width, &height);
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
        SDL_RenderReadPixels(renderer(), nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(),
                             width * 4);
        return pixels;
    }

private:
    Wrapper mWindow;
    Wrapper mRenderer;
    Wrapper mTexture;
    Wrapper mFrame;
    Uint32 mFormat = 0;
};

int DifferingPixels(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b)
{
    if (a.size() != b.size())
    {
        return -1;
    }
    int differing = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
    {
        differing += a[i] != b[i] ? 1 : 0;
    }
    return differing;
}
} // namespace

TEST(FrameUpscaler, PutsTheFrameOnTheWindowAsSdlStretchesIt)
{
    const int sizes[][2] = {{640, 480}, {1024, 768}, {320, 240}, {333, 250},
                            {800, 600}, {1000, 700}, {1279, 719}};
    std::uint32_t seed = 1;
    for (const auto& size : sizes)
    {
        SCOPED_TRACE(testing::Message() << size[0] << " x " << size[1]);
        SoftwareWindow window(size[0], size[1]);
        FrameUpscaler upscaler;
        for (int frame = 0; frame < 3; ++frame)
        {
            window.FillFrame(seed++, false);
            const std::vector<std::uint32_t> expected = window.DrawnBySdl();
            // Over whatever the window held before, as after a real frame.
            window.FillFrame(seed++, false);
            window.DrawnBySdl();
            window.FillFrame(seed - 2, false);
            window.Clear();
            ASSERT_TRUE(upscaler.Upscale(window.renderer(), window.window(), window.texture(),
                                         window.frame()));
            EXPECT_EQ(DifferingPixels(window.Window(), expected), 0);
        }
    }
}

TEST(FrameUpscaler, LeavesFramesThatAreNotOpaqueToSdl)
{
    // SDL blends such a pixel over the cleared window: only SDL draws it.
    SoftwareWindow window(640, 480);
    FrameUpscaler upscaler;
    window.FillFrame(7, true);
    window.Clear();
    EXPECT_FALSE(
        upscaler.Upscale(window.renderer(), window.window(), window.texture(), window.frame()));
    window.FillFrame(8, false);
    EXPECT_TRUE(
        upscaler.Upscale(window.renderer(), window.window(), window.texture(), window.frame()));
}

TEST(FrameUpscaler, TheGameWindowShowsWhatSdlWouldShow)
{
    // The framework as the game sets it up, with its frame on a window that
    // stretches it unevenly, frame after frame, one of them not opaque.
    UseHeadlessDrivers();
    Framework framework;
    framework.mWindowWidth = 700;
    framework.mWindowHeight = 500;
    framework.mCustomWindowSize = true;
    ASSERT_TRUE(framework.Init(false, false, false));
    ASSERT_NE(framework.mRendererInfo.flags & SDL_RENDERER_SOFTWARE, 0u);
    SDL_Renderer* renderer = framework.GetRenderer();
    SDL_Surface* frame = framework.GetSurface();
    SDL_Texture* texture = framework.mTexture.Get<SDL_Texture>();
    std::mt19937 random(99);
    for (int pass = 0; pass < 4; ++pass)
    {
        SCOPED_TRACE(pass);
        for (int i = 0; i < frame->w * frame->h; ++i)
        {
            const std::uint32_t alpha = pass == 2 && i == 500 ? 0x40u : 0xFFu;
            static_cast<std::uint32_t*>(frame->pixels)[i] =
                (static_cast<std::uint32_t>(random()) & ~frame->format->Amask) |
                ((alpha << frame->format->Ashift) & frame->format->Amask);
        }
        framework.Clear();
        framework.Render();
        int width = 0;
        int height = 0;
        SDL_GetRendererOutputSize(renderer, &width, &height);
        std::vector<std::uint32_t> shown(static_cast<std::size_t>(width) * height);
        SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, shown.data(), width * 4);
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
        SDL_UpdateTexture(texture, nullptr, frame->pixels, frame->pitch);
        SDL_RenderCopy(renderer, texture, nullptr, nullptr);
        std::vector<std::uint32_t> expected(shown.size());
        SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, expected.data(),
                             width * 4);
        EXPECT_EQ(DifferingPixels(shown, expected), 0);
    }
}
