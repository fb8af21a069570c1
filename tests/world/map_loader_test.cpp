#include "core/utils.h"
#include "gameplay/item.h"
#include "gameplay/player.h"
#include "support/test_images.h"
#include "support/world_fixture.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace
{
const std::string SMALL_ROOM = "3\n3\n\n1 1 1\n1 0 1\n1 1 1\n\n0 0 0\n0 0 0\n0 0 0\n\n";

// The message of the runtime error that loading the text throws ("" when none).
std::string LoadError(WorldFixture& world, const std::string& text)
{
    try
    {
        world.Load(text);
    }
    catch (const std::runtime_error& error)
    {
        return error.what();
    }
    return "";
}

std::string RoomWithEntities(const std::string& entities)
{
    return SMALL_ROOM + entities;
}
} // namespace

TEST(MapLoader, ReadsGridsAndAPlayerWhateverTheOrderOfItsLines)
{
    for (const std::string entity :
         {"Type Player\nAngle 90\nX 1\nY 1", "X 1\nY 1\nType Player\nAngle 90"})
    {
        WorldFixture world;
        world.Load(RoomWithEntities(entity));
        const Map& map = world.map();
        EXPECT_EQ(map.mWidth, 3);
        EXPECT_EQ(map.mHeight, 3);
        EXPECT_EQ(map.mWalls, (std::vector<std::int32_t>{1, 1, 1, 1, 0, 1, 1, 1, 1}));
        EXPECT_EQ(map.mCeilingsAndFloors, std::vector<std::int32_t>(9, 0));
        EXPECT_TRUE(map.mDoors.empty());
        EXPECT_EQ(map.mMaxScore, 0);
        ASSERT_EQ(world.game().mEntities.size(), 1u);
        const Player& player = world.player();
        EXPECT_EQ(player.mX, 96);
        EXPECT_EQ(player.mY, 96);
        EXPECT_EQ(player.mAngle, 1440);
        EXPECT_EQ(player.mHealth, 100);
    }
}

TEST(MapLoader, KeepsCarriageReturnsOutOfTheValues)
{
    WorldFixture world;
    world.Load(
        "3\r\n3\r\n\r\n1 1 1\r\n1 0 1\r\n1 1 1\r\n\r\n0 0 0\r\n0 1 0\r\n0 0 0\r\n\r\n"
        "Type Player\r\nAngle 180\r\nX 1\r\nY 1\r\n\r\nType Orb\r\nAngle 0\r\nX 1\r\nY 1\r\n");
    EXPECT_EQ(world.map().GetTile(1, 1, TileType::CeilingsAndFloors), 1);
    EXPECT_EQ(world.player().mAngle, 960);
    EXPECT_EQ(world.game().mEntities.size(), 2u);
    EXPECT_EQ(world.map().mMaxScore, 50);
}

TEST(MapLoader, CountsTheBestScoreAndGetHighScoreAgrees)
{
    WorldFixture world;
    const std::string text = MapText({"11111", "10001", "10001", "11111"})
                                 .Add("Player", 1, 1)
                                 .Add("Orb", 2, 1)
                                 .Add("Orb", 3, 1)
                                 .Add("Scroll", 1, 2)
                                 .Add("Enemy", 2, 2)
                                 .Add("Enemy", 3, 2)
                                 .Add("Enemy", 3, 1)
                                 .Text();
    world.Load(text);
    EXPECT_EQ(world.map().mMaxScore, 400);
    EXPECT_EQ(world.game().mEntities.size(), 7u);

    // Reading another file's score leaves the loaded map alone.
    const std::string other = world.WriteMap(
        MapText({"111", "101", "111"}).Add("Player", 1, 1).Add("Enemy", 1, 1).Text(), "other.map");
    EXPECT_EQ(world.map().GetHighScore(world.WriteMap(text, "same.map")), 400);
    EXPECT_EQ(world.map().GetHighScore(other), 100);
    EXPECT_EQ(world.map().mWidth, 5);
    EXPECT_EQ(world.map().mHeight, 4);
    EXPECT_EQ(world.map().mMaxScore, 400);

    // Nothing to score, and an orb whose angle line is missing never completes.
    EXPECT_EQ(world.map().GetHighScore(
                  world.WriteMap(RoomWithEntities("Type Player\nAngle 0\nX 1\nY 1"), "none.map")),
              0);
    EXPECT_EQ(
        world.map().GetHighScore(world.WriteMap(
            RoomWithEntities("Type Orb\nX 1\nY 1\n\nType Enemy\nAngle 0\nX 1\nY 1"), "half.map")),
        100);
    // No player is needed and angles are not checked.
    EXPECT_EQ(world.map().GetHighScore(
                  world.WriteMap(RoomWithEntities("Type Orb\nAngle 999\nX 1\nY 1"), "odd.map")),
              50);
}

