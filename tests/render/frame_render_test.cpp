#include "gameplay/enemy.h"
#include "support/test_images.h"
#include "support/world_fixture.h"

#include <gtest/gtest.h>

namespace
{
using TestTextures::Shaded;
using TestTextures::WallLeft;
using TestTextures::WallRight;

// A 5 x 5 room with a differently coloured wall on each side: green above,
// red below, yellow on the left, blue on the right.
const MapText COLOURED_ROOM =
    MapText({"12221", "40001", "40001", "40001", "13331"}).Add("Player", 2, 2);

// A room above, a standard door at (2, 3) and a room below with a red far wall.
const MapText DOORWAY =
    MapText({"11111", "10001", "10001", "11711", "10001", "10001", "13331"}).Add("Player", 2, 1);

// Runs the doors and animations for a number of playing steps.
void Step(WorldFixture& world, int frames)
{
    for (int i = 0; i < frames; ++i)
    {
        world.game().StepWorld();
    }
}

// The first and last row of column x that show the colour.
std::pair<int, int> RowsOf(WorldFixture& world, int x, Rgb colour)
{
    int first = -1;
    int last = -1;
    for (int y = 0; y < 240; ++y)
    {
        if (world.Pixel(x, y) == colour)
        {
            first = first < 0 ? y : first;
            last = y;
        }
    }
    return {first, last};
}

const Raycaster::Column& ColumnAt(WorldFixture& world, int x)
{
    return world.raycaster().mColumns[static_cast<std::size_t>(x)];
}

void ExpectReference(WorldFixture& world, const std::string& name)
{
    EXPECT_EQ(CompareWithReference(world.Render(), name), "");
}
} // namespace

TEST(FrameRender, AClosedRoom)
{
    WorldFixture world;
    world.Load(COLOURED_ROOM);
    // From the room's centre looking towards the top right corner.
    world.Place(160, 160, 1700);
    ExpectReference(world, "closed_room.png");
    world.Place(160, 160, 700);
    ExpectReference(world, "closed_room_left_corner.png");
}

TEST(FrameRender, AWallStripSpansItsProjectedHeight)
{
    WorldFixture world;
    world.Load(MapText({"1111111", "1000001", "1111111"}).Add("Player", 1, 1));
    // The right wall's face is at x = 384. From x = 107 it is 277 units away,
    // a little nearer than the projection distance (277.128), so the strip
    // covers 64 x 1.00046 rows from 87.985 to 152.015: rows 88 to 152.
    world.Place(107, 96, 0);
    world.Render();
    // The centre column's ray meets the wall at y = 96.09: texture column 32.
    const Rgb wall = Shaded(WallRight(0), 3072.0 / 277);
    EXPECT_EQ(RowsOf(world, 160, wall), std::make_pair(88, 152));
    // From 278 units: 63.8 rows from 88.1 to 151.9, rows 89 to 151.
    world.Place(106, 96, 0);
    world.Render();
    EXPECT_EQ(RowsOf(world, 160, Shaded(WallRight(0), 3072.0 / 278)), std::make_pair(89, 151));
}

