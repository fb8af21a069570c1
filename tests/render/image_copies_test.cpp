// The renderer reads the walls from a column-major copy of their image and the
// ceilings and floors from a copy that keeps each texture together; the
// renderer identity test holds what they copy. Here: a copy is made again when
// the image, its generation or (for the textures) their rectangles change, and
// not otherwise.

#include "render/column_major_image.h"
#include "render/texture_blocks.h"
#include "support/test_game.h"
#include "support/test_images.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

TEST(ImageCopies, FollowTheImageItsGenerationAndTheTextureRectangles)
{
    UseHeadlessDrivers();
    Wrapper first = MakePatternImage(200, 130, 0x2468ACE0u);
    SDL_Surface* image = first.Get<SDL_Surface>();
    std::vector<SDL_Rect> rects = {{0, 0, 64, 64}, {136, 66, 64, 64}};
    ColumnMajorImage walls;
    TextureBlocks floors;
    const auto follow = [&](std::uint64_t generation)
    {
        walls.Follow(image, generation);
        floors.Follow(image, rects, generation);
    };
    // What both copies hold of the image at (140, 70), in the second texture.
    const auto copied = [&]()
    {
        std::uint32_t wall = 0;
        std::memcpy(&wall, walls.At(140, 70), sizeof wall);
        const std::int32_t block = floors.Firsts()[1];
        const int x = 140 - rects[1].x;
        const int y = 70 - rects[1].y;
        return std::pair{wall, floors.Texels()[block + y * TextureBlocks::SIDE + x]};
    };
    EXPECT_FALSE(walls.Holds(image) || floors.Holds(image));
    follow(1);
    ASSERT_TRUE(walls.Holds(image) && floors.Holds(image));
    const std::uint32_t before = PixelOf(image, 140, 70);
    EXPECT_EQ(copied(), std::pair(before, before));
    // Kept while the generation stands; made again under a new one (an image
    // freed and loaded again at the same address, say).
    SetPixelOf(image, 140, 70, ~before);
    follow(1);
    EXPECT_EQ(copied(), std::pair(before, before));
    follow(2);
    EXPECT_EQ(copied(), std::pair(~before, ~before));
    // A texture moved along either axis is copied again.
    for (const auto& [dx, dy] : {std::pair{0, -1}, {-1, 0}})
    {
        rects[1].x += dx;
        rects[1].y += dy;
        SetPixelOf(image, 140, 70, PixelOf(image, 140, 70) + 1);
        floors.Follow(image, rects, 2);
        EXPECT_EQ(copied().second, PixelOf(image, 140, 70)) << dx << ", " << dy;
    }
    // A texture reaching out of the image, or starting before it, has no block.
    floors.Follow(image, {{0, 0, 64, 64}, {137, 0, 64, 64}, {0, 67, 64, 64}, {-1, 0, 64, 64}}, 2);
    EXPECT_EQ(std::vector<std::int32_t>(floors.Firsts(), floors.Firsts() + 4),
              (std::vector<std::int32_t>{0, -1, -1, -1}));
    // Another image, of another size.
    Wrapper second = MakePatternImage(3, 90, 0xCAFEF00Du);
    walls.Follow(second.Get<SDL_Surface>(), 2);
    EXPECT_FALSE(walls.Holds(image));
    std::uint32_t texel = 0;
    std::memcpy(&texel, walls.At(2, 89), sizeof texel);
    EXPECT_EQ(texel, PixelOf(second.Get<SDL_Surface>(), 2, 89));
    // No image, or one that is not 32 bits a pixel, leaves no copy.
    Wrapper narrow(SDL_CreateRGBSurfaceWithFormat(0, 64, 64, 16, SDL_PIXELFORMAT_RGB565));
    for (SDL_Surface* unusable : {static_cast<SDL_Surface*>(nullptr), narrow.Get<SDL_Surface>()})
    {
        follow(3);
        walls.Follow(unusable, 3);
        floors.Follow(unusable, rects, 3);
        EXPECT_FALSE(walls.Holds(image) || floors.Holds(image) || walls.Holds(unusable) ||
                     floors.Holds(unusable));
    }
}
