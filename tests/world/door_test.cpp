#include "support/world_fixture.h"

#include <gtest/gtest.h>

namespace
{
// A door at (2, 2) between two rooms.
const MapText DOORWAY = MapText({"11111", "10001", "11711", "10001", "11111"}).Add("Player", 1, 1);

// Loads the doorway with the player in the upper room, away from the door: an
// entity counts as standing in the door's cell when its position / 64 rounds to
// the cell, and the centre of cell (1, 1) rounds to (2, 2).
void LoadDoorway(WorldFixture& world, const MapText& map = DOORWAY)
{
    world.Load(map);
    world.Place(70, 70, 0);
}

bool Passable(WorldFixture& world)
{
    return !world.map().CheckTileCollision(2, 2, &world.game());
}

// Whether the door image equals the texture of the standard door.
bool ShowsTheClosedDoor(WorldFixture& world)
{
    for (int y = 0; y < 64; ++y)
    {
        for (int x = 0; x < 64; ++x)
        {
            const Rgb expected = x < 32 ? TestTextures::WallLeft(6) : TestTextures::WallRight(6);
            if (world.DoorPixelTransparent(2, 2, x, y) || world.DoorPixel(2, 2, x, y) != expected)
            {
                return false;
            }
        }
    }
    return true;
}

bool FullyTransparent(WorldFixture& world)
{
    for (int y = 0; y < 64; ++y)
    {
        for (int x = 0; x < 64; ++x)
        {
            if (!world.DoorPixelTransparent(2, 2, x, y))
            {
                return false;
            }
        }
    }
    return true;
}
} // namespace

TEST(Doors, OpenWaitAndCloseInTheirFrames)
{
    WorldFixture world;
    world.ListenToSounds();
    LoadDoorway(world);
    DoorInfo& door = *world.map().GetDoor(2, 2);
    world.map().StartDoor(&world.game(), 2, 2);
    EXPECT_EQ(world.TakeSounds(), std::vector<std::string>{"open_door.wav"});
    EXPECT_TRUE(door.active);
    EXPECT_FALSE(Passable(world));

    // Passable after 30 frames (90 %), fully open after 34 (102 %).
    for (int frame = 1; frame <= 34; ++frame)
    {
        world.game().StepWorld();
        SCOPED_TRACE(frame);
        EXPECT_EQ(door.openPercent, 3 * frame);
        EXPECT_EQ(Passable(world), frame >= 30);
        EXPECT_EQ(door.opening, frame < 34);
    }
    EXPECT_TRUE(FullyTransparent(world));

    // It waits 150 frames (counting from the frame it finished opening), then
    // closes and blocks again on the 5th closing frame.
    for (int frame = 35; frame <= 183; ++frame)
    {
        world.game().StepWorld();
    }
    EXPECT_EQ(door.closeDelay, 0);
    EXPECT_EQ(door.openPercent, 102);
    for (int closing = 1; closing <= 34; ++closing)
    {
        world.game().StepWorld();
        SCOPED_TRACE(closing);
        EXPECT_EQ(door.openPercent, 102 - 3 * closing);
        EXPECT_EQ(Passable(world), closing < 5);
        EXPECT_EQ(door.active, closing < 34);
        if (closing == 17)
        {
            // 32 columns are back: the texture's left half at the right edge.
            EXPECT_TRUE(world.DoorPixelTransparent(2, 2, 31, 10));
            EXPECT_EQ(world.DoorPixel(2, 2, 32, 10), TestTextures::WallLeft(6));
            EXPECT_EQ(world.DoorPixel(2, 2, 63, 10), TestTextures::WallLeft(6));
        }
    }
    EXPECT_TRUE(ShowsTheClosedDoor(world));
    EXPECT_EQ(world.map().GetTile(2, 2, TileType::WallsAndDoors), 0x87);
    EXPECT_EQ(world.TakeSounds(), std::vector<std::string>{"close_door.wav"});
    // Once closed nothing moves any more, and it can be opened again.
    world.game().StepWorld();
    EXPECT_EQ(door.openPercent, 0);
    world.map().StartDoor(&world.game(), 2, 2);
    EXPECT_EQ(world.TakeSounds(), std::vector<std::string>{"open_door.wav"});
}

TEST(Doors, SlideTheirImageSidewaysWhileOpening)
{
    WorldFixture world;
    LoadDoorway(world);
    world.map().StartDoor(&world.game(), 2, 2);
    for (int k = 1; k <= 32; ++k)
    {
        world.game().StepWorld();
        if (k == 32)
        {
            EXPECT_TRUE(world.DoorPixelTransparent(2, 2, 63, 20));
        }
        if (k != 1 && k != 7 && k != 16 && k != 31)
        {
            continue;
        }
        SCOPED_TRACE(k);
        // The left 2k columns are see-through, the texture moved right by 2k.
        EXPECT_TRUE(world.DoorPixelTransparent(2, 2, 2 * k - 1, 20));
        EXPECT_FALSE(world.DoorPixelTransparent(2, 2, 2 * k, 20));
        EXPECT_EQ(world.DoorPixel(2, 2, 2 * k, 20), TestTextures::WallLeft(6));
        if (2 * k + 32 < 64)
        {
            EXPECT_EQ(world.DoorPixel(2, 2, 2 * k + 31, 20), TestTextures::WallLeft(6));
            EXPECT_EQ(world.DoorPixel(2, 2, 2 * k + 32, 20), TestTextures::WallRight(6));
        }
    }
}