TEST(FrameRender, AWallAtTheProjectionDistanceCoversRows88To151)
{
    WorldFixture world;
    world.Load(MapText({"111", "101", "111"}).Add("Player", 1, 1));
    SDL_Surface* frame = world.game().mFramework->GetSurface();
    SDL_FillRect(frame, nullptr, SDL_MapRGB(frame->format, 0, 0, 0));
    Raycaster& caster = world.raycaster();
    // One strip of the blue wall 277.128 units away: scale 1, 64 rows, the eye
    // (32 units up) at the middle row 120: from 120 - 32 to 120 + 32.
    for (Raycaster::Column& column : caster.mColumns)
    {
        column.count = 0;
    }
    Raycaster::Column& column = caster.mColumns[40];
    column.count = 1;
    Raycaster::Slice& slice = column.slices[0];
    slice.distance = caster.mProjectionDistance;
    slice.scale = 1;
    slice.textureColumn = 5;
    slice.textureIndex = 0;
    slice.ceilingFactor = caster.mProjectionDistance / caster.mViewCos[40] * 32;
    slice.floorFactor = slice.ceilingFactor;
    caster.DrawColumns(world.view());
    const Rgb wall = Shaded(WallLeft(0), 3072.0 / 277);
    EXPECT_EQ(RowsOf(world, 40, wall), std::make_pair(88, 151));
    EXPECT_NE(world.Pixel(40, 87), wall);
    EXPECT_NE(world.Pixel(40, 152), wall);
    // The other columns hold no strips and stay as they were.
    EXPECT_EQ(world.Pixel(42, 120), (Rgb{0, 0, 0}));

    // The floor right below the strip lies 277.128 / cos(22.5 degrees) units
    // ahead, beyond the 3 x 3 map: drawn dark, like the ceiling above it. Row
    // 239 sees the floor 9598 / 119 = 80.7 units along the ray, at (170.5,
    // 65.1) inside the map: texel (42, 1), a top right square, in full light.
    EXPECT_EQ(world.Pixel(40, 152), (Rgb{0, 0, 0}));
    EXPECT_EQ(world.Pixel(40, 87), (Rgb{0, 0, 0}));
    EXPECT_EQ(world.Pixel(40, 239), TestTextures::FloorB(0));

    // A strip 5000 units away, beyond the light table, gets its last entry:
    // 3072 / 4095 of a channel's 32 parts.
    SDL_FillRect(frame, nullptr, SDL_MapRGB(frame->format, 0, 0, 0));
    Raycaster::Column& far = caster.mColumns[41];
    far = column;
    far.slices[0].distance = 5000;
    far.slices[0].scale = caster.mProjectionDistance / 5000;
    caster.DrawColumns(world.view());
    EXPECT_EQ(world.Pixel(41, 120), (Rgb{0, 1, 4}));
    EXPECT_EQ(RowsOf(world, 41, Rgb{0, 1, 4}), std::make_pair(119, 121));
}

TEST(FrameRender, LightFallsWithDistance)
{
    WorldFixture world;
    world.Load(MapText({"11111111", "10000001", "11111111"}).Add("Player", 1, 1));
    // 96 units from the wall: full light, the texture's own colours.
    world.Place(448 - 96, 96, 0);
    world.Render();
    EXPECT_EQ(world.Pixel(160, 120), WallRight(0));
    // 192 units: light 16, every channel halved (40, 80, 200 -> 20, 40, 100 on
    // the right half of the blue wall's texture, where it shows 80, 200, 40).
    world.Place(448 - 192, 96, 0);
    world.Render();
    EXPECT_EQ(world.Pixel(160, 120), (Rgb{40, 100, 20}));
    // 384 units: light 8, a quarter.
    world.Place(448 - 384, 96, 0);
    world.Render();
    EXPECT_EQ(world.Pixel(160, 120), (Rgb{20, 50, 10}));
    ExpectReference(world, "light_falls_with_distance.png");
}

TEST(FrameRender, TheCeilingIsTheFloorTurnedOver)
{
    WorldFixture world;
    world.Load(MapText({"11111111", "10000001", "11111111"}).Add("Player", 1, 1));
    world.Place(64, 80, 0);
    world.Render();
    // Column 160 looks along +x. The floor of row 239 lies 8868.1 / 119 = 74.5
    // units ahead, at (138.5, 80): texel (138 & 63, 80 & 63) = (10, 16), the
    // top left square of the checker. The ceiling of row 0 lies 8868.1 / 120 =
    // 73.9 units ahead, at (137.9, 80), where the turned-over texture is read
    // at ((137 - 64) & 63, (64 - 80) & 63) = (9, 48): a bottom left square.
    EXPECT_EQ(world.Pixel(160, 239), TestTextures::FloorA(0));
    EXPECT_EQ(world.Pixel(160, 0), TestTextures::FloorB(0));
}

