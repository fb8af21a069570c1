#pragma once

#include "render/image_key.h"

#include <SDL.h>

#include <cstdint>
#include <vector>

// A copy of a 32-bit image kept column by column. A wall strip reads its
// texture column from top to bottom; in the image itself those texels lie a
// whole image row apart, each in a cache line of its own, while here they
// follow one another.
class ColumnMajorImage
{
public:
    // Makes the copy that of `image`, of the given generation of the images:
    // copied again only when either changed. An image that is not 32 bits a
    // pixel, or none, leaves no copy.
    void Follow(const SDL_Surface* image, std::uint64_t generation);
    bool Holds(const SDL_Surface* image) const { return image != nullptr && image == mKey.image; }
    // Texel (x, y) of the image, the texels below it following 4 bytes apart.
    const std::uint8_t* At(int x, int y) const
    {
        return reinterpret_cast<const std::uint8_t*>(
            mTexels.data() + static_cast<std::size_t>(x) * static_cast<std::size_t>(mKey.height) +
            static_cast<std::size_t>(y));
    }

private:
    ImageKey mKey;
    std::vector<std::uint32_t> mTexels;
};
