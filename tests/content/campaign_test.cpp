// The shipped campaign: the map list, the format of every map file, that every map can be
// finished with every item in reach, and that the game and the editor both load them.

#include "campaign_maps.h"

#include "gameplay/player.h"
#include "support/scratch_dir.h"
#include "support/test_game.h"
#include "world/door_marks.h"
#include "world/map_checker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>

namespace fs = std::filesystem;

namespace
{
constexpr int MAX_SIDE = 64;
constexpr int TILE = 64;

struct ShippedMap
{
    CampaignEntry entry;
    std::string text;
    MapFile map;
};

fs::path MapsDir()
{
    return GameDataDir() / "maps";
}

std::vector<ShippedMap> LoadCampaign()
{
    std::vector<ShippedMap> campaign;
    for (const CampaignEntry& entry : ReadCampaignList(MapsDir() / "map.cfg"))
    {
        ShippedMap shipped;
        shipped.entry = entry;
        shipped.text = ReadTextFile(MapsDir() / entry.mapFile);
        try
        {
            shipped.map = ReadMapText(shipped.text);
        }
        catch (const std::exception& error)
        {
            ADD_FAILURE() << entry.mapFile << ": " << error.what();
        }
        campaign.push_back(shipped);
    }
    return campaign;
}

bool IsDoor(int wall)
{
    return wall >= Walls::STANDARD_DOOR && wall <= Walls::FAKE_EXIT_DOOR;
}

int CountWalls(const MapFile& map, int wall)
{
    return static_cast<int>(std::count(map.walls.begin(), map.walls.end(), wall));
}
} // namespace

TEST(Campaign, ListsSixOrMoreMapsEachWithItsOwnMusic)
{
    const std::vector<CampaignEntry> list = ReadCampaignList(MapsDir() / "map.cfg");
    ASSERT_GE(list.size(), 6U);
    const std::string musicList = ReadTextFile(GameDataDir() / "music" / "music.cfg");
    std::set<std::string> maps;
    std::set<std::string> tracks;
    for (const CampaignEntry& entry : list)
    {
        EXPECT_TRUE(fs::is_regular_file(MapsDir() / entry.mapFile)) << entry.mapFile;
        EXPECT_EQ(entry.mapFile.substr(entry.mapFile.size() - 4), ".map") << entry.mapFile;
        EXPECT_FALSE(entry.musicFile.empty()) << entry.mapFile << " has no music";
        EXPECT_NE(musicList.find(entry.musicFile), std::string::npos) << entry.musicFile;
        maps.insert(entry.mapFile);
        tracks.insert(entry.musicFile);
    }
    EXPECT_EQ(maps.size(), list.size()) << "a map is listed twice";
    EXPECT_EQ(tracks.size(), list.size()) << "two maps share their music";
    // Every line is "map music" and nothing else, ended by a line feed.
    std::string expected;
    for (const CampaignEntry& entry : list)
    {
        expected += entry.mapFile + " " + entry.musicFile + "\n";
    }
    EXPECT_EQ(ReadTextFile(MapsDir() / "map.cfg"), expected);
}

TEST(Campaign, MapsAreWrittenExactlyAsTheEditorWritesThem)
{
    for (const ShippedMap& shipped : LoadCampaign())
    {
        const MapFile& map = shipped.map;
        SCOPED_TRACE(shipped.entry.mapFile);
        EXPECT_EQ(MapFileText(map), shipped.text);
        EXPECT_LE(map.width, MAX_SIDE);
        EXPECT_LE(map.height, MAX_SIDE);
        EXPECT_EQ(CountEntities(map, "Player"), 1);
        std::set<std::pair<int, int>> occupied;
        for (const MapFileEntity& entity : map.entities)
        {
            const std::string where = entity.name + " at (" + std::to_string(entity.x) + ", " +
                                      std::to_string(entity.y) + ")";
            ASSERT_TRUE(entity.x >= 0 && entity.y >= 0 && entity.x < map.width &&
                        entity.y < map.height)
                << where;
            EXPECT_EQ(map.Wall(entity.x, entity.y), 0) << where << " stands in a wall";
            EXPECT_TRUE(occupied.insert({entity.x, entity.y}).second) << where << " shares a cell";
            EXPECT_NE(Map::EntityTypeStringToEnum(entity.name), EntityType::Unknown) << where;
            const int degrees = entity.Degrees().value();
            EXPECT_TRUE(degrees % 90 == 0 && degrees < 360) << where;
        }
        for (int y = 0; y < map.height; ++y)
        {
            for (int x = 0; x < map.width; ++x)
            {
                // Doors stand on their door-frame floor: horizontal under standard doors,
                // vertical under the others; everything else is laminate.
                const int wall = map.Wall(x, y);
                const int floor = wall == Walls::STANDARD_DOOR ? 1 : (IsDoor(wall) ? 2 : 0);
                EXPECT_EQ(map.Floor(x, y), floor) << "floor at (" << x << ", " << y << ")";
                EXPECT_TRUE((wall >= 0 && wall <= 12) || wall == Walls::FIREPLACE)
                    << "wall " << wall << " at (" << x << ", " << y << ")";
            }
        }
    }
}

