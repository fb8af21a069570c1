#include "editor_harness.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace
{
// A 4 x 3 map with a player facing 180 degrees, an orb, an enemy and a scroll.
const std::string LEVEL = "4\n3\n\n1 1 1 1\n1 0 7 1\n1 1 11 1\n\n0 0 0 0\n0 0 2 0\n0 0 0 0\n\n"
                          "Type Player\nAngle 180\nX 1\nY 1\n\nType Enemy\nAngle 0\nX 2\nY 1\n\n"
                          "Type Orb\nAngle 0\nX 3\nY 2\n\nType Scroll\nAngle 0\nX 0\nY 0";

// A map row of `width` zeros.
std::string Zeros(int width)
{
    std::string row = "0";
    for (int x = 1; x < width; ++x)
    {
        row += " 0";
    }
    return row;
}

// `count` lines of `row`.
std::string Lines(const std::string& row, int count)
{
    std::string lines;
    for (int i = 0; i < count; ++i)
    {
        lines += row + "\n";
    }
    return lines;
}
} // namespace

TEST(EditorFiles, NewMapsAreWrittenByteForByte)
{
    EditorHarness editor;
    Game& game = editor.game();
    // The untouched start map, without entity lines.
    editor.Press(SDL_SCANCODE_S);
    EXPECT_EQ(game.mInputText, "untitled");
    editor.Press(SDL_SCANCODE_RETURN);
    const std::string zeros = Lines(Zeros(64), 64);
    EXPECT_EQ(editor.ReadMap("untitled.map"), "64\n64\n\n" + zeros + "\n" + zeros + "\n");
    editor.Press(SDL_SCANCODE_ESCAPE);

    editor.NewMap("2", "1");
    editor.Click(0, 0); // Blue Wall
    editor.Paint(2, "Player", 1, 0);
    editor.Press(SDL_SCANCODE_A);
    editor.SaveAs("example");
    EXPECT_EQ(editor.ReadMap("example.map"),
              "2\n1\n\n1 0\n\n0 0\n\nType Player\nAngle 90\nX 1\nY 0");
    EXPECT_EQ(game.mMapName, "example.map");
    editor.Press(SDL_SCANCODE_RETURN);
    EXPECT_EQ(editor.State(), 0);

    editor.Paint(2, "Orb", 0, 0);
    editor.NewMap("1", "1");
    EXPECT_EQ(game.mMapName, "untitled.map");
    EXPECT_EQ(game.mMapHighScore, 0);
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
    const std::string tiles = "6\n2\n\n" + Lines(Zeros(6), 2) + "\n" + Lines(Zeros(6), 2) + "\n";
    EXPECT_EQ(editor.ReadMap("order.map"), tiles + "Type Player\nAngle 270\nX 2\nY 0\n\n"
                                                   "Type Ammo\nAngle 0\nX 3\nY 1\n\n"
                                                   "Type Enemy\nAngle 0\nX 4\nY 0\n\n"
                                                   "Type Orb\nAngle 0\nX 0\nY 1\n\n"
                                                   "Type Orb\nAngle 0\nX 5\nY 1");
    // Painting over a cell and clearing one keep the order.
    editor.Press(SDL_SCANCODE_RETURN);
    editor.Paint(2, "Scroll", 2, 0);
    editor.MoveTo(4, 0);
    editor.Press(SDL_SCANCODE_H);
    editor.Paint(2, "Blue Key", 5, 1);
    EXPECT_EQ(editor.game().EditorMapText(),
              tiles + "Type Ammo\nAngle 0\nX 3\nY 1\n\nType BlueKey\nAngle 0\nX 5\nY 1\n\n"
                      "Type Orb\nAngle 0\nX 0\nY 1\n\nType Scroll\nAngle 0\nX 2\nY 0");
}

// A map loads and saves back unchanged. The copy kept when the program was
// ended with the map unsaved opens by its own name and goes back to its map's
// file; the save prompt offers a name without its one extension.
TEST(EditorFiles, AMapLoadsAndSavesBackUnchanged)
{
    EditorHarness editor(EditorHarness::Files{{"data/maps/level.map", "1\n1\n\n0\n\n0\n\n"},
                                              {"data/maps/my.map.map", "1\n1\n\n0\n\n0\n\n"},
                                              {"data/maps/level.map.recovered", LEVEL}});
    Game& game = editor.game();
    // Loading resets the layer and the selections as at start.
    editor.SwitchToLayer(2);
    editor.Select("Enemy");
    editor.MoveTo(2, 2);
    editor.Open("level.map.recovered");
    EXPECT_EQ(editor.State(), 0);
    EXPECT_EQ(game.mMapName, "level.map");
    EXPECT_EQ(game.mCurrentLayer, 0);
    EXPECT_EQ(editor.SelectionName(1), "Blue Wall");
    EXPECT_EQ(editor.SelectionName(2), "Nothing");
    EXPECT_EQ(game.mEntitySelectionIndex[0], 0);
    EXPECT_EQ(game.mCursorX, 2); // still inside the smaller map
    EXPECT_EQ(game.mMapHighScore, 150);
    editor.Press(SDL_SCANCODE_S);
    EXPECT_EQ(game.mInputText, "level");
    editor.Press(SDL_SCANCODE_RETURN);
    EXPECT_EQ(editor.ReadMap("level.map"), LEVEL);

    // Reloading gives the same map; the cursor off the map is cleared.
    editor.Press(SDL_SCANCODE_ESCAPE);
    editor.NewMap("64", "64");
    editor.MoveTo(40, 40);
    editor.Open("level");
    EXPECT_EQ(game.EditorMapText(), LEVEL);
    EXPECT_EQ(game.mCursorX, -1);
    EXPECT_EQ(game.mCursorY, -1);
    editor.Open("my.map");
    editor.Press(SDL_SCANCODE_S);
    EXPECT_EQ(game.mInputText, "my.map");
}

