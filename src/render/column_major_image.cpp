#include "render/column_major_image.h"

#include <cstring>

void ColumnMajorImage::Follow(const SDL_Surface* image, std::uint64_t generation)
{
    if (!ImageKey::Copyable(image))
    {
        mKey = {};
        return;
    }
    const ImageKey key = ImageKey::Of(image, generation);
    if (key == mKey)
    {
        return;
    }
    mKey = key;
    const std::size_t height = static_cast<std::size_t>(key.height);
    mTexels.resize(static_cast<std::size_t>(key.width) * height);
    const auto* rows = static_cast<const std::uint8_t*>(image->pixels);
    for (int y = 0; y < key.height; ++y)
    {
        const std::uint8_t* row = rows + static_cast<std::ptrdiff_t>(y) * image->pitch;
        for (int x = 0; x < key.width; ++x)
        {
            std::uint32_t texel = 0;
            std::memcpy(&texel, row + static_cast<std::ptrdiff_t>(x) * 4, sizeof texel);
            mTexels[static_cast<std::size_t>(x) * height + static_cast<std::size_t>(y)] = texel;
        }
    }
}
