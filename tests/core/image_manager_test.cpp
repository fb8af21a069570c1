#include "core/image_manager.h"
#include "support/test_game.h"

#include <gtest/gtest.h>

TEST(ImageManager, ItsGenerationChangesWithEveryImageAddedOrRemoved)
{
    UseHeadlessDrivers();
    const std::string path = QUILL_TEST_DATA_DIR "/references/credits.png";
    SDL_RendererInfo info{};
    info.num_texture_formats = 1;
    info.texture_formats[0] = SDL_PIXELFORMAT_ARGB8888;
    ImageManager images;
    const auto start = images.Generation();
    ASSERT_TRUE(images.AddImage(path, "one", info, false));
    const auto added = images.Generation();
    EXPECT_NE(added, start);
    EXPECT_FALSE(images.AddImage(path, "one", info, false));
    EXPECT_EQ(images.Generation(), added) << "a key already taken changes nothing";
    images.RemoveImage("one");
    EXPECT_NE(images.Generation(), added);
    EXPECT_EQ(images.GetImage("one"), nullptr);
}
