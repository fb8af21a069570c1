// The shipped campaign: the map list, the format of every map file, that every map can be
// finished with every item in reach, and that the game and the editor both load them.
#include "gameplay/player.h"
#include "support/scratch_dir.h"
#include "support/test_game.h"
#include "world/map_checker.h"
#include "world/map_file.h"
#include "world/map_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace
{
struct ShippedMap
{
    std::string mapFile;
    std::string musicFile;
    std::string text;
    MapFile map;
};

const fs::path MAPS = GameDataDir() / "maps";

// The maps of data/maps/map.cfg in order, each read by the game's rules.
std::vector<ShippedMap> LoadCampaign()
{
    std::vector<ShippedMap> campaign;
    std::istringstream lines(ReadWholeFile(MAPS / "map.cfg"));
    for (std::string line; std::getline(lines, line);)
    {
        ShippedMap shipped;
        std::istringstream(line) >> shipped.mapFile >> shipped.musicFile;
        shipped.text = ReadWholeFile(MAPS / shipped.mapFile);
        std::istringstream text(shipped.text);
        try
        {
            shipped.map = ReadMapFile(text, GAME_MAP_RULES).value();
        }
        catch (const std::exception& error)
        {
            ADD_FAILURE() << shipped.mapFile << ": " << error.what();
        }
        campaign.push_back(shipped);
    }
    return campaign;
}

int CountEntities(const MapFile& map, const std::string& name)
{
    return static_cast<int>(std::count_if(map.entities.begin(), map.entities.end(),
                                          [&name](const MapFileEntity& entity)
                                          { return entity.name == name; }));
}

int BestScore(const MapFile& map)
{
    return 50 * CountEntities(map, "Orb") + 100 * CountEntities(map, "Enemy");
}

bool IsDoor(int wall)
{
    return wall >= Walls::STANDARD_DOOR && wall <= Walls::FAKE_EXIT_DOOR;
}
} // namespace

// Six or more maps, each with its own music, using together every wall, door
// and item; the first eases the player in, the last is the hardest, and every
// map stocks enough fireballs (eight a pick-up, eight more at the start of the
// game) for two hits an enemy.
TEST(Campaign, SixOrMoreMapsOfRisingDifficultyUseEveryWallDoorAndItem)
{
    const std::vector<ShippedMap> campaign = LoadCampaign();
    ASSERT_GE(campaign.size(), 6U);
    const std::string musicList = ReadWholeFile(GameDataDir() / "music" / "music.cfg");
    std::string expectedList;
    std::set<std::string> maps;
    std::set<std::string> tracks;
    std::multiset<int> walls;
    std::multiset<std::string> entities;
    const MapFile& first = campaign.front().map;
    const MapFile& last = campaign.back().map;
    for (const ShippedMap& shipped : campaign)
    {
        SCOPED_TRACE(shipped.mapFile);
        EXPECT_NE(musicList.find(shipped.musicFile), std::string::npos);
        expectedList += shipped.mapFile + " " + shipped.musicFile + "\n";
        maps.insert(shipped.mapFile);
        tracks.insert(shipped.musicFile);
        walls.insert(shipped.map.walls.begin(), shipped.map.walls.end());
        for (const MapFileEntity& entity : shipped.map.entities)
        {
            entities.insert(entity.name);
        }
        EXPECT_EQ(std::count(shipped.map.walls.begin(), shipped.map.walls.end(), Walls::EXIT_DOOR),
                  1);
        const int enemies = CountEntities(shipped.map, "Enemy");
        EXPECT_LE(enemies, CountEntities(last, "Enemy"));
        EXPECT_GE(enemies, CountEntities(first, "Enemy"));
        EXPECT_GE(8 * CountEntities(shipped.map, "Ammo") + (&shipped == &campaign[0] ? 8 : 0),
                  2 * enemies);
    }
    // Every line is "map music" and nothing else, ended by a line feed.
    EXPECT_EQ(ReadWholeFile(MAPS / "map.cfg"), expectedList);
    EXPECT_EQ(maps.size(), campaign.size()) << "a map is listed twice";
    EXPECT_EQ(tracks.size(), campaign.size()) << "two maps share their music";
    EXPECT_EQ(tracks.count(""), 0U) << "a map has no music";
    for (int wall : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14})
    {
        EXPECT_GT(walls.count(wall), 0U) << "wall " << wall << " is never used";
    }
    for (const char* type :
         {"Health", "Ammo", "Orb", "Scroll", "BlueKey", "OrangeKey", "BronzeKey", "Enemy"})
    {
        EXPECT_GT(entities.count(type), 0U) << type << " is never used";
    }
    EXPECT_LE(CountEntities(first, "Enemy"), 3);
    EXPECT_GE(CountEntities(first, "Health"), CountEntities(first, "Enemy"));
}