TEST(Campaign, EveryMapPassesTheMapChecker)
{
    for (const ShippedMap& shipped : LoadCampaign())
    {
        for (const MapProblem& problem : MapChecker::Check(shipped.map).problems)
        {
            ADD_FAILURE() << shipped.entry.mapFile << ":" << problem.Line();
        }
    }
}

TEST(Campaign, EveryDoorStandsInItsWall)
{
    for (const ShippedMap& shipped : LoadCampaign())
    {
        const MapFile& map = shipped.map;
        SCOPED_TRACE(shipped.entry.mapFile);
        // A door marks the cells beside it as its frame: they must be walls (an empty one
        // would block like a wall), and no door may lose its door mark to a neighbour.
        std::vector<std::int32_t> marked = map.walls;
        MarkDoors(marked, map.width, map.height);
        for (int y = 0; y < map.height; ++y)
        {
            for (int x = 0; x < map.width; ++x)
            {
                const int value = marked[y * map.width + x];
                EXPECT_NE(value, 0x40)
                    << "an empty cell beside a door at (" << x << ", " << y << ") blocks";
                if (IsDoor(map.Wall(x, y)))
                {
                    EXPECT_EQ(value, 0x80 | map.Wall(x, y))
                        << "the door at (" << x << ", " << y << ") is a door-frame wall";
                }
            }
        }
    }
}

TEST(Campaign, TheMapsTogetherUseEveryWallDoorAndItem)
{
    const std::vector<ShippedMap> campaign = LoadCampaign();
    for (int wall : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14})
    {
        int uses = 0;
        for (const ShippedMap& shipped : campaign)
        {
            uses += CountWalls(shipped.map, wall);
        }
        EXPECT_GT(uses, 0) << "wall " << wall << " is never used";
    }
    for (const char* type :
         {"Health", "Ammo", "Orb", "Scroll", "BlueKey", "OrangeKey", "BronzeKey", "Enemy"})
    {
        int uses = 0;
        for (const ShippedMap& shipped : campaign)
        {
            uses += CountEntities(shipped.map, type);
        }
        EXPECT_GT(uses, 0) << type << " is never used";
    }
    for (const ShippedMap& shipped : campaign)
    {
        EXPECT_EQ(CountWalls(shipped.map, Walls::EXIT_DOOR), 1) << shipped.entry.mapFile;
    }
}

// The first map eases the player in; the last is the hardest; every map stocks enough
// fireballs (eight a pick-up, eight more at the start of the game) for two hits an enemy.
TEST(Campaign, DifficultyRisesFromAGentleStartToAHardEnd)
{
    const std::vector<ShippedMap> campaign = LoadCampaign();
    ASSERT_FALSE(campaign.empty());
    const MapFile& first = campaign.front().map;
    const MapFile& last = campaign.back().map;
    EXPECT_LE(CountEntities(first, "Enemy"), 3);
    EXPECT_GE(CountEntities(first, "Health"), CountEntities(first, "Enemy"));
    for (const ShippedMap& shipped : campaign)
    {
        SCOPED_TRACE(shipped.entry.mapFile);
        const int enemies = CountEntities(shipped.map, "Enemy");
        EXPECT_LE(enemies, CountEntities(last, "Enemy"));
        EXPECT_GE(enemies, CountEntities(first, "Enemy"));
        const int fireballs =
            8 * CountEntities(shipped.map, "Ammo") + (&shipped == &campaign[0] ? 8 : 0);
        EXPECT_GE(fireballs, 2 * enemies);
    }
}

