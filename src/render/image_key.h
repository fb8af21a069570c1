#pragma once

#include <SDL.h>

#include <cstdint>

// What a copy made from an image was made from: the image, its pixels and
// size, and the generation of the images (ImageManager::Generation) then.
// Images are never written once loaded, so a copy with the same key is good.
struct ImageKey
{
    const SDL_Surface* image = nullptr;
    const void* pixels = nullptr;
    std::uint64_t generation = 0;
    int width = 0;
    int height = 0;

    // An image the renderer can copy texel by texel: 32 bits a pixel.
    static bool Copyable(const SDL_Surface* image)
    {
        return image != nullptr && image->pixels != nullptr && image->format->BytesPerPixel == 4 &&
               image->w > 0 && image->h > 0;
    }

    static ImageKey Of(const SDL_Surface* image, std::uint64_t generation)
    {
        return {image, image->pixels, generation, image->w, image->h};
    }

    bool operator==(const ImageKey& other) const
    {
        return image == other.image && pixels == other.pixels && generation == other.generation &&
               width == other.width && height == other.height;
    }
};
