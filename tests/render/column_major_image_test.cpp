#include "render/column_major_image.h"
#include "support/test_game.h"
#include "support/test_images.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace
{
std::uint32_t CopiedTexel(const ColumnMajorImage& copy, int x, int y)
{
    std::uint32_t texel = 0;
    std::memcpy(&texel, copy.At(x, y), sizeof texel);
    return texel;
}
} // namespace

TEST(ColumnMajorImage, HoldsTheImageColumnByColumnAndFollowsItsChanges)
{
    UseHeadlessDrivers();
    Wrapper first = MakePatternImage(70, 33, 0x12345678u);
    SDL_Surface* image = first.Get<SDL_Surface>();
    ColumnMajorImage copy;
    EXPECT_FALSE(copy.Holds(image));
    copy.Follow(image, 1);
    ASSERT_TRUE(copy.Holds(image));
    for (int x = 0; x < image->w; ++x)
    {
        for (int y = 0; y < image->h; ++y)
        {
            ASSERT_EQ(CopiedTexel(copy, x, y), PixelOf(image, x, y)) << x << ", " << y;
        }
        // Down a column the texels follow one another.
        EXPECT_EQ(copy.At(x, 1) - copy.At(x, 0), 4);
    }

    // The same image under a new generation of the images (freed and loaded
    // again at the same address, say) is copied again.
    const std::uint32_t before = PixelOf(image, 5, 6);
    SetPixelOf(image, 5, 6, ~before);
    copy.Follow(image, 1);
    EXPECT_EQ(CopiedTexel(copy, 5, 6), before) << "kept while the generation stands";
    copy.Follow(image, 2);
    EXPECT_EQ(CopiedTexel(copy, 5, 6), ~before);

    // Another image, of another size.
    Wrapper second = MakePatternImage(3, 90, 0xCAFEF00Du);
    copy.Follow(second.Get<SDL_Surface>(), 2);
    EXPECT_FALSE(copy.Holds(image));
    ASSERT_TRUE(copy.Holds(second.Get<SDL_Surface>()));
    EXPECT_EQ(CopiedTexel(copy, 2, 89), PixelOf(second.Get<SDL_Surface>(), 2, 89));

    // No image, or one that is not 32 bits a pixel, leaves no copy.
    copy.Follow(nullptr, 3);
    EXPECT_FALSE(copy.Holds(second.Get<SDL_Surface>()));
    Wrapper narrow(SDL_CreateRGBSurfaceWithFormat(0, 4, 4, 16, SDL_PIXELFORMAT_RGB565));
    copy.Follow(narrow.Get<SDL_Surface>(), 3);
    EXPECT_FALSE(copy.Holds(narrow.Get<SDL_Surface>()));
}
