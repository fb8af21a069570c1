#include "editor_harness.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace
{
Rgb ColorOf(Game& game, std::uint32_t pixel)
{
    Uint8 r = 0;
    Uint8 g = 0;
    Uint8 b = 0;
    SDL_GetRGB(pixel, game.mFramework->GetSurface()->format, &r, &g, &b);
    return {r, g, b};
}

// A 4 x 3 map with a player facing 180 degrees, an orb, an enemy and a scroll.
const std::string LEVEL = "4\n3\n\n"
                          "1 1 1 1\n"
                          "1 0 7 1\n"
                          "1 1 11 1\n"
                          "\n"
                          "0 0 0 0\n"
                          "0 0 2 0\n"
                          "0 0 0 0\n"
                          "\n"
                          "Type Player\nAngle 180\nX 1\nY 1\n\n"
                          "Type Enemy\nAngle 0\nX 2\nY 1\n\n"
                          "Type Orb\nAngle 0\nX 3\nY 2\n\n"
                          "Type Scroll\nAngle 0\nX 0\nY 0";

// The current map in a form that is easy to compare: size and every cell.
std::string Snapshot(Game& game)
{
    std::string text = std::to_string(game.mMapWidth) + "x" + std::to_string(game.mMapHeight);
    for (std::size_t i = 0; i < game.mWallTiles.size(); ++i)
    {
        text += " " + std::to_string(game.mWallTiles[i]->mValue) + "/" +
                std::to_string(game.mFloorTiles[i]->mValue) + "/" + game.mEntityGrid[i]->mValue +
                "@" + std::to_string(static_cast<int>(game.mEntityGrid[i]->mAngle));
    }
    return text;
}
} // namespace

TEST(EditorFiles, TheTwoByOneExampleIsWrittenByteForByte)
{
    EditorHarness editor;
    Game& game = editor.game();
    editor.NewMap("2", "1");
    ASSERT_EQ(game.mMapWidth, 2);
    ASSERT_EQ(game.mMapHeight, 1);
    editor.Click(0, 0); // Blue Wall
    editor.Paint(2, "Player", 1, 0);
    editor.Press(SDL_SCANCODE_A);
    editor.SaveAs("example");

    EXPECT_EQ(editor.ReadMap("example.map"),
              "2\n1\n\n1 0\n\n0 0\n\nType Player\nAngle 90\nX 1\nY 0");
    EXPECT_EQ(editor.State(), -3);
    EXPECT_EQ(game.mPromptTitle, "Save Map");
    EXPECT_EQ(game.mPromptMessage, "example.map map saved succesfully!");
    EXPECT_EQ(game.mMapName, "example.map");
    editor.Press(SDL_SCANCODE_RETURN);
    EXPECT_EQ(editor.State(), 0);
    EXPECT_TRUE(game.mRunning);
}

TEST(EditorFiles, AFreshMapIsWrittenWithoutEntityLines)
{
    EditorHarness editor;
    editor.Press(SDL_SCANCODE_S);
    EXPECT_EQ(editor.game().mInputText, "untitled");
    editor.Press(SDL_SCANCODE_RETURN);
    const std::string zeros =
        ExpectedMapText(64, 64, UniformRows(64, 64, 0), UniformRows(64, 64, 0), "");
    EXPECT_EQ(editor.ReadMap("untitled.map"), zeros);
    EXPECT_EQ(zeros.substr(zeros.size() - 3), "0\n\n");

    // New Map 1 x 1.
    editor.Press(SDL_SCANCODE_ESCAPE);
    editor.NewMap("1", "1");
    EXPECT_EQ(editor.game().mMapName, "untitled.map");
    EXPECT_EQ(editor.game().mMapHighScore, 0);
    editor.SaveAs("tiny");
    EXPECT_EQ(editor.ReadMap("tiny.map"), "1\n1\n\n0\n\n0\n\n");
}