TEST(FrameRender, ADoorInFrontOfAWall)
{
    WorldFixture world;
    world.Load(DOORWAY);
    world.Place(160, 96, 480);
    ExpectReference(world, "door_closed.png");
    // The door stands half a cell deep: at y = 224, 128 units away, lit 3072 /
    // 128 = 24. Its strip is 64 x 2.165 rows high, from 50.7 to 189.3. The ray
    // of column 160 (angle 480 and the tables' tiny offset) meets it just left
    // of x = 160: texture column 31, on the door's left half.
    const Raycaster::Slice& door = ColumnAt(world, 160).slices[0];
    ASSERT_TRUE(door.isDoor);
    EXPECT_NEAR(door.distance, 128, 1e-9);
    EXPECT_EQ(door.textureColumn, 31);
    EXPECT_EQ(world.raycaster().LightAt(door.distance), 24);
    EXPECT_EQ(RowsOf(world, 160, Shaded(WallLeft(6), 24)), std::make_pair(51, 189));
    // Nothing of the red wall behind it shows.
    EXPECT_EQ(ColumnAt(world, 160).count, 2);
    EXPECT_EQ(RowsOf(world, 160, Shaded(WallLeft(2), world.raycaster().LightAt(288))),
              std::make_pair(-1, -1));
}

TEST(FrameRender, ADoorHalfOpen)
{
    WorldFixture world;
    world.Load(DOORWAY);
    world.Place(160, 96, 480);
    world.map().StartDoor(&world.game(), 2, 3);
    Step(world, 17);
    ASSERT_EQ(world.map().GetDoor(2, 3)->openPercent, 51);
    ExpectReference(world, "door_half_open.png");
    // The texture moved 34 columns: its left 34 are see-through. Looking down
    // the map, texture columns run from right to left on the screen, so the
    // see-through part is on the right of the door (columns from 160 on). There
    // the red wall 288 units away shows, left half of its texture at column 170
    // (its ray meets the wall at x = 150.6).
    const Raycaster::Column& through = ColumnAt(world, 170);
    ASSERT_EQ(through.count, 2);
    EXPECT_EQ(world.Pixel(170, 120),
              Shaded(WallLeft(2), world.raycaster().LightAt(through.slices[1].distance)));
    // Left of the gap the rest of the door: texture columns 34 and up show the
    // closed door's columns 0 and up, the left half of its texture.
    EXPECT_EQ(world.Pixel(100, 120), Shaded(WallLeft(6), 24));
}

TEST(FrameRender, AWallBesideAnOpenDoorSeenThroughIt)
{
    WorldFixture world;
    world.Load(DOORWAY);
    world.map().StartDoor(&world.game(), 2, 3);
    Step(world, 34);
    // Close to the door, looking down and to the left: rays pass through the
    // door cell and meet its west neighbour, which shows the grey door frame.
    world.Place(150, 180, 560);
    ExpectReference(world, "door_frame_through_open_door.png");
    bool frameSeen = false;
    for (int x = 0; x < 320; ++x)
    {
        frameSeen = frameSeen || world.Pixel(x, 120) == Shaded(WallLeft(12), 32) ||
                    world.Pixel(x, 120) == WallRight(12);
    }
    EXPECT_TRUE(frameSeen);
}

