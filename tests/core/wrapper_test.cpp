#include "core/wrapper.h"

#include <gtest/gtest.h>

#include <variant>

TEST(Wrapper, OwnsAndFreesOneResource)
{
    Wrapper empty;
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_EQ(empty.GetType(), ResourceType::None);
    EXPECT_THROW(empty.Get<SDL_Surface>(), std::bad_variant_access);
    EXPECT_EQ(empty.Find<SDL_Surface>(), nullptr);

    Wrapper surface(SDL_CreateRGBSurfaceWithFormat(0, 2, 2, 32, SDL_PIXELFORMAT_ARGB8888));
    EXPECT_EQ(surface.GetType(), ResourceType::Surface);
    EXPECT_NE(surface.Get<SDL_Surface>(), nullptr);
    EXPECT_THROW(surface.Get<SDL_Texture>(), std::bad_variant_access);

    // Storing a new resource frees the old one first.
    SDL_Surface* second = SDL_CreateRGBSurfaceWithFormat(0, 3, 3, 32, SDL_PIXELFORMAT_ARGB8888);
    surface.Reset(second);
    EXPECT_EQ(surface.Get<SDL_Surface>(), second);

    Wrapper moved(std::move(surface));
    EXPECT_EQ(moved.Get<SDL_Surface>(), second);
    EXPECT_TRUE(surface.IsEmpty());

    moved.freeResource();
    EXPECT_TRUE(moved.IsEmpty());
    EXPECT_EQ(moved.GetType(), ResourceType::Surface);
    moved.freeResource();
}