TEST(EditorFiles, EntityBlocksComePlayerFirstThenByName)
{
    EditorHarness editor;
    editor.NewMap("6", "2");
    editor.Paint(2, "Orb", 5, 1);
    editor.Paint(2, "Enemy", 4, 0);
    editor.Paint(2, "Ammo", 3, 1);
    editor.Paint(2, "Orb", 0, 1);
    editor.Paint(2, "Player", 2, 0);
    editor.Press(SDL_SCANCODE_A);
    editor.Press(SDL_SCANCODE_A);
    editor.Press(SDL_SCANCODE_A);
    editor.SaveAs("order");
    const std::string rows = "0 0 0 0 0 0";
    EXPECT_EQ(editor.ReadMap("order.map"), ExpectedMapText(6, 2, {rows, rows}, {rows, rows},
                                                           "Type Player\nAngle 270\nX 2\nY 0\n\n"
                                                           "Type Ammo\nAngle 0\nX 3\nY 1\n\n"
                                                           "Type Enemy\nAngle 0\nX 4\nY 0\n\n"
                                                           "Type Orb\nAngle 0\nX 0\nY 1\n\n"
                                                           "Type Orb\nAngle 0\nX 5\nY 1"));
}

TEST(EditorFiles, AMapLoadsAndSavesBackUnchanged)
{
    EditorHarness editor(EditorHarness::Files{{"data/maps/level.map", LEVEL}});
    Game& game = editor.game();
    // Loading resets the layer and the selections as at start.
    editor.SwitchToLayer(2);
    editor.Select("Enemy");
    editor.MoveTo(2, 2);
    editor.Open("level");
    EXPECT_EQ(editor.State(), 0);
    EXPECT_EQ(game.mMapName, "level.map");
    EXPECT_EQ(game.mCurrentLayer, 0);
    EXPECT_EQ(editor.SelectionName(1), "Blue Wall");
    EXPECT_EQ(editor.SelectionName(2), "Nothing");
    EXPECT_EQ(game.mEntitySelectionIndex[0], 0);
    EXPECT_EQ(game.mCursorX, 2); // still inside the smaller map
    EXPECT_EQ(game.mMapWidth, 4);
    EXPECT_EQ(game.mMapHeight, 3);
    EXPECT_EQ(editor.WallName(2, 1), "Standard Door");
    EXPECT_EQ(editor.WallName(2, 2), "Exit Door");
    EXPECT_EQ(editor.FloorName(2, 1), "Vertical Door Frame");
    EXPECT_EQ(ColorOf(game, game.mWallTiles[6]->mColor), (Rgb{128, 128, 128}));
    EXPECT_EQ(ColorOf(game, game.mFloorTiles[6]->mColor), (Rgb{160, 160, 160}));
    EXPECT_EQ(editor.EntityName(1, 1), "Player");
    EXPECT_EQ(game.mEntityGrid[5]->mAngle, 180.0);
    EXPECT_EQ(ColorOf(game, game.mEntityGrid[5]->mColor), (Rgb{0, 196, 0}));
    EXPECT_EQ(game.mEntityTiles[0]->mValue, "Player");
    EXPECT_EQ(game.mMapHighScore, 150);

    editor.Press(SDL_SCANCODE_S);
    EXPECT_EQ(game.mInputText, "level");
    editor.ClearInput();
    editor.Type("copy");
    editor.Press(SDL_SCANCODE_RETURN);
    const std::string expected =
        "4\n3\n\n1 1 1 1\n1 0 7 1\n1 1 11 1\n\n0 0 0 0\n0 0 2 0\n0 0 0 0\n\n"
        "Type Player\nAngle 180\nX 1\nY 1\n\n"
        "Type Enemy\nAngle 0\nX 2\nY 1\n\n"
        "Type Orb\nAngle 0\nX 3\nY 2\n\n"
        "Type Scroll\nAngle 0\nX 0\nY 0";
    EXPECT_EQ(editor.ReadMap("copy.map"), expected);

    // Reloading the copy gives the same cells; the cursor off the map is cleared.
    const std::string before = Snapshot(game);
    editor.Press(SDL_SCANCODE_ESCAPE);
    editor.NewMap("64", "64");
    editor.MoveTo(40, 40);
    editor.Open("copy");
    EXPECT_EQ(Snapshot(game), before);
    EXPECT_EQ(game.mMapHighScore, 150);
    EXPECT_EQ(game.mCursorX, -1);
    EXPECT_EQ(game.mCursorY, -1);
}

