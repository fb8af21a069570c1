#include "core/utils.h"
#include "gameplay/player.h"
#include "support/test_maps.h"
#include "support/world_fixture.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace
{
const std::string SMALL_ROOM = "3\n3\n\n1 1 1\n1 0 1\n1 1 1\n\n0 0 0\n0 0 0\n0 0 0\n\n";
const std::string ERROR = "Error loading map: ";

// The message of the runtime error the call throws ("" when none).
template <typename Call> std::string ErrorOf(Call call)
{
    try
    {
        call();
    }
    catch (const std::runtime_error& error)
    {
        return error.what();
    }
    return "";
}

int HighScore(WorldFixture& world, const std::string& text)
{
    return world.map().GetHighScore(world.WriteMap(text, "score.map"));
}
} // namespace

TEST(MapLoader, ReadsGridsAndEntitiesWhateverTheOrderOfTheirLinesAndTheLineEnds)
{
    WorldFixture world;
    // The ghost is complete after its Y line and dropped, and the player's lines
    // after it must not inherit its fields. Projectiles are never built.
    world.Load("3\r\n3\r\n\r\n1 1 1\r\n1 0 1\r\n1 1 1\r\n\r\n0 0 0\r\n0 1 0\r\n0 0 0\r\n\r\n"
               "Type Ghost\r\nAngle abc\r\nX 1\r\nY 1\r\n\r\nType PlayerProjectile\r\nAngle 0\r\n"
               "X 1\r\nY 1\r\n\r\nOther line\r\nX 1\r\nY 1\r\nType Player\r\nAngle 90\r\n\r\n"
               "Type Orb\r\nAngle 0\r\nX 1\r\nY 1\r\n\r\nType Health\r\nAngle 0\r\nX 1");
    const Map& map = world.map();
    EXPECT_EQ(std::pair(map.mWidth, map.mHeight), std::pair(3, 3));
    EXPECT_EQ(map.mWalls, (std::vector<std::int32_t>{1, 1, 1, 1, 0, 1, 1, 1, 1}));
    EXPECT_EQ(map.mCeilingsAndFloors, (std::vector<std::int32_t>{0, 0, 0, 0, 1, 0, 0, 0, 0}));
    EXPECT_EQ(map.mMaxScore, 50);
    ASSERT_EQ(world.game().mEntities.size(), 2u);
    EXPECT_EQ(world.game().mEntities[1]->mType, EntityType::Orb);
    const Player& player = world.player();
    EXPECT_EQ(std::vector<double>({player.mX, player.mY, player.mAngle, 1.0 * player.mHealth}),
              std::vector<double>({96, 96, 1440, 100}));
    world.Load(SMALL_ROOM + "Type Player\nAngle 360\nX 1\nY 1");
    EXPECT_EQ(world.player().mAngle, QuillUtils::ConvertAngle(360));
    // An enemy may come before the player; items get their depth from the player.
    world.Load(MapText({"11111", "10001", "11111"})
                   .Add("Enemy", 3, 1)
                   .Add("Player", 1, 1, 0)
                   .Add("Health", 3, 1));
    ASSERT_EQ(world.game().mEntities.size(), 3u);
    EXPECT_EQ(world.game().mEntities[1]->mType, EntityType::Player);
    EXPECT_EQ(world.game().mEntities[2]->mDistance, 128);
}

TEST(MapLoader, CountsTheBestScoreAndGetHighScoreAgrees)
{
    WorldFixture world;
    // An orb 50, a scroll nothing and each enemy 100.
    const std::string text = BuildMapText({"#####", "#@$E#", "#sEE#", "#####"});
    world.Load(text);
    // Reading another file's score leaves the loaded map alone. No player is
    // needed and angles are not checked; an orb without its angle line never
    // completes; sizes that would need gigabytes, or lie beyond an int, are read
    // past without a grid.
    const std::pair<std::string, int> scores[] = {
        {text, 350},
        {SMALL_ROOM + "Type Player\nAngle 0\nX 1\nY 1", 0},
        {SMALL_ROOM + "Type Orb\nX 1\nY 1\n\nType Enemy\nAngle 0\nX 1\nY 1", 100},
        {SMALL_ROOM + "Type Orb\nAngle 999\nX 1\nY 1", 50},
        {"2000000000\n2000000000\n\n1 1\n", 0},
        {"", 0},
        {"5000000000\n1\n\n1\n\n1\n\nType Orb\nAngle 0\nX 0\nY 0", 0},
    };
    for (const auto& [other, score] : scores)
    {
        EXPECT_EQ(HighScore(world, other), score) << other;
    }
    EXPECT_EQ(ErrorOf([&] { world.map().GetHighScore("maps/missing.map"); }),
              "Couldn't open map file: maps/missing.map");
    // Nor does the game's loader change the map, on a file it cannot open.
    EXPECT_FALSE(world.map().OpenMap("maps/missing.map", &world.game(), true));
    EXPECT_EQ(std::vector<std::size_t>(
                  {world.map().mWalls.size(), static_cast<std::size_t>(world.map().mMaxScore)}),
              std::vector<std::size_t>({20, 350}));
}