TEST(FrameRender, SpritesInFrontOfAndBehindWalls)
{
    WorldFixture world;
    // A pillar at (3, 5); an enemy in front of it, an orb right behind it and a
    // key behind its left edge (as seen from the player).
    world.Load(MapText({"1111111", "1000001", "1000001", "1000001", "1000001", "1002001", "1000001",
                        "1000001", "1111111"})
                   .Add("Player", 3, 1, 270)
                   .Add("Enemy", 3, 3)
                   .Add("Orb", 3, 7)
                   .Add("BlueKey", 4, 7));
    world.Place(224, 96, 480);
    ExpectReference(world, "sprites_and_walls.png");
    const auto count = [&world](Rgb colour)
    {
        int pixels = 0;
        for (int y = 0; y < 240; ++y)
        {
            for (int x = 0; x < 320; ++x)
            {
                pixels += world.Pixel(x, y) == colour ? 1 : 0;
            }
        }
        return pixels;
    };
    // The enemy, 128 units away (light 24), is drawn over the pillar: 0.9 x 64
    // x 2.165 columns wide for its 64 texture columns, half of them its body.
    const Entity& enemy = *world.game().mEntities[1];
    EXPECT_EQ(enemy.mDistance, 128);
    EXPECT_EQ(enemy.mScreenSize, 124);
    const Rgb enemyColour = Shaded(TestTextures::Enemy(0), 24);
    EXPECT_EQ(world.Pixel(160, 150), enemyColour);
    // The orb (384 units away, light 8) is hidden by the pillar; the key beside
    // it shows where the pillar does not cover it.
    EXPECT_EQ(count(Shaded(TestTextures::Item(2), 8)), 0);
    const int keyPixels = count(Shaded(TestTextures::Item(4), 8));
    EXPECT_GT(keyPixels, 0);
    // Without the pillar (and the enemy, which would hide it too) the orb shows.
    world.map().SetTile(3, 5, 0, TileType::WallsAndDoors);
    world.game().mEntities[1]->mAlive = false;
    world.Render();
    EXPECT_GT(count(Shaded(TestTextures::Item(2), 8)), 0);
    EXPECT_GT(count(Shaded(TestTextures::Item(4), 8)), keyPixels);

    // The enemy's second frame is drawn from x = 64 of its image.
    world.game().mEntities[1]->mAlive = true;
    static_cast<Enemy&>(*world.game().mEntities[1]).mAnimationFrame = 1;
    world.Render();
    EXPECT_EQ(world.Pixel(160, 150), Shaded(TestTextures::Enemy(1), 24));
    EXPECT_EQ(count(enemyColour), 0);
}

TEST(FrameRender, ASpriteBehindASeeThroughDoor)
{
    WorldFixture world;
    world.Load(MapText({"11111", "10001", "10001", "11711", "10001", "10001", "13331"})
                   .Add("Player", 2, 1)
                   .Add("Enemy", 2, 5));
    world.Place(160, 96, 480);
    world.map().StartDoor(&world.game(), 2, 3);
    Step(world, 17);
    ExpectReference(world, "sprite_behind_half_open_door.png");
}

TEST(FrameRender, TheFireplaceBurns)
{
    WorldFixture world;
    world.Load(MapText({"11e11", "10001", "10001", "11111"}).Add("Player", 2, 2));
    world.Place(160, 160, 1440);
    // 96 units away: full light. Column 160 looks up at x = 160: texture column 32.
    world.Render();
    EXPECT_EQ(world.Pixel(160, 120), WallRight(13));
    Step(world, 5);
    world.Render();
    EXPECT_EQ(world.Pixel(160, 120), WallRight(13));
    // The sixth step shows the second frame, the texture rectangle after it.
    Step(world, 1);
    world.Render();
    EXPECT_EQ(world.Pixel(160, 120), WallRight(14));
    Step(world, 6);
    world.Render();
    EXPECT_EQ(world.Pixel(160, 120), WallRight(13));
}

TEST(FrameRender, OpenMapsAndOddPlacesNeverHang)
{
    WorldFixture world;
    // No outer ring: rays end at the edge, where the outside shows as blue wall.
    world.Load(MapText({"0000", "0000", "0000"}).Add("Player", 1, 1));
    world.Place(96, 96, 0);
    ExpectReference(world, "open_map.png");
    const Rgb edge = world.Pixel(160, 120);
    EXPECT_TRUE(edge == Shaded(WallLeft(0), 3072.0 / 160) ||
                edge == Shaded(WallRight(0), 3072.0 / 160));
    // Every direction from a one-cell map, and eyes on its edges or beyond them.
    world.Load(MapText({"0"}).Add("Player", 0, 0));
    for (const auto& [x, y] :
         {std::pair{32.0, 32.0}, {0.0, 0.0}, {63.9, 63.9}, {-100.0, 30.0}, {5000.0, -7000.0}})
    {
        for (int angle = 0; angle < FULL_TURN; angle += 120)
        {
            world.Place(x, y, angle);
            world.Render();
        }
    }
    // A large open map: long rays.
    std::vector<std::string> rows(300, std::string(300, '0'));
    world.Load(MapText(rows).Add("Player", 150, 150));
    for (int angle = 0; angle < FULL_TURN; angle += 240)
    {
        world.Place(150 * 64 + 10, 150 * 64 + 20, angle);
        world.Render();
    }
}
