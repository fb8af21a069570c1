#include "core/utils.h"
#include "gameplay/enemy.h"
#include "gameplay/item.h"
#include "support/world_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace
{
const MapText SMALL_ROOM = MapText({"111", "101", "111"}).Add("Player", 1, 1);

// A corridor running down from the player's room through a standard door at
// (2, 2) into a lower room.
const MapText DOOR_CORRIDOR =
    MapText({"11111", "10001", "11711", "10001", "10001", "11111"}).Add("Player", 2, 1);

const Raycaster::Column& CastOneColumn(WorldFixture& world, int column, int angle, int px, int py)
{
    world.raycaster().CastColumn(world.view(), column, angle, px, py, 32);
    return world.raycaster().mColumns[static_cast<std::size_t>(column)];
}
} // namespace

TEST(RaycasterTables, HoldTheViewGeometryAndTheLight)
{
    WorldFixture world;
    const Raycaster& caster = world.raycaster();
    EXPECT_NEAR(caster.mProjectionDistance, 277.12812921102039, 1e-9);
    EXPECT_DOUBLE_EQ(caster.mLight[0], 0);
    EXPECT_DOUBLE_EQ(caster.mLight[1], 32);
    EXPECT_DOUBLE_EQ(caster.mLight[96], 32);
    EXPECT_DOUBLE_EQ(caster.mLight[192], 16);
    EXPECT_DOUBLE_EQ(caster.mLight[4095], 3072.0 / 4095);
    // Beyond the table the last entry holds; below 0 the first.
    EXPECT_DOUBLE_EQ(caster.LightAt(100000), 3072.0 / 4095);
    EXPECT_DOUBLE_EQ(caster.LightAt(-5), 0);
    EXPECT_DOUBLE_EQ(caster.LightAt(std::nan("")), 0);
    // Steps carry the direction of the ray.
    EXPECT_NEAR(caster.mStepY[240], 64 * std::tan(240 * M_PI / 960 + 0.0003272), 1e-12);
    EXPECT_LT(caster.mStepY[1200], 0);
    EXPECT_LT(caster.mStepX[480], 0);
    EXPECT_GT(caster.mStepX[1440], 0);
    EXPECT_DOUBLE_EQ(caster.mCos[960], -1);
    EXPECT_DOUBLE_EQ(caster.mViewCos[160], std::cos(0.0003272));
    EXPECT_DOUBLE_EQ(caster.mViewCos[0], std::cos(-160 * M_PI / 960 + 0.0003272));
    // The fireplace is the one animation.
    ASSERT_EQ(caster.mAnimations.size(), 1u);
    EXPECT_EQ(world.game().mTextureFlags[13].animationIndex, 0);
    EXPECT_EQ(world.game().mTextureFlags[13].doorDelay, 6);
}

TEST(RaycasterTables, RayAnglesWrapAroundTheTurn)
{
    EXPECT_EQ(Raycaster::RayAngle(0, 0), 1760);
    EXPECT_EQ(Raycaster::RayAngle(0, 160), 0);
    EXPECT_EQ(Raycaster::RayAngle(1900.7, 319), 139);
    EXPECT_EQ(Raycaster::RayAngle(480, 160), 480);
    // Column by column the angle goes up one, around the turn.
    for (const double facing : {0.0, 159.5, 1760.0, 1919.9, -7.25, 4e9, -1e12})
    {
        int angle = Raycaster::RayAngle(facing, 0);
        for (int column = 1; column < 320; ++column)
        {
            angle = Raycaster::NextRayAngle(angle);
            ASSERT_EQ(angle, Raycaster::RayAngle(facing, column)) << facing << ", " << column;
        }
    }
}

