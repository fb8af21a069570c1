#pragma once

#include "render/image_key.h"

#include <SDL.h>

#include <cstdint>
#include <vector>

// Copies of the 64 x 64 textures of an image, each in a block of its own.
// In the image, a texture's rows lie a whole image row apart: at the usual
// widths they all fall on the same few sets of the processor's cache and push
// one another out, while the floor points of a row of the view wander all
// over the texture. A block keeps a texture's 16 KB together.
class TextureBlocks
{
public:
    static constexpr int SIDE = 64;

    // Makes the blocks those of the image's textures at `rects`, of the given
    // generation of the images: copied again only when the image, its
    // generation or the rectangles changed. An image that is not 32 bits a
    // pixel, or none, leaves no blocks.
    void Follow(const SDL_Surface* image, const std::vector<SDL_Rect>& rects,
                std::uint64_t generation);
    bool Holds(const SDL_Surface* image) const { return image != nullptr && image == mKey.image; }
    const std::uint32_t* Texels() const { return mTexels.data(); }
    // Per rectangle: the index in Texels() of its block's first texel, or -1
    // when the rectangle does not lie wholly inside the image.
    const std::int32_t* Firsts() const { return mFirsts.data(); }

private:
    bool SameRects(const std::vector<SDL_Rect>& rects) const;

    ImageKey mKey;
    std::vector<SDL_Rect> mRects;
    std::vector<std::uint32_t> mTexels;
    std::vector<std::int32_t> mFirsts;
};
