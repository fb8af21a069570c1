#include "render/texture_blocks.h"
#include "support/test_game.h"
#include "support/test_images.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace
{
// Every texel of every block against the image; -1 where a block is missing.
void ExpectBlocksOf(const TextureBlocks& blocks, SDL_Surface* image,
                    const std::vector<SDL_Rect>& rects)
{
    for (std::size_t i = 0; i < rects.size(); ++i)
    {
        const std::int32_t first = blocks.Firsts()[i];
        ASSERT_GE(first, 0) << "texture " << i;
        for (int y = 0; y < TextureBlocks::SIDE; ++y)
        {
            for (int x = 0; x < TextureBlocks::SIDE; ++x)
            {
                ASSERT_EQ(blocks.Texels()[first + y * TextureBlocks::SIDE + x],
                          PixelOf(image, rects[i].x + x, rects[i].y + y))
                    << "texture " << i << " at " << x << ", " << y;
            }
        }
    }
}
} // namespace

TEST(TextureBlocks, HoldEachTextureTogetherAndFollowTheImage)
{
    UseHeadlessDrivers();
    Wrapper first = MakePatternImage(200, 130, 0x2468ACE0u);
    SDL_Surface* image = first.Get<SDL_Surface>();
    const std::vector<SDL_Rect> rects = {{0, 0, 64, 64}, {136, 66, 64, 64}, {64, 0, 64, 64}};
    TextureBlocks blocks;
    EXPECT_FALSE(blocks.Holds(image));
    blocks.Follow(image, rects, 1);
    ASSERT_TRUE(blocks.Holds(image));
    ExpectBlocksOf(blocks, image, rects);

    // A texture reaching out of the image, or starting before it, has no block.
    std::vector<SDL_Rect> outside = rects;
    outside.push_back({137, 0, 64, 64});
    outside.push_back({0, 67, 64, 64});
    outside.push_back({-1, 0, 64, 64});
    blocks.Follow(image, outside, 1);
    EXPECT_EQ(blocks.Firsts()[3], -1);
    EXPECT_EQ(blocks.Firsts()[4], -1);
    EXPECT_EQ(blocks.Firsts()[5], -1);
    outside.resize(3);
    ExpectBlocksOf(blocks, image, outside);

    // Copied again for other rectangles, or for a new generation of the
    // images, not otherwise.
    blocks.Follow(image, rects, 1);
    ExpectBlocksOf(blocks, image, rects);
    const std::uint32_t before = PixelOf(image, 140, 70);
    SetPixelOf(image, 140, 70, ~before);
    blocks.Follow(image, rects, 1);
    EXPECT_EQ(blocks.Texels()[blocks.Firsts()[1] + 4 * TextureBlocks::SIDE + 4], before);
    blocks.Follow(image, rects, 2);
    EXPECT_EQ(blocks.Texels()[blocks.Firsts()[1] + 4 * TextureBlocks::SIDE + 4], ~before);

    // No image, or one that is not 32 bits a pixel, leaves no blocks.
    blocks.Follow(nullptr, rects, 3);
    EXPECT_FALSE(blocks.Holds(image));
    Wrapper narrow(SDL_CreateRGBSurfaceWithFormat(0, 64, 64, 16, SDL_PIXELFORMAT_RGB565));
    blocks.Follow(narrow.Get<SDL_Surface>(), rects, 3);
    EXPECT_FALSE(blocks.Holds(narrow.Get<SDL_Surface>()));
}