TEST(RaycasterTables, RoughAnglesStayWithinTheirError)
{
    // Around the whole turn, near the axes and the diagonals, at small and large scales.
    double worst = 0;
    for (int step = 0; step <= 200000; ++step)
    {
        const double turn = step * (2 * QuillUtils::PI / 200000);
        for (const double scale : {1e-3, 1.0, 77.5, 1e6})
        {
            const double x = std::cos(turn) * scale;
            const double y = std::sin(turn) * scale;
            double error = std::fabs(Raycaster::RoughAtan2(y, x) - std::atan2(y, x));
            // The two may name the half turn from either side.
            error = std::min(error, std::fabs(error - 2 * QuillUtils::PI));
            worst = std::max(worst, error);
        }
    }
    EXPECT_LE(worst, Raycaster::ROUGH_ATAN2_ERROR);
    EXPECT_GT(worst, 0.0);
    EXPECT_EQ(Raycaster::RoughAtan2(0, 5), 0.0);
    EXPECT_NEAR(Raycaster::RoughAtan2(5, 0), QuillUtils::PI / 2, 1e-15);
    EXPECT_NEAR(Raycaster::RoughAtan2(-5, 0), -QuillUtils::PI / 2, 1e-15);
    EXPECT_NEAR(Raycaster::RoughAtan2(0, -5), QuillUtils::PI, 1e-15);
    EXPECT_EQ(Raycaster::RoughAtan2(0, 0), 0.0);
    EXPECT_TRUE(std::isnan(Raycaster::RoughAtan2(std::nan(""), 1)));
}

TEST(RaycasterVisibility, SizesAndClearsTheBits)
{
    WorldFixture world;
    world.raycaster().SetVisArray(3, 2);
    EXPECT_EQ(world.raycaster().VisibleCells(), std::vector<std::uint8_t>(6, 0));
    world.raycaster().SetVisArray(-3, 2);
    EXPECT_TRUE(world.raycaster().VisibleCells().empty());
}

TEST(RaycasterCasts, MeetTheWallsOfAClosedRoom)
{
    WorldFixture world;
    world.Load(SMALL_ROOM);
    Raycaster& caster = world.raycaster();
    int tileX = 0;
    int tileY = 0;
    double hitY = 0;
    int hitX = 0;
    const RayHit xHit = caster.CastXRay(world.view(), 96, 96, 0, tileX, tileY, hitY, hitX);
    EXPECT_EQ(hitX, 128);
    EXPECT_DOUBLE_EQ(hitY, 96.0 + 32 * std::tan(0.0003272));
    EXPECT_EQ(xHit.tile, 1);
    EXPECT_EQ(xHit.tileX, 2);
    EXPECT_EQ(xHit.tileY, 1);
    EXPECT_EQ(tileX, 2);
    EXPECT_EQ(tileY, 1);
    // The horizontal ray runs almost along the lines and ends far away.
    double hitXLine = 0;
    int hitYLine = 0;
    caster.CastYRay(world.view(), 96, 96, 0, tileX, tileY, hitXLine, hitYLine);
    EXPECT_EQ(hitYLine, 128);
    EXPECT_GT(hitXLine, 90000);
    const Raycaster::Column& column = CastOneColumn(world, 160, 0, 96, 96);
    ASSERT_EQ(column.count, 1);
    EXPECT_NEAR(column.slices[0].distance, 32, 1e-9);
    EXPECT_EQ(column.slices[0].textureIndex, 0);
    EXPECT_EQ(column.slices[0].textureColumn, 32);
    EXPECT_FALSE(column.slices[0].isDoor);
    EXPECT_NEAR(column.slices[0].floorFactor, 32 * 277.12812921102039 / std::cos(0.0003272), 1e-9);
    EXPECT_NEAR(column.slices[0].ceilingFactor, column.slices[0].floorFactor, 1e-9);
    // Every cell the rays crossed, and the eye's own, are visible now.
    EXPECT_TRUE(caster.IsVisible(world.map(), 1, 1));
}

TEST(RaycasterCasts, LookThroughADoorAtTheWallBehind)
{
    WorldFixture world;
    world.Load(DOOR_CORRIDOR);
    const std::vector<std::int32_t> walls = world.map().mWalls;
    // From (160, 96) straight down: the door half a cell deep in (2, 2), then
    // the far wall of the lower room.
    const Raycaster::Column& column = CastOneColumn(world, 160, 480, 160, 96);
    ASSERT_EQ(column.count, 2);
    const Raycaster::Slice& door = column.slices[0];
    EXPECT_TRUE(door.isDoor);
    EXPECT_EQ(door.textureIndex, 6);
    EXPECT_EQ(door.tileX, 2);
    EXPECT_EQ(door.tileY, 2);
    EXPECT_NEAR(door.distance, 160 - 96, 1e-9);
    const Raycaster::Slice& wall = column.slices[1];
    EXPECT_FALSE(wall.isDoor);
    EXPECT_EQ(wall.textureIndex, 0);
    EXPECT_EQ(wall.tileY, 5);
    EXPECT_NEAR(wall.distance, 320 - 96, 1e-9);
    EXPECT_EQ(world.map().mWalls, walls);
    EXPECT_TRUE(world.raycaster().IsVisible(world.map(), 2, 4));
}