// Every map is written exactly as the editor writes it, passes the map checker,
// and has one player and its entities on free cells of their own facing a
// quarter; doors stand on their door-frame floor (horizontal under standard
// doors, vertical under the others) and everything else on laminate.
TEST(Campaign, EveryMapIsWrittenAsTheEditorWritesItAndPassesTheChecker)
{
    for (const ShippedMap& shipped : LoadCampaign())
    {
        const MapFile& map = shipped.map;
        SCOPED_TRACE(shipped.mapFile);
        EXPECT_EQ(MapFileText(map), shipped.text);
        for (const MapProblem& problem : MapChecker::Check(map).problems)
        {
            ADD_FAILURE() << problem.Line();
        }
        EXPECT_EQ(CountEntities(map, "Player"), 1);
        std::set<std::pair<int, int>> occupied;
        // (The game's rules refuse an entity outside the map.)
        for (const MapFileEntity& entity : map.entities)
        {
            SCOPED_TRACE(entity.name + " at " + std::to_string(entity.x) + "," +
                         std::to_string(entity.y));
            EXPECT_EQ(map.Wall(entity.x, entity.y), 0);
            EXPECT_TRUE(occupied.insert({entity.x, entity.y}).second);
            EXPECT_NE(Map::EntityTypeStringToEnum(entity.name), EntityType::Unknown);
            EXPECT_TRUE(entity.Degrees().value() % 90 == 0 && entity.Degrees().value() < 360);
        }
        for (int y = 0; y < map.height; ++y)
        {
            for (int x = 0; x < map.width; ++x)
            {
                const int wall = map.Wall(x, y);
                const int floor = wall == Walls::STANDARD_DOOR ? 1 : (IsDoor(wall) ? 2 : 0);
                EXPECT_EQ(map.Floor(x, y), floor) << "floor at (" << x << ", " << y << ")";
                EXPECT_TRUE((wall >= 0 && wall <= 12) || wall == Walls::FIREPLACE)
                    << "wall " << wall << " at (" << x << ", " << y << ")";
            }
        }
    }
}

// Loaded one after the other as the campaign goes on, every map starts the
// player on its cell with its music; a door marks the cells beside it as its
// frame: they must be walls (an empty one would block like a wall), and no door
// may lose its door mark to a neighbour.
TEST(Campaign, EveryMapLoadsInTheGameOneAfterTheOther)
{
    const std::vector<ShippedMap> campaign = LoadCampaign();
    TestGame test;
    Game& game = test.game();
    for (std::size_t i = 0; i < campaign.size(); ++i)
    {
        const MapFile& expected = campaign[i].map;
        SCOPED_TRACE(campaign[i].mapFile);
        ASSERT_NO_THROW(game.LoadMap(i == 0));
        ASSERT_EQ(game.mCurrentMap, static_cast<int>(i));
        const Map& map = *game.mMap;
        ASSERT_EQ(map.mWidth, expected.width);
        ASSERT_EQ(map.mHeight, expected.height);
        EXPECT_EQ(map.mMaxScore, BestScore(expected));
        EXPECT_EQ(map.GetHighScore("data/maps/" + campaign[i].mapFile), map.mMaxScore);
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
        EXPECT_EQ(player->mX, 64 * expected.entities[0].x + 32);
        EXPECT_EQ(player->mY, 64 * expected.entities[0].y + 32);
        EXPECT_EQ(game.mCurrentMusic, campaign[i].musicFile);
        // A few frames of play draw the start and let everything take a turn.
        EXPECT_NO_THROW(test.RunFrames(3));
    }
}

TEST(Campaign, EveryMapLoadsInTheEditorAndSavesBackUnchanged)
{
    TestGame::Options options;
    options.arguments = {"--editor"};
    TestGame test(options);
    Game& game = test.game();
    for (const ShippedMap& shipped : LoadCampaign())
    {
        SCOPED_TRACE(shipped.mapFile);
        game.mInputText = shipped.mapFile;
        ASSERT_TRUE(game.EditorLoadMap());
        EXPECT_EQ(game.mMapHighScore, BestScore(shipped.map));
        // Saved under a new name, the map comes back byte for byte.
        game.mInputText = "resaved_" + shipped.mapFile;
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
    for (const ShippedMap& shipped : LoadCampaign())
    {
        EXPECT_EQ(compiled.count(shipped.mapFile), 1U) << shipped.mapFile << " has no layout";
    }
    for (const std::string& name : compiled)
    {
        EXPECT_EQ(scratch.ReadFile("maps/" + name), ReadWholeFile(MAPS / name))
            << name << " differs from its layout";
    }
}