TEST(MapLoader, MarksDoorsAndBuildsOneWithItsOwnImagePerDoorCell)
{
    WorldFixture world;
    // A standard door frames its west and east neighbours, the others their
    // north and south ones, whatever they hold (an empty cell becomes 0x40). A
    // door framed by its neighbour is no longer marked a door, though it keeps
    // its door record.
    world.Load(
        MapText({"1111111", "1c09a01", "1000001", "1b07801", "1077001", "1000001", "1111111"})
            .Add("Player", 2, 2));
    const Map& map = world.map();
    const int cells[][3] = {{1, 1, 0x8c}, {1, 0, 0x41}, {1, 2, 0x40}, {3, 3, 0x87},
                            {2, 3, 0x40}, {4, 3, 0x48}, {4, 2, 0x40}, {2, 4, 0x87},
                            {3, 4, 0x47}, {4, 4, 0},    {2, 5, 0},    {0, 3, 1}};
    for (const auto& [x, y, value] : cells)
    {
        EXPECT_EQ(map.GetTile(x, y, TileType::WallsAndDoors), value) << x << ", " << y;
    }
    EXPECT_EQ(std::pair(map.CheckTileType(3, 3), map.CheckTileType(1, 0)), std::pair(7, 0x41));
    // In row order, each with a copy of its texture of its own.
    const int doors[][3] = {{1, 1, 11}, {3, 1, 8}, {4, 1, 9}, {1, 3, 10},
                            {3, 3, 6},  {4, 3, 7}, {2, 4, 6}, {3, 4, 6}};
    ASSERT_EQ(map.mDoors.size(), 8u);
    for (std::size_t i = 0; i < map.mDoors.size(); ++i)
    {
        const DoorInfo& door = *map.mDoors[i];
        const auto& [x, y, texture] = doors[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(std::vector<int>({door.tileX, door.tileY, door.textureIndex, door.closeDelay,
                                    door.openPercent, door.closedColumns}),
                  std::vector<int>({x, y, texture, 150, 0, 0}));
        EXPECT_TRUE(!door.active && door.opening && door.blocking);
        // Only the standard door starts unlocked.
        EXPECT_EQ(door.locked, texture != 6);
        SDL_Surface* image = door.surface.Get<SDL_Surface>();
        ASSERT_TRUE(image != nullptr && image->w == 64 && image->h == 64);
        for (int column : {0, 31, 32, 63})
        {
            EXPECT_EQ(world.DoorPixel(x, y, column, 63 - column),
                      column < 32 ? TestTextures::WallLeft(texture)
                                  : TestTextures::WallRight(texture));
        }
    }
    QuillUtils::SetPixel(map.mDoors[6]->surface.Get<SDL_Surface>(), 5, 5, 0);
    EXPECT_EQ(world.DoorPixel(3, 4, 5, 5), TestTextures::WallLeft(6));
}

TEST(MapLoader, RefusesMapsItCannotPlayWithItsReason)
{
    WorldFixture world;
    const std::string player = "Type Player\nAngle 0\nX 0\nY 0";
    const std::string room = "2\n2\n\n0 0\n0 0\n\n0 0\n0 0\n\n";
    const std::string angle = "Invalid angle for entity (Must be 0-360): ";
    // 65 x 64 door cells would need 65 MB of door images: more than any editor map holds.
    std::string doors = "65\n64\n\n";
    for (int cell = 0; cell < 65 * 64; ++cell)
    {
        doors += cell % 65 == 64 ? "11\n" : "11 ";
    }
    const struct
    {
        std::string text;
        std::string message;
        // Loaded as the next map, which keeps the player it has (here none).
        bool next = false;
    } cases[] = {
        {"", ERROR + "Missing or invalid map size!"},
        {"three\n3\n", ERROR + "Missing or invalid map size!"},
        {"0\n3\n\n\n\n" + player, ERROR + "Invalid map width 0 (Must be 1-1024)!"},
        {"-4\n3\n", ERROR + "Invalid map width -4 (Must be 1-1024)!"},
        {"1025\n1\n", ERROR + "Invalid map width 1025 (Must be 1-1024)!"},
        {"3\n0\n", ERROR + "Invalid map height 0 (Must be 1-1024)!"},
        {"3\n1025\n", ERROR + "Invalid map height 1025 (Must be 1-1024)!"},
        {"2000000000\n2000000000\n", ERROR + "Invalid map width 2000000000 (Must be 1-1024)!"},
        {"2\n2\n\n1 1\n1 15\n", ERROR + "Invalid wall value 15 at (1, 1) (Must be 0-14)!"},
        {"2\n2\n\n1 -1\n", ERROR + "Invalid wall value -1 at (1, 0) (Must be 0-14)!"},
        {"2\n2\n\n0 0\n0 0\n\n0 0\n64 0\n",
         ERROR + "Invalid ceiling/floor value 64 at (0, 1) (Must be 0-63)!"},
        {"2\n2\n\n0 0\n0 0\n\n0 -2\n0 0\n",
         ERROR + "Invalid ceiling/floor value -2 at (1, 0) (Must be 0-63)!"},
        {room + "Type Enemy\nAngle 0\nX 1\nY 1", ERROR + "No Player defined in the map!"},
        // The cells after one that is not a number, and the entities, are not
        // read; nor are those of a file cut short. The largest sides are taken.
        {"3\n3\n\n1 1 1\n1 x 1\n1 1 1\n\n0 0 0\n0 0 0\n0 0 0\n\n" + player,
         ERROR + "No Player defined in the map!"},
        {"1024\n1\n\n\n\n", ERROR + "No Player defined in the map!"},
        {"1\n1024\n\n\n\n", ERROR + "No Player defined in the map!"},
        {room + "Type Player\nAngle 0\nX 2\nY 0",
         ERROR + "The Player at (2, 0) lies outside the map!"},
        {room + player + "\n\nType Enemy\nAngle 0\nX 0\nY 99999",
         ERROR + "The Enemy at (0, 99999) lies outside the map!"},
        {room + "Type Player\nAngle 361\nX 1\nY 1", angle + "361"},
        {room + "Type Player\nAngle -1\nX 1\nY 1", angle + "-1"},
        {room + "Type Player\nAngle north\nX 1\nY 1", angle + "north"},
        {room + "Type Player\nAngle 99999999999\nX 1\nY 1", angle + "99999999999"},
        {room + "Type Health\nAngle 0\nX 1\nY 1\n\n" + player,
         ERROR + "The player must be defined as the first object!"},
        {room + player, ERROR + "The player couldn't be found in the entity list!", true},
        {doors, ERROR + "Too many doors (Must be at most 4096)!"},
        {"3\n3\n\n1 1 1\n1 0", ERROR + "No Player defined in the map!"},
    };
    for (const auto& [text, message, next] : cases)
    {
        SCOPED_TRACE(text.substr(0, 80));
        world.game().ClearEntities(false);
        EXPECT_EQ(
            ErrorOf(
                [&, &text = text, next = next]
                {
                    next ? void(world.map().OpenMap(world.WriteMap(text), &world.game(), false))
                         : world.Load(text);
                }),
            message);
        // Whatever was refused, the map's size matches its grids.
        EXPECT_EQ(world.map().mWalls.size(),
                  static_cast<std::size_t>(world.map().mWidth) * world.map().mHeight);
        EXPECT_EQ(world.map().mDoors.size(), text == doors ? 4096u : 0u);
    }
    EXPECT_EQ(world.map().mWalls, (std::vector<std::int32_t>{1, 1, 1, 1, 0, 0, 0, 0, 0}));
}
