#include "reference/renderer_comparison.h"

#include "core/game.h"
#include "render/surface_lock.h"

#include <cstring>
#include <stdexcept>
#include <string>

RendererComparison::RendererComparison(Game& game) : mGame(game)
{
    const SDL_Surface* frame = game.mFramework->GetSurface();
    mReference.Init(game.mTextureFlags, frame->w);
    SDL_Surface* picture = SDL_CreateRGBSurfaceWithFormat(
        0, frame->w, frame->h, frame->format->BitsPerPixel, frame->format->format);
    if (picture == nullptr)
    {
        throw std::runtime_error(std::string("Unable to create surface: ") + SDL_GetError());
    }
    mGamePicture.Reset(picture);
}

void RendererComparison::FillWithPattern(SDL_Surface* frame, std::uint32_t seed) const
{
    const SurfaceLock lock(frame);
    std::uint32_t state = seed * 2654435761u + 1;
    for (int y = 0; y < frame->h; ++y)
    {
        auto* row = static_cast<std::uint8_t*>(frame->pixels) +
                    static_cast<std::ptrdiff_t>(y) * frame->pitch;
        for (int i = 0; i < frame->pitch; ++i)
        {
            state = state * 1664525u + 1013904223u;
            row[i] = static_cast<std::uint8_t>(state >> 24);
        }
    }
}

void RendererComparison::DrawReference()
{
    mReference.mAnimations = mGame.mRaycaster->mAnimations;
    mReference.RayCaster(mGame.MakeWorldView());
}

int RendererComparison::DifferingPixels(std::uint32_t seed)
{
    SDL_Surface* frame = mGame.mFramework->GetSurface();
    SDL_Surface* picture = mGamePicture.Get<SDL_Surface>();
    FillWithPattern(frame, seed);
    mGame.mRaycaster->RayCaster(mGame.MakeWorldView());
    {
        const SurfaceLock from(frame);
        const SurfaceLock to(picture);
        for (int y = 0; y < frame->h; ++y)
        {
            std::memcpy(static_cast<std::uint8_t*>(picture->pixels) +
                            static_cast<std::ptrdiff_t>(y) * picture->pitch,
                        static_cast<const std::uint8_t*>(frame->pixels) +
                            static_cast<std::ptrdiff_t>(y) * frame->pitch,
                        static_cast<std::size_t>(frame->w) * frame->format->BytesPerPixel);
        }
    }
    FillWithPattern(frame, seed);
    DrawReference();
    const SurfaceLock a(frame);
    const SurfaceLock b(picture);
    const int bytes = frame->format->BytesPerPixel;
    int differing = 0;
    for (int y = 0; y < frame->h; ++y)
    {
        const auto* left = static_cast<const std::uint8_t*>(frame->pixels) +
                           static_cast<std::ptrdiff_t>(y) * frame->pitch;
        const auto* right = static_cast<const std::uint8_t*>(picture->pixels) +
                            static_cast<std::ptrdiff_t>(y) * picture->pitch;
        for (int x = 0; x < frame->w; ++x)
        {
            differing += std::memcmp(left + x * bytes, right + x * bytes,
                                     static_cast<std::size_t>(bytes)) != 0
                             ? 1
                             : 0;
        }
    }
    return differing;
}