TEST(EditorFiles, LoadingToleratesWhatTheGameToleratesAndKeepsUnknownValues)
{
    // Blocks in any order, CR LF line ends, unknown keys, a block for a cell
    // outside the map, a later block for the same cell, a wall 13 and an
    // entity without palette entry; the values are kept as they are.
    const std::string text = "3 2\r\n\r\n13 0 1\r\n1 1 1\r\n\r\n0 3 0\r\n0 0 0\r\n\r\n"
                             "X 1\r\nY 1\r\nType Orb\r\nAngle 0\r\n\r\n"
                             "Comment whatever\r\n"
                             "Type Ghost\r\nAngle 45 degrees\r\nX 2\r\nY 0\r\n"
                             "Type Enemy\r\nAngle 0\r\nX 9\r\nY 0\r\n"
                             "X 0\r\n\r\n"
                             "Type Health\r\nAngle 0\r\nX 1\r\nY 1\r\n";
    EditorHarness editor(EditorHarness::Files{{"data/maps/odd.map", text}});
    Game& game = editor.game();
    editor.Open("odd");
    ASSERT_EQ(editor.State(), 0);
    EXPECT_EQ(game.mMapWidth, 3);
    EXPECT_EQ(game.mMapHeight, 2);
    EXPECT_EQ(game.mWallTiles[0]->mValue, 13);
    EXPECT_EQ(editor.WallName(0, 0), "Unknown Tile");
    EXPECT_EQ(ColorOf(game, game.mWallTiles[0]->mColor), (Rgb{255, 0, 255}));
    EXPECT_EQ(ColorOf(game, game.mFloorTiles[1]->mColor), (Rgb{255, 0, 255}));
    EXPECT_EQ(editor.EntityName(2, 0), "Ghost");
    EXPECT_EQ(game.mEntityGrid[2]->mAngle, 45.0);
    EXPECT_EQ(ColorOf(game, game.mEntityGrid[2]->mColor), (Rgb{255, 0, 255}));
    // The enemy at column 9 was never complete; its type went to (0, 0).
    EXPECT_EQ(editor.EntityName(0, 0), "Enemy");
    EXPECT_EQ(editor.EntityName(1, 1), "Health");
    EXPECT_EQ(game.mMapHighScore, 100);

    editor.SaveAs("odd2");
    EXPECT_EQ(editor.ReadMap("odd2.map"), "3\n2\n\n13 0 1\n1 1 1\n\n0 3 0\n0 0 0\n\n"
                                          "Type Enemy\nAngle 0\nX 0\nY 0\n\n"
                                          "Type Ghost\nAngle 45\nX 2\nY 0\n\n"
                                          "Type Health\nAngle 0\nX 1\nY 1");

    // A truncated tile block: the missing numbers are 0 and no entity is read.
    editor.test().dir().WriteFile("data/maps/short.map",
                                  "2\n2\n\n4 x 4\n\nType Orb\nAngle 0\nX 0\nY 0");
    editor.Press(SDL_SCANCODE_ESCAPE);
    editor.Open("short");
    ASSERT_EQ(editor.State(), 0);
    EXPECT_EQ(game.mWallTiles[0]->mValue, 4);
    EXPECT_EQ(game.mWallTiles[1]->mValue, 0);
    EXPECT_EQ(game.mWallTiles[2]->mValue, 0);
    EXPECT_EQ(editor.EntityName(0, 0), "Nothing");
}

TEST(EditorFiles, FilesTheEditorCannotUseFailAndKeepTheMap)
{
    const std::vector<std::pair<std::string, std::string>> bad = {
        {"empty", ""},
        {"zero", "0\n5\n\n"},
        {"wide", "65\n1\n\n" + std::string(130, '0') + "\n\n"},
        {"negative", "-3\n2\n\n"},
        {"huge", "99999999999\n2\n\n"},
        {"words", "four\nthree\n"},
        {"angle", "1\n1\n\n0\n\n0\n\nType Player\nAngle north\nX 0\nY 0"},
        {"bigangle", "1\n1\n\n0\n\n0\n\nType Player\nAngle 99999999999\nX 0\nY 0"},
        {"column", "1\n1\n\n0\n\n0\n\nType Player\nAngle 0\nX left\nY 0"},
        {"row", "1\n1\n\n0\n\n0\n\nType Player\nAngle 0\nX 0\nY 99999999999"},
    };
    EditorHarness::Files files;
    for (const auto& [name, text] : bad)
    {
        files.emplace_back("data/maps/" + name + ".map", text);
    }
    EditorHarness editor(files);
    Game& game = editor.game();
    fs::create_directories(editor.test().dir().Path() / "data/maps/folder.map");
    editor.Paint(0, "Red Wall", 3, 3);
    editor.SwitchToLayer(1);
    const std::string before = Snapshot(game);

    std::vector<std::string> names = {"missing", "folder"};
    for (const auto& entry : bad)
    {
        names.push_back(entry.first);
    }
    for (const std::string& name : names)
    {
        editor.Open(name);
        EXPECT_EQ(editor.State(), -1) << name;
        EXPECT_EQ(game.mPromptTitle, "Open Map");
        EXPECT_EQ(game.mPromptMessage, "Error while trying to open map file: " + name + ".map");
        EXPECT_TRUE(game.mRunning);
        EXPECT_EQ(Snapshot(game), before) << name;
        EXPECT_EQ(game.mMapName, "untitled.map");
        EXPECT_EQ(game.mCurrentLayer, 1);
        editor.Press(SDL_SCANCODE_ESCAPE);
        EXPECT_EQ(editor.State(), 0);
    }
}