TEST(MapLoader, GetHighScoreNamesAMissingFileAndSurvivesHugeSizes)
{
    WorldFixture world;
    try
    {
        world.map().GetHighScore("maps/missing.map");
        FAIL() << "no error for a missing file";
    }
    catch (const std::runtime_error& error)
    {
        EXPECT_STREQ(error.what(), "Couldn't open map file: maps/missing.map");
    }
    // A size that would need gigabytes is read past without a grid.
    EXPECT_EQ(
        world.map().GetHighScore(world.WriteMap("2000000000\n2000000000\n\n1 1\n", "huge.map")), 0);
    EXPECT_EQ(world.map().GetHighScore(world.WriteMap("", "empty.map")), 0);
    // A size beyond an int is no size: its grid lines are no entity lines.
    EXPECT_EQ(world.map().GetHighScore(world.WriteMap(
                  "5000000000\n1\n\n1\n\n1\n\nType Orb\nAngle 0\nX 0\nY 0", "wide.map")),
              0);
}

TEST(MapLoader, ChecksEntityAngles)
{
    WorldFixture world;
    EXPECT_EQ(LoadError(world, RoomWithEntities("Type Player\nAngle 361\nX 1\nY 1")),
              "Invalid angle for entity (Must be 0-360): 361");
    EXPECT_EQ(LoadError(world, RoomWithEntities("Type Player\nAngle -1\nX 1\nY 1")),
              "Invalid angle for entity (Must be 0-360): -1");
    EXPECT_EQ(LoadError(world, RoomWithEntities("Type Player\nAngle 360\nX 1\nY 1")), "");
    EXPECT_EQ(world.player().mAngle, QuillUtils::ConvertAngle(360));
    // Not a number, or one beyond an int: the same message names the text.
    EXPECT_EQ(LoadError(world, RoomWithEntities("Type Player\nAngle north\nX 1\nY 1")),
              "Invalid angle for entity (Must be 0-360): north");
    EXPECT_EQ(LoadError(world, RoomWithEntities("Type Player\nAngle 99999999999\nX 1\nY 1")),
              "Invalid angle for entity (Must be 0-360): 99999999999");
}

TEST(MapLoader, DropsUnknownEntitiesAndStartsTheNextOneAfresh)
{
    WorldFixture world;
    // The ghost is complete after its Y line and dropped; the player's lines come
    // after it and must not inherit its fields. Projectiles are never built.
    world.Load(RoomWithEntities("Type Ghost\nAngle abc\nX 1\nY 1\n\nType PlayerProjectile\nAngle "
                                "0\nX 1\nY 1\n\nOther line\nType Player\nX 1\nAngle 0\nY 1\n\n"
                                "Type Health\nAngle 0\nX 1"));
    ASSERT_EQ(world.game().mEntities.size(), 1u);
    EXPECT_EQ(world.game().mEntities[0]->mType, EntityType::Player);
    EXPECT_EQ(world.player().mAngle, 0);
}