TEST(RaycasterCasts, ShowTheDoorFrameOnlyToRaysComingOutOfTheDoor)
{
    WorldFixture world;
    world.Load(DOOR_CORRIDOR);
    int tileX = 0;
    int tileY = 0;
    double hitY = 0;
    int hitX = 0;
    // Standing in the doorway and looking west at the framed wall (1, 2).
    RayHit hit = world.raycaster().CastXRay(world.view(), 150, 160, 960, tileX, tileY, hitY, hitX);
    EXPECT_EQ(hit.tile, DOOR_FRAME_WALL);
    EXPECT_EQ(hit.tileX, 1);
    // The same wall seen from the upper room keeps its own number.
    double hitXLine = 0;
    int hitYLine = 0;
    hit = world.raycaster().CastYRay(world.view(), 96, 96, 480, tileX, tileY, hitXLine, hitYLine);
    EXPECT_EQ(hit.tileX, 1);
    EXPECT_EQ(hit.tileY, 2);
    EXPECT_EQ(hit.tile, 1);
}

TEST(RaycasterCasts, StopAtExitDoors)
{
    WorldFixture world;
    world.Load(MapText({"11111", "10001", "11b11", "10001", "11111"}).Add("Player", 2, 1));
    const Raycaster::Column& column = CastOneColumn(world, 160, 480, 160, 96);
    ASSERT_EQ(column.count, 1);
    EXPECT_TRUE(column.slices[0].isDoor);
    EXPECT_EQ(column.slices[0].textureIndex, 10);
}

TEST(RaycasterCasts, EndAtTheEdgeOfAnOpenMap)
{
    WorldFixture world;
    world.Load(MapText({"00000", "00000", "00000"}).Add("Player", 2, 1));
    for (int angle = 0; angle < FULL_TURN; angle += 7)
    {
        const Raycaster::Column& column = CastOneColumn(world, 100, angle, 160, 96);
        ASSERT_EQ(column.count, 1);
        EXPECT_EQ(column.slices[0].textureIndex, Raycaster::OUTSIDE_WALL - 1);
    }
    // Straight east from (160, 96): the edge of the map at x = 320.
    const Raycaster::Column& east = CastOneColumn(world, 160, 0, 160, 96);
    EXPECT_NEAR(east.slices[0].distance, 160, 1e-9);
    EXPECT_EQ(east.slices[0].tileX, 5);
    // A one-cell map, and an eye on a grid line looking back across it.
    world.Load(MapText({"0"}).Add("Player", 0, 0));
    for (int angle = 0; angle < FULL_TURN; angle += 11)
    {
        EXPECT_EQ(CastOneColumn(world, 0, angle, 0, 0).count, 1);
        EXPECT_EQ(CastOneColumn(world, 319, angle, 63, 63).count, 1);
    }
}

TEST(RaycasterColumns, HoldAtMostSixteenStrips)
{
    WorldFixture world;
    // Twenty standard doors in a row down column 2.
    std::vector<std::string> rows = {"11111", "10001"};
    for (int i = 0; i < 20; ++i)
    {
        rows.push_back("11711");
    }
    rows.push_back("10001");
    rows.push_back("11111");
    world.Load(MapText(rows).Add("Player", 2, 1));
    const std::vector<std::int32_t> walls = world.map().mWalls;
    const Raycaster::Column& column = CastOneColumn(world, 160, 480, 160, 96);
    EXPECT_EQ(column.count, Raycaster::MAX_SLICES);
    for (int i = 0; i < column.count; ++i)
    {
        EXPECT_TRUE(column.slices[static_cast<std::size_t>(i)].isDoor);
        EXPECT_EQ(column.slices[static_cast<std::size_t>(i)].tileY, 2 + i);
    }
    // Every door cell was put back.
    EXPECT_EQ(world.map().mWalls, walls);

    // A sprite in front of them all pushes the farthest strip out.
    Enemy enemy(&world.game());
    enemy.Init(160, 140, 0);
    enemy.mDistance = 44;
    enemy.mScreenX = 160;
    enemy.mScreenSize = 1;
    world.raycaster().RenderEntity(world.game().mFramework->GetSurface(), &enemy);
    EXPECT_EQ(column.count, Raycaster::MAX_SLICES);
    EXPECT_TRUE(column.slices[0].isSprite);
    EXPECT_EQ(column.slices[1].tileY, 2);
    EXPECT_EQ(column.slices[15].tileY, 16);
}

