#include "render/texture_blocks.h"

#include <cstring>

bool TextureBlocks::SameRects(const std::vector<SDL_Rect>& rects) const
{
    if (rects.size() != mRects.size())
    {
        return false;
    }
    for (std::size_t i = 0; i < rects.size(); ++i)
    {
        const SDL_Rect& a = rects[i];
        const SDL_Rect& b = mRects[i];
        if (a.x != b.x || a.y != b.y || a.w != b.w || a.h != b.h)
        {
            return false;
        }
    }
    return true;
}

void TextureBlocks::Follow(const SDL_Surface* image, const std::vector<SDL_Rect>& rects,
                           std::uint64_t generation)
{
    if (!ImageKey::Copyable(image))
    {
        mKey = {};
        return;
    }
    const ImageKey key = ImageKey::Of(image, generation);
    if (key == mKey && SameRects(rects))
    {
        return;
    }
    mKey = key;
    mRects = rects;
    mFirsts.assign(rects.size(), -1);
    std::size_t blocks = 0;
    for (std::size_t i = 0; i < rects.size(); ++i)
    {
        const SDL_Rect& rect = rects[i];
        const bool inside =
            rect.x >= 0 && rect.y >= 0 && rect.x <= image->w - SIDE && rect.y <= image->h - SIDE;
        if (inside)
        {
            mFirsts[i] = static_cast<std::int32_t>(blocks * SIDE * SIDE);
            ++blocks;
        }
    }
    mTexels.resize(blocks * SIDE * SIDE);
    const auto* pixels = static_cast<const std::uint8_t*>(image->pixels);
    for (std::size_t i = 0; i < rects.size(); ++i)
    {
        if (mFirsts[i] < 0)
        {
            continue;
        }
        std::uint32_t* block = mTexels.data() + mFirsts[i];
        for (int y = 0; y < SIDE; ++y)
        {
            std::memcpy(block + static_cast<std::ptrdiff_t>(y) * SIDE,
                        pixels + static_cast<std::ptrdiff_t>(rects[i].y + y) * image->pitch +
                            static_cast<std::ptrdiff_t>(rects[i].x) * 4,
                        SIDE * sizeof(std::uint32_t));
        }
    }
}
