#include "core/image_manager.h"
#include "support/scratch_dir.h"
#include "support/test_game.h"
#include "support/test_images.h"

#include <gtest/gtest.h>

#include <cstdint>

TEST(ImageManager, ItsGenerationChangesWithEveryImageAddedOrRemoved)
{
    UseHeadlessDrivers();
    const ScratchDir scratch;
    const std::string path = (scratch.Path() / "one.png").string();
    Wrapper image(SDL_CreateRGBSurfaceWithFormat(0, 8, 8, 32, SDL_PIXELFORMAT_ARGB8888));
    ASSERT_TRUE(SaveImage(image.Get<SDL_Surface>(), path));
    SDL_RendererInfo info{};
    info.num_texture_formats = 1;
    info.texture_formats[0] = SDL_PIXELFORMAT_ARGB8888;
    ImageManager images;
    const std::uint64_t start = images.Generation();
    ASSERT_TRUE(images.AddImage(path, "one", info, false));
    const std::uint64_t added = images.Generation();
    EXPECT_NE(added, start);
    EXPECT_FALSE(images.AddImage(path, "one", info, false));
    EXPECT_EQ(images.Generation(), added) << "a key already taken changes nothing";
    images.RemoveImage("two");
    EXPECT_EQ(images.Generation(), added) << "nor does removing a key never added";
    images.RemoveImage("one");
    EXPECT_NE(images.Generation(), added);
    EXPECT_EQ(images.GetImage("one"), nullptr);
}