TEST(MapLoader, ItemsNeedThePlayerFirst)
{
    WorldFixture world;
    EXPECT_EQ(LoadError(world, RoomWithEntities("Type Health\nAngle 0\nX 1\nY 1\n\nType "
                                                "Player\nAngle 0\nX 1\nY 1")),
              "Error loading map: The player must be defined as the first object!");
    // An enemy may come before the player; items get their depth from the player.
    world.Load(MapText({"11111", "10001", "11111"})
                   .Add("Enemy", 3, 1)
                   .Add("Player", 1, 1, 0)
                   .Add("Health", 3, 1)
                   .Text());
    ASSERT_EQ(world.game().mEntities.size(), 3u);
    EXPECT_EQ(world.game().mEntities[1]->mType, EntityType::Player);
    EXPECT_EQ(world.game().mEntities[2]->mDistance, 128);
}

TEST(MapLoader, MarksDoorsAndTheWallsBesideThem)
{
    WorldFixture world;
    // A standard door frames its west and east neighbours, a blue door its north
    // and south neighbours, whatever they hold (an empty cell becomes 0x40).
    world.Load(
        MapText({"11111", "11711", "10001", "11811", "11011", "11111"}).Add("Player", 1, 2).Text());
    const Map& map = world.map();
    EXPECT_EQ(map.GetTile(2, 1, TileType::WallsAndDoors), 0x87);
    EXPECT_EQ(map.GetTile(1, 1, TileType::WallsAndDoors), 0x41);
    EXPECT_EQ(map.GetTile(3, 1, TileType::WallsAndDoors), 0x41);
    EXPECT_EQ(map.GetTile(2, 0, TileType::WallsAndDoors), 1);
    EXPECT_EQ(map.GetTile(2, 3, TileType::WallsAndDoors), 0x88);
    EXPECT_EQ(map.GetTile(2, 2, TileType::WallsAndDoors), 0x40);
    EXPECT_EQ(map.GetTile(2, 4, TileType::WallsAndDoors), 0x40);
    EXPECT_EQ(map.GetTile(1, 3, TileType::WallsAndDoors), 1);
    EXPECT_EQ(map.CheckTileType(2, 1), 7);
    EXPECT_EQ(map.CheckTileType(1, 1), 0x41);
}

TEST(MapLoader, ADoorFramedByANeighbouringDoorIsNoLongerMarkedAsADoor)
{
    WorldFixture world;
    world.Load(MapText({"111111", "117711", "100001", "111111"}).Add("Player", 1, 2).Text());
    const Map& map = world.map();
    // The first door marks the second, which then no longer reads 7.
    EXPECT_EQ(map.GetTile(2, 1, TileType::WallsAndDoors), 0x87);
    EXPECT_EQ(map.GetTile(3, 1, TileType::WallsAndDoors), 0x47);
    EXPECT_EQ(map.GetTile(4, 1, TileType::WallsAndDoors), 1);
    // Both cells still have their door record.
    EXPECT_EQ(map.mDoors.size(), 2u);
}

TEST(MapLoader, BuildsOneDoorPerDoorCellInRowOrderWithItsOwnImage)
{
    WorldFixture world;
    world.Load(MapText({"1111111", "1c09a01", "1000001", "1b07801", "1111111"})
                   .Add("Player", 2, 2)
                   .Text());
    const Map& map = world.map();
    const int expected[][3] = {{1, 1, 11}, {3, 1, 8}, {4, 1, 9}, {1, 3, 10}, {3, 3, 6}, {4, 3, 7}};
    ASSERT_EQ(map.mDoors.size(), 6u);
    for (std::size_t i = 0; i < map.mDoors.size(); ++i)
    {
        const DoorInfo& door = *map.mDoors[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(door.tileX, expected[i][0]);
        EXPECT_EQ(door.tileY, expected[i][1]);
        EXPECT_EQ(door.textureIndex, expected[i][2]);
        EXPECT_EQ(door.closeDelay, 150);
        EXPECT_EQ(door.openPercent, 0);
        EXPECT_EQ(door.closedColumns, 0);
        EXPECT_FALSE(door.active);
        EXPECT_TRUE(door.opening);
        EXPECT_TRUE(door.blocking);
        // Only the standard door starts unlocked.
        EXPECT_EQ(door.locked, door.textureIndex != 6);
        // The image is a copy of the door's texture.
        SDL_Surface* image = door.surface.Get<SDL_Surface>();
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->w, 64);
        EXPECT_EQ(image->h, 64);
        for (int x : {0, 31, 32, 63})
        {
            const Rgb colour = x < 32 ? TestTextures::WallLeft(door.textureIndex)
                                      : TestTextures::WallRight(door.textureIndex);
            EXPECT_EQ(world.DoorPixel(door.tileX, door.tileY, x, 63 - x), colour);
        }
    }
    // Two doors of the same kind have images of their own.
    world.Load(MapText({"1111", "1771", "1001", "1111"}).Add("Player", 1, 2).Text());
    ASSERT_EQ(world.map().mDoors.size(), 2u);
    SDL_Surface* first = world.map().mDoors[0]->surface.Get<SDL_Surface>();
    SDL_Surface* second = world.map().mDoors[1]->surface.Get<SDL_Surface>();
    EXPECT_NE(first, second);
    QuillUtils::SetPixel(first, 5, 5, 0);
    EXPECT_EQ(world.DoorPixel(2, 1, 5, 5), TestTextures::WallLeft(6));
}

