// The 3D view of small maps in the plain test textures, against reviewed
// pictures. The game's renderer is held to the reference renderer pixel for
// pixel elsewhere; these pictures hold both to what the player must see: walls
// darkening with distance, doors closed, sliding open and open in their grey
// frames, sprites before and behind walls and doors, a map with no outer ring.

#include "support/test_images.h"
#include "support/world_fixture.h"

#include <gtest/gtest.h>

namespace
{
// A room above, a standard door at (2, 3) and a room below with a red far wall.
const std::vector<std::string> DOORWAY = {"11111", "10001", "10001", "11711",
                                          "10001", "10001", "13331"};

struct View
{
    const char* reference;
    MapText map;
    double x, y, angle;
    // Steps of the world after the door at (2, 3) was started (none when negative).
    int doorSteps;
};
} // namespace

TEST(FrameRender, SmallMapsLookAsReviewed)
{
    // A green wall above, red below, yellow left and blue right.
    const MapText colouredRoom =
        MapText({"12221", "40001", "40001", "40001", "13331"}).Add("Player", 2, 2);
    // An enemy before a pillar, an orb hidden right behind it and a key behind
    // its left edge.
    const MapText pillar = MapText({"1111111", "1000001", "1000001", "1000001", "1000001",
                                    "1002001", "1000001", "1000001", "1111111"})
                               .Add("Player", 3, 1, 270)
                               .Add("Enemy", 3, 3)
                               .Add("Orb", 3, 7)
                               .Add("BlueKey", 4, 7);
    const View views[] = {
        {"closed_room.png", colouredRoom, 160, 160, 1700, -1},
        {"closed_room_left_corner.png", colouredRoom, 160, 160, 700, -1},
        {"light_falls_with_distance.png",
         MapText({"11111111", "10000001", "11111111"}).Add("Player", 1, 1), 64, 96, 0, -1},
        {"door_closed.png", MapText(DOORWAY).Add("Player", 2, 1), 160, 96, 480, -1},
        {"door_half_open.png", MapText(DOORWAY).Add("Player", 2, 1), 160, 96, 480, 17},
        // Rays through the open door meet its west neighbour, drawn as the frame.
        {"door_frame_through_open_door.png", MapText(DOORWAY).Add("Player", 2, 1), 150, 180, 560,
         34},
        {"sprites_and_walls.png", pillar, 224, 96, 480, -1},
        {"sprite_behind_half_open_door.png",
         MapText(DOORWAY).Add("Player", 2, 1).Add("Enemy", 2, 5), 160, 96, 480, 17},
        // No outer ring: the rays end at the edge, where the outside shows as blue wall.
        {"open_map.png", MapText({"0000", "0000", "0000"}).Add("Player", 1, 1), 96, 96, 0, -1},
    };
    WorldFixture world;
    for (const View& view : views)
    {
        SCOPED_TRACE(view.reference);
        world.Load(view.map);
        if (view.doorSteps >= 0)
        {
            world.map().StartDoor(&world.game(), 2, 3);
        }
        for (int step = 0; step < view.doorSteps; ++step)
        {
            world.game().StepWorld();
        }
        world.Place(view.x, view.y, view.angle);
        EXPECT_EQ(CompareWithReference(world.Render(), view.reference), "");
    }
}

TEST(FrameRender, TheFireplaceBurnsInTurnsOfSixSteps)
{
    WorldFixture world;
    world.Load(MapText({"11e11", "10001", "10001", "11111"}).Add("Player", 2, 2));
    // 96 units below it, in full light: the centre column shows the right half
    // of the frame shown, the second frame being the texture after the first.
    world.Place(160, 160, 1440);
    int steps = 0;
    for (const auto& [after, texture] : {std::pair{0, 13}, {5, 13}, {6, 14}, {11, 14}, {12, 13}})
    {
        for (; steps < after; ++steps)
        {
            world.game().StepWorld();
        }
        world.Render();
        EXPECT_EQ(world.Pixel(160, 120), TestTextures::WallRight(texture)) << after;
    }
}