TEST(Campaign, EveryMapLoadsInTheGameOneAfterTheOther)
{
    const std::vector<ShippedMap> campaign = LoadCampaign();
    TestGame test;
    Game& game = test.game();
    for (std::size_t i = 0; i < campaign.size(); ++i)
    {
        const MapFile& expected = campaign[i].map;
        SCOPED_TRACE(campaign[i].entry.mapFile);
        ASSERT_NO_THROW(game.LoadMap(i == 0));
        ASSERT_EQ(game.mCurrentMap, static_cast<int>(i));
        const Map& map = *game.mMap;
        ASSERT_EQ(map.mWidth, expected.width);
        ASSERT_EQ(map.mHeight, expected.height);
        EXPECT_EQ(map.mMaxScore,
                  50 * CountEntities(expected, "Orb") + 100 * CountEntities(expected, "Enemy"));
        EXPECT_EQ(map.GetHighScore("data/maps/" + campaign[i].entry.mapFile), map.mMaxScore);
        std::size_t doors = 0;
        for (int y = 0; y < map.mHeight; ++y)
        {
            for (int x = 0; x < map.mWidth; ++x)
            {
                const int value = map.GetTile(x, y, TileType::WallsAndDoors);
                EXPECT_NE(value, 0x40) << "blocking frame mark at (" << x << ", " << y << ")";
                if (IsDoor(expected.Wall(x, y)))
                {
                    ++doors;
                    EXPECT_EQ(value, expected.Wall(x, y) | 0x80);
                    EXPECT_NE(map.FindDoor(x, y), nullptr);
                }
            }
        }
        EXPECT_EQ(map.mDoors.size(), doors);
        ASSERT_EQ(game.mEntities.size(), expected.entities.size());
        const Player* player = game.GetPlayerRecord();
        ASSERT_NE(player, nullptr);
        EXPECT_EQ(player->mX, TILE * expected.entities[0].x + TILE / 2);
        EXPECT_EQ(player->mY, TILE * expected.entities[0].y + TILE / 2);
        EXPECT_EQ(game.mCurrentMusic, campaign[i].entry.musicFile);
        // A few frames of play draw the start and let everything take a turn.
        EXPECT_NO_THROW(test.RunFrames(3));
    }
}

TEST(Campaign, EveryMapLoadsInTheEditorAndSavesBackUnchanged)
{
    const std::vector<ShippedMap> campaign = LoadCampaign();
    TestGame::Options options;
    options.arguments = {"--editor"};
    TestGame test(options);
    Game& game = test.game();
    for (const ShippedMap& shipped : campaign)
    {
        SCOPED_TRACE(shipped.entry.mapFile);
        game.mInputText = shipped.entry.mapFile;
        ASSERT_TRUE(game.EditorLoadMap());
        EXPECT_EQ(game.mMapName, shipped.entry.mapFile);
        EXPECT_EQ(game.mMapWidth, shipped.map.width);
        EXPECT_EQ(game.mMapHeight, shipped.map.height);
        EXPECT_EQ(game.mMapHighScore, 50 * CountEntities(shipped.map, "Orb") +
                                          100 * CountEntities(shipped.map, "Enemy"));
        // Saved under a new name, the map comes back byte for byte.
        game.mInputText = "resaved_" + shipped.entry.mapFile;
        ASSERT_TRUE(game.EditorSaveMap());
        EXPECT_EQ(test.dir().ReadFile("data/maps/" + game.mInputText), shipped.text);
    }
}

// The maps are compiled from the ASCII layouts under tools/mapcompiler/layouts; the
// compiler must still turn them into exactly the shipped files.
TEST(Campaign, LayoutsCompileToTheShippedMaps)
{
    const fs::path layouts = fs::path(QUILL_SOURCE_DIR) / "tools" / "mapcompiler" / "layouts";
    ScratchDir scratch;
    std::string command = std::string("\"") + QUILL_MAP_COMPILER + "\" --out \"" +
                          (scratch.Path() / "maps").string() + "\"";
    std::set<std::string> compiled;
    for (const auto& file : fs::directory_iterator(layouts))
    {
        command += " \"" + file.path().string() + "\"";
        compiled.insert(file.path().stem().string() + ".map");
    }
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    for (const CampaignEntry& entry : ReadCampaignList(MapsDir() / "map.cfg"))
    {
        EXPECT_EQ(compiled.count(entry.mapFile), 1U) << entry.mapFile << " has no layout";
    }
    for (const std::string& name : compiled)
    {
        EXPECT_EQ(ReadTextFile(scratch.Path() / "maps" / name), ReadTextFile(MapsDir() / name))
            << name << " differs from its layout";
    }
}