TEST(RaycasterSprites, GoInFrontOfTheFirstFartherStrip)
{
    WorldFixture world;
    world.Load(SMALL_ROOM);
    SDL_Surface* frame = world.game().mFramework->GetSurface();
    Raycaster::Column& column = world.raycaster().mColumns[10];
    column.count = 2;
    column.slices[0].distance = 50;
    column.slices[0].textureIndex = 6;
    column.slices[0].ceilingFactor = 7;
    column.slices[1].distance = 100;
    column.slices[1].textureIndex = 0;
    column.slices[1].ceilingFactor = 7;
    Raycaster::Column& next = world.raycaster().mColumns[11];
    next = column;

    Item item(&world.game());
    item.Init(0, 0, 0, EntityType::Orb, &world.player());
    item.mScreenX = 10;
    item.mScreenSize = 2;
    // As far as the wall: hidden.
    item.mDistance = 100;
    world.raycaster().RenderEntity(frame, &item);
    EXPECT_EQ(column.count, 2);
    // Just in front of the wall: between door and wall.
    item.mDistance = 99;
    world.raycaster().RenderEntity(frame, &item);
    ASSERT_EQ(column.count, 3);
    const Raycaster::Slice& strip = column.slices[1];
    EXPECT_TRUE(strip.isSprite);
    EXPECT_EQ(strip.textureName, "items");
    EXPECT_EQ(strip.tileX, 128);
    EXPECT_EQ(strip.tileY, 0);
    EXPECT_EQ(strip.textureIndex, -1);
    EXPECT_DOUBLE_EQ(strip.distance, 99);
    EXPECT_DOUBLE_EQ(strip.scale, world.raycaster().mProjectionDistance / 99);
    EXPECT_DOUBLE_EQ(strip.textureColumn, 0);
    EXPECT_DOUBLE_EQ(strip.ceilingFactor, 7);
    EXPECT_EQ(column.slices[2].textureIndex, 0);
    // The second of its two columns starts half way through the texture.
    EXPECT_TRUE(next.slices[1].isSprite);
    EXPECT_DOUBLE_EQ(next.slices[1].textureColumn, 32);

    // An enemy takes its frame from its animation.
    Enemy enemy(&world.game());
    enemy.Init(0, 0, 0);
    enemy.mAnimationFrame = 1;
    enemy.mDistance = 30;
    enemy.mScreenX = 400;
    enemy.mScreenSize = 3;
    world.raycaster().RenderEntity(frame, &enemy);
    EXPECT_EQ(enemy.mSourceRect.x, 64);
    // Placed beyond the right edge it is moved to the last column.
    EXPECT_EQ(enemy.mScreenX, 319);
}

TEST(RaycasterSprites, NeedSomeDepthToBeDrawn)
{
    for (const double depth : {10.0, 15.9, 16.0, 17.0})
    {
        SCOPED_TRACE(depth);
        WorldFixture world;
        world.Load(MapText({"1111111", "1000001", "1111111"}).Add("Player", 1, 1).Add("Orb", 2, 1));
        world.Place(96, 96, 0);
        Entity& orb = *world.game().mEntities[1];
        orb.mX = 96 + depth;
        world.Render();
        const Raycaster::Column& column = world.raycaster().mColumns[160];
        // Only an entity more than 15 units deep is drawn.
        EXPECT_EQ(column.slices[0].isSprite, depth >= 16);
        EXPECT_EQ(orb.mDistance, static_cast<int>(depth));
    }
}

TEST(RaycasterAnimations, TurnTheFireplaceEverySixFrames)
{
    WorldFixture world;
    Raycaster& caster = world.raycaster();
    std::vector<int> frames;
    for (int call = 1; call <= 13; ++call)
    {
        caster.RotateAnimations();
        frames.push_back(caster.mAnimations[0].frame);
    }
    EXPECT_EQ(frames, (std::vector<int>{0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 0, 0}));
    caster.mAnimations[0].running = false;
    caster.RotateAnimations();
    EXPECT_EQ(caster.mAnimations[0].counter, 5);
}