TEST(EditorFiles, LoadingToleratesWhatTheGameToleratesAndKeepsUnknownValues)
{
    // Blocks in any order, CR LF line ends, unknown keys, a later block for the
    // same cell, a wall 13, a floor 3 and an entity without palette entry: the
    // values are kept as they are.
    const std::string text = "3 2\r\n\r\n13 0 1\r\n1 1 1\r\n\r\n0 3 0\r\n0 0 0\r\n\r\n"
                             "X 1\r\nY 1\r\nType Orb\r\nAngle 0\r\n\r\nComment whatever\r\n"
                             "Type Ghost\r\nAngle 45 degrees\r\nX 2\r\nY 0\r\n"
                             "Type Enemy\r\nAngle 0\r\nX 9\r\nY 0\r\nX 0\r\n\r\n"
                             "Type Health\r\nAngle 0\r\nX 1\r\nY 1\r\n";
    EditorHarness editor(EditorHarness::Files{{"data/maps/odd.map", text}});
    editor.Open("odd");
    editor.SaveAs("odd2");
    // The enemy at column 9 was never complete; its type went to (0, 0).
    EXPECT_EQ(editor.ReadMap("odd2.map"), "3\n2\n\n13 0 1\n1 1 1\n\n0 3 0\n0 0 0\n\n"
                                          "Type Enemy\nAngle 0\nX 0\nY 0\n\n"
                                          "Type Ghost\nAngle 45\nX 2\nY 0\n\n"
                                          "Type Health\nAngle 0\nX 1\nY 1");
}

TEST(EditorFiles, FilesTheEditorCannotUseFailAndKeepTheMap)
{
    const std::vector<std::pair<std::string, std::string>> bad = {
        {"empty", ""},
        {"zero", "0\n5\n\n"},
        {"wide", "65\n1\n\n" + std::string(130, '0') + "\n\n"},
        {"negative", "-3\n2\n\n"},
        {"huge", "99999999999\n2\n\n"},
        {"angle", "1\n1\n\n0\n\n0\n\nType Player\nAngle north\nX 0\nY 0"},
        {"row", "1\n1\n\n0\n\n0\n\nType Player\nAngle 0\nX 0\nY 99999999999"},
    };
    EditorHarness::Files files;
    std::vector<std::string> names = {"missing", "folder"};
    for (const auto& [name, text] : bad)
    {
        files.emplace_back("data/maps/" + name + ".map", text);
        names.push_back(name);
    }
    EditorHarness editor(files);
    Game& game = editor.game();
    fs::create_directories(editor.test().dir().Path() / "data/maps/folder.map");
    editor.Paint(0, "Red Wall", 3, 3);
    editor.SwitchToLayer(1);
    const std::string before = game.EditorMapText();
    for (const std::string& name : names)
    {
        editor.Open(name);
        EXPECT_EQ(editor.State(), -1) << name;
        EXPECT_EQ(game.mPromptTitle, "Open Map");
        EXPECT_EQ(game.mPromptMessage, "Error while trying to open map file: " + name + ".map");
        EXPECT_EQ(game.EditorMapText(), before) << name;
        EXPECT_EQ(game.mMapName, "untitled.map");
        EXPECT_EQ(game.mCurrentLayer, 1);
        editor.Press(SDL_SCANCODE_ESCAPE);
    }
    // Nor is a folder replaced by a save.
    editor.SaveAs("folder");
    EXPECT_EQ(game.mPromptMessage, "Error while trying to save map file: folder.map");
    EXPECT_TRUE(fs::is_directory(editor.test().dir().Path() / "data/maps/folder.map"));
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
    const std::string entities = "Type Enemy\nAngle 0\nX 2\nY 2\n\nType Orb\nAngle 0\nX 9\nY 4";
    EXPECT_EQ(game.EditorMapText(), "10\n5\n\n" + Lines(Zeros(10), 4) + Zeros(9) + " 4\n\n1 " +
                                        Zeros(9) + "\n" + Lines(Zeros(10), 4) + "\n" + entities);
    EXPECT_EQ(game.mMapHighScore, 150);
    EXPECT_EQ(game.mCursorX, -1);
    // The name, the layer and the selections stay.
    EXPECT_EQ(game.mMapName, "untitled.map");
    EXPECT_EQ(editor.SelectionName(1), "Player");
    EXPECT_EQ(editor.SelectionName(2), "Enemy");
    // The player at column 20 is gone, so a new one can be placed.
    editor.Click(1, 1);

    editor.MoveTo(4, 4);
    editor.Resize("12", "8");
    EXPECT_EQ(game.mCursorX, 4);
    editor.SaveAs("resized");
    // Grown, the map is empty beyond the old edges.
    EXPECT_EQ(editor.ReadMap("resized.map"), "12\n8\n\n" + Lines(Zeros(12), 4) + Zeros(9) +
                                                 " 4 0 0\n" + Lines(Zeros(12), 3) + "\n1 " +
                                                 Zeros(11) + "\n" + Lines(Zeros(12), 7) +
                                                 "\nType Player\nAngle 0\nX 1\nY 1\n\n" + entities);
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