TEST(EditorFiles, ResizingKeepsTheTopLeftPart)
{
    EditorHarness editor;
    Game& game = editor.game();
    editor.Paint(0, "Yellow Wall", 9, 4);
    editor.Click(10, 4);
    editor.Paint(1, "Horizontal Door Frame", 0, 0);
    editor.Paint(2, "Orb", 9, 4);
    editor.Click(9, 5);
    editor.Paint(2, "Player", 20, 1);
    editor.Select("Enemy", 2);
    editor.Click(2, 2, SDL_BUTTON_RIGHT);
    EXPECT_EQ(game.mMapHighScore, 200);
    editor.MoveTo(30, 30);

    editor.Resize("10", "5");
    EXPECT_EQ(editor.State(), 0);
    EXPECT_FALSE(game.mResizing);
    EXPECT_EQ(game.mMapWidth, 10);
    EXPECT_EQ(game.mMapHeight, 5);
    ASSERT_EQ(game.mWallTiles.size(), 50u);
    ASSERT_EQ(game.mEntityTiles.size(), 50u);
    ASSERT_EQ(game.mEntityGrid.size(), 50u);
    EXPECT_EQ(editor.WallName(9, 4), "Yellow Wall");
    EXPECT_EQ(editor.FloorName(0, 0), "Horizontal Door Frame");
    EXPECT_EQ(editor.EntityName(9, 4), "Orb");
    EXPECT_EQ(editor.EntityName(2, 2), "Enemy");
    EXPECT_EQ(game.mMapHighScore, 150);
    EXPECT_EQ(game.mCursorX, -1);
    // The name, the layer and the selections stay.
    EXPECT_EQ(game.mMapName, "untitled.map");
    EXPECT_EQ(game.mCurrentLayer, 2);
    EXPECT_EQ(editor.SelectionName(1), "Player");
    EXPECT_EQ(editor.SelectionName(2), "Enemy");
    for (int i = 0; i < 50; ++i)
    {
        EXPECT_EQ(game.mWallTiles[i]->mX, i % 10);
        EXPECT_EQ(game.mWallTiles[i]->mY, i / 10);
        EXPECT_EQ(game.mEntityGrid[i]->mX, i % 10);
        EXPECT_EQ(game.mEntityGrid[i]->mY, i / 10);
    }
    // The player at column 20 is gone, so a new one can be placed.
    editor.Click(1, 1);
    EXPECT_EQ(editor.EntityName(1, 1), "Player");

    editor.MoveTo(4, 4);
    editor.Resize("12", "8");
    EXPECT_EQ(game.mMapWidth, 12);
    EXPECT_EQ(game.mMapHeight, 8);
    EXPECT_EQ(game.mCursorX, 4);
    EXPECT_EQ(editor.WallName(9, 4), "Yellow Wall");
    EXPECT_EQ(editor.EntityName(1, 1), "Player");
    EXPECT_EQ(editor.FloorName(11, 7), "Laminate");
    EXPECT_EQ(ColorOf(game, game.mFloorTiles[95]->mColor), (Rgb{105, 61, 23}));
    EXPECT_EQ(editor.WallName(10, 4), "Nothing");
    EXPECT_EQ(editor.EntityName(11, 7), "Nothing");
    EXPECT_EQ(game.mEntityTiles[0]->mValue, "Player");

    editor.SaveAs("resized");
    const std::string empty12 = "0 0 0 0 0 0 0 0 0 0 0 0";
    std::vector<std::string> walls(8, empty12);
    walls[4] = "0 0 0 0 0 0 0 0 0 4 0 0";
    std::vector<std::string> floors(8, empty12);
    floors[0] = "1 0 0 0 0 0 0 0 0 0 0 0";
    EXPECT_EQ(editor.ReadMap("resized.map"), ExpectedMapText(12, 8, walls, floors,
                                                             "Type Player\nAngle 0\nX 1\nY 1\n\n"
                                                             "Type Enemy\nAngle 0\nX 2\nY 2\n\n"
                                                             "Type Orb\nAngle 0\nX 9\nY 4"));
}