TEST(MapLoader, TheNextMapKeepsThePlayerAndOnlyMovesIt)
{
    WorldFixture world;
    world.Load(RoomWithEntities("Type Player\nAngle 0\nX 1\nY 1"));
    Player& player = world.player();
    player.mHealth = 42;
    player.mAmmo = 3;
    player.mKeys = KEY_BLUE_BIT;
    player.mTotalScore = 700;
    player.mDeltaX = 5;
    player.mDeltaY = -5;
    Game& game = world.game();
    game.mMap->ClearMap();
    game.ClearEntities(true);
    ASSERT_TRUE(game.mMap->OpenMap(
        world.WriteMap(MapText({"11111", "10001", "11111"}).Add("Player", 3, 1, 270).Text(),
                       "next.map"),
        &game, false));
    ASSERT_EQ(game.mEntities.size(), 1u);
    EXPECT_EQ(&world.player(), &player);
    EXPECT_EQ(player.mX, 224);
    EXPECT_EQ(player.mY, 96);
    EXPECT_EQ(player.mAngle, 480);
    EXPECT_EQ(player.mDeltaX, 0);
    EXPECT_EQ(player.mDeltaY, 0);
    EXPECT_EQ(player.mHealth, 42);
    EXPECT_EQ(player.mAmmo, 3);
    EXPECT_EQ(player.mKeys, KEY_BLUE_BIT);
    EXPECT_EQ(player.mTotalScore, 700);

    game.ClearEntities(false);
    try
    {
        game.mMap->OpenMap(
            world.WriteMap(RoomWithEntities("Type Player\nAngle 0\nX 1\nY 1"), "lost.map"), &game,
            false);
        FAIL() << "no error without a player to keep";
    }
    catch (const std::runtime_error& error)
    {
        EXPECT_STREQ(error.what(),
                     "Error loading map: The player couldn't be found in the entity list!");
    }
}

TEST(MapLoader, AFileThatCannotBeOpenedLeavesTheMapAsItWas)
{
    WorldFixture world;
    world.Load(MapText({"111", "101", "111"}).Add("Player", 1, 1).Add("Orb", 1, 1).Text());
    EXPECT_FALSE(world.map().OpenMap("maps/missing.map", &world.game(), true));
    EXPECT_EQ(world.map().mMaxScore, 50);
    EXPECT_EQ(world.map().mWalls.size(), 9u);
    EXPECT_EQ(world.map().mWidth, 3);
}

