#include "render/column_major_image.h"
#include "support/test_game.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace
{
Wrapper MakeImage(int width, int height, std::uint32_t seed)
{
    SDL_Surface* image =
        SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    for (int y = 0; y < height; ++y)
    {
        auto* row = reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(image->pixels) +
                                                     y * image->pitch);
        for (int x = 0; x < width; ++x)
        {
            row[x] = seed ^ static_cast<std::uint32_t>(x * 7919 + y * 104729);
        }
    }
    return Wrapper(image);
}

std::uint32_t CopiedTexel(const ColumnMajorImage& copy, int x, int y)
{
    std::uint32_t texel = 0;
    std::memcpy(&texel, copy.At(x, y), sizeof texel);
    return texel;
}

std::uint32_t ImageTexel(SDL_Surface* image, int x, int y)
{
    return reinterpret_cast<const std::uint32_t*>(static_cast<const std::uint8_t*>(image->pixels) +
                                                  y * image->pitch)[x];
}
} // namespace

TEST(ColumnMajorImage, HoldsTheImageColumnByColumnAndFollowsItsChanges)
{
    UseHeadlessDrivers();
    Wrapper first = MakeImage(70, 33, 0x12345678u);
    SDL_Surface* image = first.Get<SDL_Surface>();
    ColumnMajorImage copy;
    EXPECT_FALSE(copy.Holds(image));
    copy.Follow(image, 1);
    ASSERT_TRUE(copy.Holds(image));
    for (int x = 0; x < image->w; ++x)
    {
        for (int y = 0; y < image->h; ++y)
        {
            ASSERT_EQ(CopiedTexel(copy, x, y), ImageTexel(image, x, y)) << x << ", " << y;
        }
        // Down a column the texels follow one another.
        EXPECT_EQ(copy.At(x, 1) - copy.At(x, 0), 4);
    }

    // The same image under a new generation of the images (freed and loaded
    // again at the same address, say) is copied again.
    const std::uint32_t before = ImageTexel(image, 5, 6);
    reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(image->pixels) +
                                     6 * image->pitch)[5] = ~before;
    copy.Follow(image, 1);
    EXPECT_EQ(CopiedTexel(copy, 5, 6), before) << "kept while the generation stands";
    copy.Follow(image, 2);
    EXPECT_EQ(CopiedTexel(copy, 5, 6), ~before);

    // Another image, of another size.
    Wrapper second = MakeImage(3, 90, 0xCAFEF00Du);
    copy.Follow(second.Get<SDL_Surface>(), 2);
    EXPECT_FALSE(copy.Holds(image));
    ASSERT_TRUE(copy.Holds(second.Get<SDL_Surface>()));
    EXPECT_EQ(CopiedTexel(copy, 2, 89), ImageTexel(second.Get<SDL_Surface>(), 2, 89));

    // No image, or one that is not 32 bits a pixel, leaves no copy.
    copy.Follow(nullptr, 3);
    EXPECT_FALSE(copy.Holds(second.Get<SDL_Surface>()));
    Wrapper narrow(SDL_CreateRGBSurfaceWithFormat(0, 4, 4, 16, SDL_PIXELFORMAT_RGB565));
    copy.Follow(narrow.Get<SDL_Surface>(), 3);
    EXPECT_FALSE(copy.Holds(narrow.Get<SDL_Surface>()));
}