TEST(EditorFiles, AFailedSaveLeavesTheOldFileAndSaysSo)
{
    EditorHarness editor(EditorHarness::Files{{"data/maps/keep.map", "old text"}});
    Game& game = editor.game();
    const fs::path maps = editor.test().dir().Path() / "data/maps";

    // A folder that does not exist.
    editor.SaveAs("nowhere/level");
    EXPECT_EQ(editor.State(), -2);
    EXPECT_EQ(game.mPromptTitle, "Save Map");
    EXPECT_EQ(game.mPromptMessage, "Error while trying to save map file: nowhere/level.map");
    EXPECT_EQ(game.mMapName, "untitled.map");
    editor.Press(SDL_SCANCODE_ESCAPE);

    // A target that cannot be replaced.
    fs::create_directories(maps / "folder.map");
    editor.SaveAs("folder");
    EXPECT_EQ(editor.State(), -2);
    EXPECT_TRUE(fs::is_directory(maps / "folder.map"));
    EXPECT_EQ(editor.ReadMap("keep.map"), "old text");
}

// The copy kept when the program was ended with the map unsaved opens by its
// own name, and goes back to its map's file when saved.
TEST(EditorFiles, AKeptCopyOpensByItsNameAndSavesToItsMap)
{
    EditorHarness editor(EditorHarness::Files{{"data/maps/level.map", "1\n1\n\n0\n\n0\n\n"},
                                              {"data/maps/level.map.recovered", LEVEL}});
    editor.Open("level.map.recovered");
    EXPECT_EQ(editor.State(), 0);
    EXPECT_EQ(editor.game().mMapName, "level.map");
    editor.Press(SDL_SCANCODE_S);
    EXPECT_EQ(editor.game().mInputText, "level");
    editor.Press(SDL_SCANCODE_RETURN);
    EXPECT_EQ(editor.ReadMap("level.map"), LEVEL);
}

// Installed, the player's maps come first: the editor opens the player's map
// of a name before the game's, saves only among the player's maps (making
// their folder when first needed, and saying so when it cannot), and a
// player's map list replaces the game's.
TEST(EditorFiles, InstalledThePlayersMapsComeFirstAndTakeEverySave)
{
    EditorHarness editor;
    Game& game = editor.game();
    const ScratchDir& scratch = editor.test().dir();
    const std::string installed = (scratch.Path() / "data").string();
    const std::string own = (scratch.Path() / "xdg/maps").string();
    const std::string installedMap = scratch.ReadFile("data/maps/map01.map");
    game.mPaths = GamePaths(installed, (scratch.Path() / "xdg").string(), own);

    editor.Open("map01");
    EXPECT_EQ(game.mMapWidth, std::stoi(installedMap));
    editor.SaveAs("map01");
    EXPECT_EQ(scratch.ReadFile("xdg/maps/map01.map"), game.EditorMapText());
    EXPECT_EQ(scratch.ReadFile("data/maps/map01.map"), installedMap);
    scratch.WriteFile("xdg/maps/map01.map", LEVEL);
    editor.Press(SDL_SCANCODE_ESCAPE);
    editor.Open("map01");
    EXPECT_EQ(game.EditorMapText(), LEVEL);

    game.mPaths = GamePaths(installed, own, own + "/map01.map/below");
    editor.SaveAs("mine");
    EXPECT_EQ(game.mPromptMessage, "Error while trying to save map file: mine.map");

    scratch.WriteFile("xdg/maps/map.cfg", "map01.map\n");
    TestGame::Options options;
    options.init = false;
    TestGame player(options);
    player.game().mPaths = GamePaths(installed, own, own);
    player.Init();
    player.TapKey(SDL_SCANCODE_RETURN);
    EXPECT_EQ(player.game().mMapList.size(), 1u);
    EXPECT_EQ(player.game().mMap->mWidth, 4);
}