TEST(Doors, StartOnlyOnClosedDoorCells)
{
    WorldFixture world;
    world.ListenToSounds();
    LoadDoorway(world, MapText({"11111", "10001", "11811", "10001", "11111"}).Add("Player", 1, 1));
    Map& map = world.map();
    Game* game = &world.game();
    // A wall, an empty cell, a door frame and places outside the map.
    for (const auto& [x, y] : {std::pair{0, 0}, {1, 1}, {2, 1}, {-1, 2}, {5, 2}, {2, 9}})
    {
        map.StartDoor(game, x, y);
    }
    EXPECT_TRUE(world.TakeSounds().empty());
    EXPECT_FALSE(map.GetDoor(2, 2)->active);

    // A locked door opens (the player's keys are the player's business) and
    // stays unlocked; a second start while it opens changes nothing.
    EXPECT_TRUE(map.GetDoor(2, 2)->locked);
    map.StartDoor(game, 2, 2);
    EXPECT_FALSE(map.GetDoor(2, 2)->locked);
    world.game().StepWorld();
    world.game().StepWorld();
    map.StartDoor(game, 2, 2);
    EXPECT_EQ(map.GetDoor(2, 2)->openPercent, 6);
    EXPECT_EQ(world.TakeSounds(), std::vector<std::string>{"open_door.wav"});
}

TEST(Doors, StayOpenWhileSomeoneStandsInThem)
{
    WorldFixture world;
    LoadDoorway(world);
    DoorInfo& door = *world.map().GetDoor(2, 2);
    world.map().StartDoor(&world.game(), 2, 2);
    for (int frame = 0; frame < 34; ++frame)
    {
        world.game().StepWorld();
    }
    // Standing in the southern half of the doorway, then with only the edge
    // of the body in it: the door waits.
    world.Place(160, 176, 0);
    for (int frame = 0; frame < 200; ++frame)
    {
        world.game().StepWorld();
    }
    world.Place(160, 207, 0);
    for (int frame = 0; frame < 200; ++frame)
    {
        world.game().StepWorld();
    }
    EXPECT_EQ(door.openPercent, 102);
    // Set back to 150 each frame, and counted down in the same frame.
    EXPECT_EQ(door.closeDelay, 149);
    // Clear of the cell: it closes 150 frames later.
    world.Place(160, 208, 0);
    for (int frame = 0; frame < 149; ++frame)
    {
        world.game().StepWorld();
    }
    EXPECT_EQ(door.openPercent, 102);
    world.game().StepWorld();
    EXPECT_EQ(door.openPercent, 99);
}

TEST(Doors, OtherStylesPutTheirImageBackAfterACycle)
{
    for (const int style : {DOOR_SLIDES_UP, DOOR_SPLITS})
    {
        SCOPED_TRACE(style);
        WorldFixture world;
        LoadDoorway(world);
        world.game().mTextureFlags[6].doorStyle = style;
        DoorInfo& door = *world.map().GetDoor(2, 2);
        world.map().StartDoor(&world.game(), 2, 2);
        for (int frame = 1; frame <= 5; ++frame)
        {
            world.game().StepWorld();
        }
        if (style == DOOR_SLIDES_UP)
        {
            // Five frames of 2 rows: rows 54 to 63 are see-through.
            EXPECT_EQ(door.openPercent, 15);
            EXPECT_FALSE(world.DoorPixelTransparent(2, 2, 10, 53));
            EXPECT_TRUE(world.DoorPixelTransparent(2, 2, 10, 54));
            EXPECT_EQ(world.DoorPixel(2, 2, 40, 53), TestTextures::WallRight(6));
        }
        else
        {
            // Each half moved 10 columns outward.
            EXPECT_EQ(door.openPercent, 30);
            EXPECT_EQ(world.DoorPixel(2, 2, 21, 5), TestTextures::WallLeft(6));
            EXPECT_TRUE(world.DoorPixelTransparent(2, 2, 22, 5));
            EXPECT_TRUE(world.DoorPixelTransparent(2, 2, 41, 5));
            EXPECT_EQ(world.DoorPixel(2, 2, 42, 5), TestTextures::WallRight(6));
        }
        int frames = 5;
        while (door.active && frames < 1000)
        {
            world.game().StepWorld();
            ++frames;
        }
        // Splitting doors open and close twice as fast.
        EXPECT_EQ(frames, style == DOOR_SPLITS ? 17 + 150 + 17 - 1 : 34 + 150 + 34 - 1);
        EXPECT_TRUE(ShowsTheClosedDoor(world));
    }
}
