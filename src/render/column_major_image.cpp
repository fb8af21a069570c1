#include "render/column_major_image.h"

#include <cstring>

void ColumnMajorImage::Follow(const SDL_Surface* image, std::uint64_t generation)
{
    const bool readable = image != nullptr && image->pixels != nullptr &&
                          image->format->BytesPerPixel == 4 && image->w > 0 && image->h > 0;
    if (!readable)
    {
        mImage = nullptr;
        return;
    }
    if (image == mImage && image->pixels == mPixels && generation == mGeneration &&
        image->w == mWidth && image->h == mHeight)
    {
        return;
    }
    mImage = image;
    mPixels = image->pixels;
    mGeneration = generation;
    mWidth = image->w;
    mHeight = image->h;
    mTexels.resize(static_cast<std::size_t>(mWidth) * static_cast<std::size_t>(mHeight));
    const auto* rows = static_cast<const std::uint8_t*>(image->pixels);
    for (int y = 0; y < mHeight; ++y)
    {
        const std::uint8_t* row = rows + static_cast<std::ptrdiff_t>(y) * image->pitch;
        for (int x = 0; x < mWidth; ++x)
        {
            std::uint32_t texel = 0;
            std::memcpy(&texel, row + static_cast<std::ptrdiff_t>(x) * 4, sizeof texel);
            mTexels[static_cast<std::size_t>(x) * static_cast<std::size_t>(mHeight) +
                    static_cast<std::size_t>(y)] = texel;
        }
    }
}
