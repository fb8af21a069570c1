#include "support/world_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{
// A door at (2, 2) between two rooms.
const MapText DOORWAY = MapText({"11111", "10001", "11711", "10001", "11111"}).Add("Player", 1, 1);
const std::string CLOSED_ROW = std::string(32, 'L') + std::string(32, 'R');

// Loads the doorway with the player in the upper room, away from the door: an
// entity counts as standing in the door's cell when its position / 64 rounds to
// the cell, and the centre of cell (1, 1) rounds to (2, 2).
void LoadDoorway(WorldFixture& world, const MapText& map = DOORWAY)
{
    world.Load(map);
    world.Place(70, 70, 0);
}

void Steps(WorldFixture& world, int count)
{
    for (int step = 0; step < count; ++step)
    {
        world.game().StepWorld();
    }
}

// A row (or a column) of the door's image: '.' see-through, 'L' and 'R' the
// colours of the left and right halves of the door's texture.
std::string Line(WorldFixture& world, int at, bool row = true)
{
    const int texture = world.map().GetDoor(2, 2)->textureIndex;
    std::string line;
    for (int i = 0; i < 64; ++i)
    {
        const int x = row ? i : at;
        const int y = row ? at : i;
        const Rgb pixel = world.DoorPixel(2, 2, x, y);
        line += world.DoorPixelTransparent(2, 2, x, y)      ? '.'
                : pixel == TestTextures::WallLeft(texture)  ? 'L'
                : pixel == TestTextures::WallRight(texture) ? 'R'
                                                            : '?';
    }
    return line;
}

bool ShowsTheClosedDoor(WorldFixture& world)
{
    int closedRows = 0;
    for (int y = 0; y < 64; ++y)
    {
        closedRows += Line(world, y) == CLOSED_ROW ? 1 : 0;
    }
    return closedRows == 64;
}
} // namespace

TEST(Doors, OpenWaitAndCloseInTheirFrames)
{
    WorldFixture world;
    world.ListenToSounds();
    // A blue door: it frames its north and south neighbours.
    LoadDoorway(world, MapText({"11111", "10001", "11811", "10001", "11111"}).Add("Player", 1, 1));
    Map& map = world.map();
    DoorInfo& door = *map.GetDoor(2, 2);
    // Nothing starts on a wall, an empty cell, a door frame or outside the map.
    for (const auto& [x, y] : {std::pair{0, 0}, {1, 1}, {2, 1}, {-1, 2}, {5, 2}, {2, 9}})
    {
        map.StartDoor(&world.game(), x, y);
    }
    EXPECT_TRUE(world.TakeSounds().empty());
    EXPECT_FALSE(door.active);
    // A locked door opens (the player's keys are the player's business) and
    // stays unlocked.
    EXPECT_TRUE(door.locked);
    map.StartDoor(&world.game(), 2, 2);
    EXPECT_FALSE(door.locked);
    EXPECT_EQ(world.TakeSounds(), std::vector<std::string>{"open_door.wav"});
    EXPECT_TRUE(map.CheckTileCollision(2, 2, &world.game()));
    // Passable after 30 frames (90 %), fully open after 34 (102 %). The image
    // slides right two columns a frame, leaving the left ones see-through.
    for (int frame = 1; frame <= 34; ++frame)
    {
        world.game().StepWorld();
        SCOPED_TRACE(frame);
        EXPECT_EQ(door.openPercent, 3 * frame);
        EXPECT_EQ(!world.map().CheckTileCollision(2, 2, &world.game()), frame >= 30);
        EXPECT_EQ(door.opening, frame < 34);
        EXPECT_EQ(Line(world, 20), (std::string(2 * frame, '.') + CLOSED_ROW).substr(0, 64));
        // Started again while it opens: nothing changes.
        map.StartDoor(&world.game(), 2, 2);
    }
    // It waits while someone stands in the doorway, even with only the edge of
    // the body in it: the wait is set back to 150 each frame, and counted down
    // in the same frame.
    for (const double y : {176.0, 207.0})
    {
        world.Place(160, y, 0);
        Steps(world, 200);
    }
    EXPECT_EQ(door.closeDelay, 149);
    // Clear of the cell, it waits 150 frames (counting this one), then closes
    // and blocks again on the 5th closing frame.
    world.Place(160, 208, 0);
    Steps(world, 149);
    EXPECT_EQ(door.openPercent, 102);
    for (int closing = 1; closing <= 34; ++closing)
    {
        world.game().StepWorld();
        SCOPED_TRACE(closing);
        EXPECT_EQ(door.openPercent, 102 - 3 * closing);
        EXPECT_EQ(!world.map().CheckTileCollision(2, 2, &world.game()), closing < 5);
        EXPECT_EQ(door.active, closing < 34);
        // From the second frame on, two more of the texture's columns come back
        // at the right edge.
        const int back = std::min(2 * closing - 2, 64);
        EXPECT_EQ(Line(world, 10), std::string(64 - back, '.') + CLOSED_ROW.substr(0, back));
    }
    EXPECT_TRUE(ShowsTheClosedDoor(world));
    EXPECT_EQ(map.GetTile(2, 2, TileType::WallsAndDoors), 0x88);
    EXPECT_EQ(world.TakeSounds(), std::vector<std::string>{"close_door.wav"});
    // Once closed nothing moves any more, and it can be opened again.
    world.game().StepWorld();
    EXPECT_EQ(door.openPercent, 0);
    map.StartDoor(&world.game(), 2, 2);
    EXPECT_EQ(world.TakeSounds(), std::vector<std::string>{"open_door.wav"});
}

TEST(Doors, OtherStylesPutTheirImageBackAfterACycle)
{
    // Five frames in: a door sliding up (2 rows a frame) shows its lowest ten
    // rows see-through; a splitting one has moved each half 10 columns outward.
    for (const auto& [style, percent, line] :
         {std::tuple{DOOR_SLIDES_UP, 15, std::string(54, 'L') + std::string(10, '.')},
          std::tuple{DOOR_SPLITS, 30,
                     std::string(22, 'L') + std::string(20, '.') + std::string(22, 'R')}})
    {
        SCOPED_TRACE(style);
        WorldFixture world;
        LoadDoorway(world);
        world.game().mTextureFlags[6].doorStyle = style;
        DoorInfo& door = *world.map().GetDoor(2, 2);
        world.map().StartDoor(&world.game(), 2, 2);
        Steps(world, 5);
        EXPECT_EQ(door.openPercent, percent);
        EXPECT_EQ(Line(world, style == DOOR_SPLITS ? 5 : 10, style == DOOR_SPLITS), line);
        int frames = 5;
        for (; door.active && frames < 1000; ++frames)
        {
            world.game().StepWorld();
        }
        // Splitting doors open and close twice as fast.
        EXPECT_EQ(frames, style == DOOR_SPLITS ? 17 + 150 + 17 - 1 : 34 + 150 + 34 - 1);
        EXPECT_TRUE(ShowsTheClosedDoor(world));
    }
}
