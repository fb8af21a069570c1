#include "png_writer.h"

#include <SDL.h>
#include <SDL_image.h>

#include <memory>
#include <stdexcept>

namespace
{
struct SurfaceDeleter
{
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};

using SurfacePointer = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

// SDL_PIXELFORMAT_RGBA32 is byte order R, G, B, A on every platform, the same as Color.
SurfacePointer MakeSurface(const Canvas& canvas)
{
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, canvas.Width(), canvas.Height(), 32,
                                                          SDL_PIXELFORMAT_RGBA32);
    if (surface == nullptr)
    {
        throw std::runtime_error(std::string("Unable to create surface: ") + SDL_GetError());
    }
    return SurfacePointer(surface);
}

void CopyPixels(const Canvas& canvas, SDL_Surface* surface)
{
    auto* bytes = static_cast<Uint8*>(surface->pixels);
    for (int y = 0; y < canvas.Height(); ++y)
    {
        Uint8* row = bytes + static_cast<std::size_t>(y) * surface->pitch;
        for (int x = 0; x < canvas.Width(); ++x)
        {
            const Color pixel = canvas.Get(x, y);
            row[x * 4 + 0] = pixel.r;
            row[x * 4 + 1] = pixel.g;
            row[x * 4 + 2] = pixel.b;
            row[x * 4 + 3] = pixel.a;
        }
    }
}
} // namespace

void SavePng(const Canvas& canvas, const std::string& path)
{
    SurfacePointer surface = MakeSurface(canvas);
    CopyPixels(canvas, surface.get());
    if (IMG_SavePNG(surface.get(), path.c_str()) != 0)
    {
        throw std::runtime_error("Unable to write " + path + ": " + SDL_GetError());
    }
}