TEST(MapLoader, RefusesMapsItCannotPlay)
{
    WorldFixture world;
    const std::string player = "Type Player\nAngle 0\nX 0\nY 0";
    const std::pair<std::string, std::string> cases[] = {
        {"", "Error loading map: Missing or invalid map size!"},
        {"three\n3\n", "Error loading map: Missing or invalid map size!"},
        {"0\n3\n\n\n\n" + player, "Error loading map: Invalid map width 0 (Must be 1-1024)!"},
        {"-4\n3\n", "Error loading map: Invalid map width -4 (Must be 1-1024)!"},
        {"1025\n1\n", "Error loading map: Invalid map width 1025 (Must be 1-1024)!"},
        {"3\n0\n", "Error loading map: Invalid map height 0 (Must be 1-1024)!"},
        {"3\n1025\n", "Error loading map: Invalid map height 1025 (Must be 1-1024)!"},
        {"2000000000\n2000000000\n",
         "Error loading map: Invalid map width 2000000000 (Must be 1-1024)!"},
        {"2\n2\n\n1 1\n1 15\n",
         "Error loading map: Invalid wall value 15 at (1, 1) (Must be 0-14)!"},
        {"2\n2\n\n1 -1\n", "Error loading map: Invalid wall value -1 at (1, 0) (Must be 0-14)!"},
        {"2\n2\n\n0 0\n0 0\n\n0 0\n64 0\n",
         "Error loading map: Invalid ceiling/floor value 64 at (0, 1) (Must be 0-63)!"},
        {"2\n2\n\n0 0\n0 0\n\n0 -2\n0 0\n",
         "Error loading map: Invalid ceiling/floor value -2 at (1, 0) (Must be 0-63)!"},
        {"2\n2\n\n0 0\n0 0\n\n0 0\n0 0\n\nType Enemy\nAngle 0\nX 1\nY 1",
         "Error loading map: No Player defined in the map!"},
        {"2\n2\n\n0 0\n0 0\n\n0 0\n0 0\n\nType Player\nAngle 0\nX 2\nY 0",
         "Error loading map: The Player at (2, 0) lies outside the map!"},
        {"2\n2\n\n0 0\n0 0\n\n0 0\n0 0\n\n" + player + "\n\nType Enemy\nAngle 0\nX 0\nY 99999",
         "Error loading map: The Enemy at (0, 99999) lies outside the map!"},
    };
    for (const auto& [text, message] : cases)
    {
        SCOPED_TRACE(text);
        EXPECT_EQ(LoadError(world, text), message);
        // Whatever was refused, the map's size matches its grids.
        EXPECT_EQ(world.map().mWalls.size(),
                  static_cast<std::size_t>(world.map().mWidth) * world.map().mHeight);
    }
    // The largest side is taken.
    EXPECT_EQ(LoadError(world, "1024\n1\n\n\n\n"),
              "Error loading map: No Player defined in the map!");
    EXPECT_EQ(world.map().mWalls.size(), 1024u);
    EXPECT_EQ(LoadError(world, "1\n1024\n\n\n\n"),
              "Error loading map: No Player defined in the map!");
}

TEST(MapLoader, StopsAtTheFirstCellThatIsNotANumber)
{
    WorldFixture world;
    // The cells after the bad one stay empty and no entity lines are read, so
    // a new game finds no player...
    EXPECT_EQ(LoadError(world, "3\n3\n\n1 1 1\n1 x 1\n1 1 1\n\n0 0 0\n0 0 0\n0 0 0\n\n"
                               "Type Player\nAngle 0\nX 1\nY 1"),
              "Error loading map: No Player defined in the map!");
    EXPECT_EQ(world.map().mWalls, (std::vector<std::int32_t>{1, 1, 1, 1, 0, 0, 0, 0, 0}));
    // ...and a truncated file the same.
    EXPECT_EQ(LoadError(world, "3\n3\n\n1 1 1\n1 0"),
              "Error loading map: No Player defined in the map!");
    EXPECT_EQ(world.map().mWalls, (std::vector<std::int32_t>{1, 1, 1, 1, 0, 0, 0, 0, 0}));
}

TEST(MapLoader, BoundsTheNumberOfDoorImages)
{
    WorldFixture world;
    // 65 x 64 door cells would need 65 MB of door images: more than any editor map holds.
    std::string text = "65\n64\n\n";
    for (int y = 0; y < 64; ++y)
    {
        for (int x = 0; x < 65; ++x)
        {
            text += x == 0 ? "11" : " 11";
        }
        text += "\n";
    }
    EXPECT_EQ(LoadError(world, text), "Error loading map: Too many doors (Must be at most 4096)!");
    EXPECT_EQ(world.map().mDoors.size(), 4096u);
}
