#include "editor_harness.h"

#include <gtest/gtest.h>

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

const Rgb LAMINATE{105, 61, 23};
const Rgb BLACK{0, 0, 0};
} // namespace

TEST(EditorModel, StartsWithAnEmpty64By64MapAndTheStartSelections)
{
    EditorHarness editor;
    Game& game = editor.game();
    EXPECT_EQ(game.GetGameState(), GameState::Editor);
    EXPECT_EQ(game.mMapWidth, 64);
    EXPECT_EQ(game.mMapHeight, 64);
    ASSERT_EQ(game.mWallTiles.size(), 4096u);
    ASSERT_EQ(game.mFloorTiles.size(), 4096u);
    ASSERT_EQ(game.mEntityTiles.size(), 4096u);
    ASSERT_EQ(game.mEntityGrid.size(), 4096u);
    for (int i = 0; i < 4096; ++i)
    {
        const int x = i % 64;
        const int y = i / 64;
        EXPECT_EQ(game.mWallTiles[i]->mValue, 0);
        EXPECT_EQ(game.mWallTiles[i]->mX, x);
        EXPECT_EQ(game.mWallTiles[i]->mY, y);
        EXPECT_EQ(ColorOf(game, game.mWallTiles[i]->mColor), BLACK);
        EXPECT_EQ(game.mFloorTiles[i]->mValue, 0);
        EXPECT_EQ(ColorOf(game, game.mFloorTiles[i]->mColor), LAMINATE);
        EXPECT_EQ(game.mEntityGrid[i]->mValue, "Nothing");
        EXPECT_EQ(game.mEntityGrid[i]->mX, x);
        EXPECT_EQ(game.mEntityGrid[i]->mY, y);
        EXPECT_EQ(ColorOf(game, game.mEntityGrid[i]->mColor), BLACK);
    }
    EXPECT_EQ(game.mMapHighScore, 0);
    EXPECT_EQ(game.mMapName, "untitled.map");
    EXPECT_EQ(game.mCurrentLayer, 0);
    EXPECT_EQ(game.mCursorX, -1);
    EXPECT_EQ(game.mCursorY, -1);
    EXPECT_EQ(game.mEditorAction, EditorActionState::None);
    EXPECT_NE(game.mImageManager->GetImage("directions"), nullptr);

    EXPECT_EQ(editor.SelectionName(1), "Blue Wall");
    EXPECT_EQ(editor.SelectionName(2), "Nothing");
    editor.Press(SDL_SCANCODE_C);
    EXPECT_EQ(editor.SelectionName(1), "Horizontal Door Frame");
    EXPECT_EQ(editor.SelectionName(2), "Laminate");
    editor.Press(SDL_SCANCODE_C);
    EXPECT_EQ(editor.SelectionName(1), "Ammo");
    EXPECT_EQ(editor.SelectionName(2), "Nothing");
    editor.Press(SDL_SCANCODE_C);
    EXPECT_EQ(game.mCurrentLayer, 0);
}

TEST(EditorModel, PalettesHoldTheirEntriesInOrderWithTheirColours)
{
    EditorHarness editor;
    Game& game = editor.game();
    const std::vector<std::pair<int, Rgb>> walls = {
        {0, {0, 0, 0}},      {1, {0, 0, 128}},   {2, {0, 128, 60}},   {3, {128, 0, 8}},
        {4, {255, 216, 0}},  {5, {0, 128, 120}}, {6, {172, 86, 0}},   {7, {128, 128, 128}},
        {8, {0, 128, 255}},  {9, {255, 106, 0}}, {10, {128, 128, 0}}, {11, {196, 0, 0}},
        {12, {196, 64, 64}}, {14, {0, 148, 255}}};
    ASSERT_EQ(game.mWallPalette.size(), walls.size());
    for (std::size_t i = 0; i < walls.size(); ++i)
    {
        EXPECT_EQ(game.mWallPalette[i]->mValue, walls[i].first);
        EXPECT_EQ(ColorOf(game, game.mWallPalette[i]->mColor), walls[i].second) << i;
    }
    const std::vector<Rgb> floors = {{105, 61, 23}, {64, 64, 64}, {160, 160, 160}};
    ASSERT_EQ(game.mFloorPalette.size(), floors.size());
    for (std::size_t i = 0; i < floors.size(); ++i)
    {
        EXPECT_EQ(game.mFloorPalette[i]->mValue, static_cast<int>(i));
        EXPECT_EQ(ColorOf(game, game.mFloorPalette[i]->mColor), floors[i]);
    }
    const std::vector<std::pair<std::string, Rgb>> entities = {
        {"Nothing", {0, 0, 0}},       {"Ammo", {0, 162, 232}},      {"Health", {255, 0, 0}},
        {"Orb", {255, 216, 0}},       {"Scroll", {255, 255, 255}},  {"BlueKey", {0, 0, 128}},
        {"OrangeKey", {255, 106, 0}}, {"BronzeKey", {128, 128, 0}}, {"Player", {0, 196, 0}},
        {"Enemy", {128, 0, 0}}};
    ASSERT_EQ(game.mEntityPalette.size(), entities.size());
    for (std::size_t i = 0; i < entities.size(); ++i)
    {
        EXPECT_EQ(game.mEntityPalette[i]->mValue, entities[i].first);
        EXPECT_EQ(ColorOf(game, game.mEntityPalette[i]->mColor), entities[i].second);
    }
}

TEST(EditorModel, DisplayNamesOfValuesWithAndWithoutPaletteEntries)
{
    EditorHarness editor;
    Game& game = editor.game();
    const std::vector<std::string> wallNames = {"Nothing",
                                                "Blue Wall",
                                                "Green Wall",
                                                "Red Wall",
                                                "Yellow Wall",
                                                "Empty Bookshelf",
                                                "Bookshelf",
                                                "Standard Door",
                                                "Locked Door - Blue Key",
                                                "Locked Door - Orange Key",
                                                "Locked Door - Bronze Key",
                                                "Exit Door",
                                                "Fake Exit Door",
                                                "Unknown Tile",
                                                "Fireplace - Blue Wall"};
    for (int value = 0; value <= 14; ++value)
    {
        EXPECT_EQ(game.TileValueDescription(value, 0), wallNames[value]);
    }
    EXPECT_EQ(game.TileValueDescription(-1, 0), "Unknown Tile");
    EXPECT_EQ(game.TileValueDescription(0, 1), "Laminate");
    EXPECT_EQ(game.TileValueDescription(1, 1), "Horizontal Door Frame");
    EXPECT_EQ(game.TileValueDescription(2, 1), "Vertical Door Frame");
    EXPECT_EQ(game.TileValueDescription(3, 1), "Unknown Tile");
    EXPECT_EQ(game.TileValueDescription(1, 2), "Unknown Layer");
    EXPECT_EQ(game.TileValueDescription(std::string("BlueKey"), 2), "Blue Key");
    EXPECT_EQ(game.TileValueDescription(std::string("OrangeKey"), 2), "Orange Key");
    EXPECT_EQ(game.TileValueDescription(std::string("BronzeKey"), 2), "Bronze Key");
    EXPECT_EQ(game.TileValueDescription(std::string("Enemy"), 2), "Enemy");
    EXPECT_EQ(game.TileValueDescription(std::string("Key"), 2), "Unknown Entity");
    EXPECT_EQ(game.TileValueDescription(std::string("player"), 2), "Unknown Entity");
    EXPECT_EQ(game.TileValueDescription(std::string("Player"), 0), "Unknown Layer");
}

TEST(EditorModel, SelectionKeysStepThroughThePaletteFromTheIndexNotTheShownEntry)
{
    EditorHarness editor;
    // Both indexes start at 0 while #1 shows entry 1: the first Insert stays put.
    editor.Press(SDL_SCANCODE_INSERT);
    EXPECT_EQ(editor.SelectionName(1), "Blue Wall");
    editor.Press(SDL_SCANCODE_INSERT);
    EXPECT_EQ(editor.SelectionName(1), "Green Wall");
    editor.Press(SDL_SCANCODE_DELETE);
    editor.Press(SDL_SCANCODE_DELETE);
    EXPECT_EQ(editor.SelectionName(1), "Nothing");
    editor.Press(SDL_SCANCODE_DELETE);
    EXPECT_EQ(editor.SelectionName(1), "Fireplace - Blue Wall");
    editor.Press(SDL_SCANCODE_INSERT);
    EXPECT_EQ(editor.SelectionName(1), "Nothing");

    // Selection #2: Home steps forward, End back, wrapping.
    editor.Press(SDL_SCANCODE_END);
    EXPECT_EQ(editor.SelectionName(2), "Fireplace - Blue Wall");
    editor.Press(SDL_SCANCODE_HOME);
    editor.Press(SDL_SCANCODE_HOME);
    EXPECT_EQ(editor.SelectionName(2), "Blue Wall");

    // Every layer keeps its own pair; Delete at start picks the last entry.
    editor.SwitchToLayer(1);
    editor.Press(SDL_SCANCODE_DELETE);
    EXPECT_EQ(editor.SelectionName(1), "Vertical Door Frame");
    editor.SwitchToLayer(2);
    editor.Press(SDL_SCANCODE_DELETE);
    EXPECT_EQ(editor.SelectionName(1), "Enemy");
    editor.Press(SDL_SCANCODE_END);
    EXPECT_EQ(editor.SelectionName(2), "Enemy");
    editor.SwitchToLayer(0);
    EXPECT_EQ(editor.SelectionName(1), "Nothing");
    EXPECT_EQ(editor.SelectionName(2), "Blue Wall");
}

TEST(EditorModel, MousePaintsWithBothSelectionsAndDragging)
{
    EditorHarness editor;
    Game& game = editor.game();
    editor.Select("Red Wall", 1);
    editor.Select("Bookshelf", 2);

    editor.Click(3, 4, SDL_BUTTON_LEFT);
    EXPECT_EQ(editor.WallName(3, 4), "Red Wall");
    EXPECT_EQ(ColorOf(game, game.mWallTiles[4 * 64 + 3]->mColor), (Rgb{128, 0, 8}));
    EXPECT_EQ(game.mCursorX, 3);
    EXPECT_EQ(game.mCursorY, 4);
    editor.Click(5, 4, SDL_BUTTON_RIGHT);
    EXPECT_EQ(editor.WallName(5, 4), "Bookshelf");
    editor.Click(6, 4, SDL_BUTTON_MIDDLE);
    EXPECT_EQ(editor.WallName(6, 4), "Nothing");
    EXPECT_EQ(game.mCursorX, 6);

    // Dragging paints every cell on the way, also between motion events far
    // apart; moving alone does not.
    editor.MoveTo(10, 10, SDL_BUTTON_LMASK);
    editor.MoveTo(11, 10, SDL_BUTTON_LMASK);
    editor.MoveTo(14, 10);
    editor.MoveTo(10, 12, SDL_BUTTON_RMASK);
    editor.MoveTo(13, 10, SDL_BUTTON_RMASK);
    editor.MoveTo(14, 10);
    EXPECT_EQ(editor.WallName(10, 10), "Red Wall");
    EXPECT_EQ(editor.WallName(11, 10), "Red Wall");
    EXPECT_EQ(editor.WallName(11, 11), "Bookshelf");
    EXPECT_EQ(editor.WallName(12, 11), "Bookshelf");
    EXPECT_EQ(editor.WallName(12, 10), "Nothing");
    EXPECT_EQ(editor.WallName(13, 10), "Bookshelf");
    EXPECT_EQ(editor.WallName(14, 10), "Nothing");
    EXPECT_EQ(game.mCursorX, 14);
    EXPECT_EQ(game.mCursorY, 10);

    // Floors are painted on their own layer; the walls stay.
    editor.SwitchToLayer(1);
    editor.Click(3, 4);
    EXPECT_EQ(editor.FloorName(3, 4), "Horizontal Door Frame");
    EXPECT_EQ(editor.WallName(3, 4), "Red Wall");

    // Outside the map, also left of the window while the mouse is captured,
    // there is no cell under the cursor and nothing is painted.
    editor.test().MouseMotion(600, 100, SDL_BUTTON_LMASK);
    editor.Frame();
    EXPECT_EQ(game.mCursorX, -1);
    EXPECT_EQ(game.mCursorY, -1);
    editor.MoveTo(70, 2);
    editor.test().MouseMotion(-3, 20, SDL_BUTTON_LMASK);
    editor.Frame();
    EXPECT_EQ(game.mCursorX, -1);
    EXPECT_EQ(editor.FloorName(0, 2), "Laminate");
    editor.test().MouseMotion(512, 20, SDL_BUTTON_LMASK);
    editor.Frame();
    EXPECT_EQ(game.mCursorX, -1);
}

TEST(EditorModel, OnlyOnePlayerCanBePlaced)
{
    EditorHarness editor;
    Game& game = editor.game();
    editor.Paint(2, "Player", 5, 5);
    EXPECT_EQ(editor.EntityName(5, 5), "Player");

    // A second player, even on the same cell, shows the message and changes nothing.
    for (const auto& cell : {std::pair{5, 5}, std::pair{7, 7}})
    {
        editor.Click(cell.first, cell.second);
        EXPECT_EQ(editor.State(), -4);
        EXPECT_EQ(game.mPromptTitle, "Error");
        EXPECT_EQ(game.mPromptMessage, "A player object already exists on the map! Please "
                                       "remove it before adding a new one.");
        EXPECT_EQ(editor.EntityName(7, 7), "Nothing");
        editor.Press(SDL_SCANCODE_Q); // not a command key: the message stays
        EXPECT_EQ(editor.State(), -4);
        editor.Press(SDL_SCANCODE_C); // a command key only dismisses it
        EXPECT_EQ(editor.State(), 0);
        EXPECT_EQ(game.mCurrentLayer, 2);
    }

    // Dragging with the player selected alternates between showing and
    // dismissing the message.
    editor.MoveTo(8, 8, SDL_BUTTON_LMASK);
    EXPECT_EQ(editor.State(), -4);
    editor.MoveTo(9, 8, SDL_BUTTON_LMASK);
    EXPECT_EQ(editor.State(), 0);
    editor.MoveTo(10, 8, SDL_BUTTON_LMASK);
    EXPECT_EQ(editor.State(), -4);
    editor.MoveTo(10, 8);
    EXPECT_EQ(editor.EntityName(9, 8), "Nothing");

    // Once the old player is gone a new one can be placed.
    editor.MoveTo(5, 5);
    editor.Press(SDL_SCANCODE_H);
    EXPECT_EQ(editor.EntityName(5, 5), "Nothing");
    editor.Click(7, 7);
    EXPECT_EQ(editor.EntityName(7, 7), "Player");
    // Painting another entity over the player removes it too.
    editor.Select("Orb", 2);
    editor.Click(7, 7, SDL_BUTTON_RIGHT);
    EXPECT_EQ(editor.EntityName(7, 7), "Orb");
    editor.Click(1, 1);
    EXPECT_EQ(editor.EntityName(1, 1), "Player");
}

TEST(EditorModel, TheAKeyTurnsOnlyThePlayer)
{
    EditorHarness editor;
    Game& game = editor.game();
    editor.Paint(2, "Player", 2, 3);
    EditorTile<std::string>* player = game.mEntityGrid[3 * 64 + 2];
    // The angle can be turned from any layer.
    editor.SwitchToLayer(0);
    for (const double expected : {90.0, 180.0, 270.0, 0.0, 90.0})
    {
        editor.Press(SDL_SCANCODE_A);
        EXPECT_EQ(player->mAngle, expected);
    }
    // Not on another cell, nor with the mouse off the map.
    editor.MoveTo(4, 4);
    editor.Press(SDL_SCANCODE_A);
    editor.test().MouseMotion(700, 10);
    editor.Frame();
    editor.Press(SDL_SCANCODE_A);
    EXPECT_EQ(player->mAngle, 90.0);
    // Painting the cell again starts from 0.
    editor.SwitchToLayer(2);
    editor.MoveTo(2, 3);
    editor.Press(SDL_SCANCODE_H);
    editor.Click(2, 3);
    EXPECT_EQ(game.mEntityGrid[3 * 64 + 2]->mAngle, 0.0);
}

TEST(EditorModel, ClearingCellsAndLayersAndTheHighScore)
{
    EditorHarness editor;
    Game& game = editor.game();
    editor.Paint(0, "Green Wall", 1, 1);
    editor.Click(2, 1);
    editor.Paint(1, "Vertical Door Frame", 1, 1);
    editor.Paint(2, "Orb", 1, 1);
    EXPECT_EQ(game.mMapHighScore, 50);
    editor.Click(2, 1);
    EXPECT_EQ(game.mMapHighScore, 100);
    editor.Select("Enemy");
    editor.Click(3, 1);
    EXPECT_EQ(game.mMapHighScore, 200);
    editor.Select("Health");
    editor.Click(4, 1);
    EXPECT_EQ(game.mMapHighScore, 200);
    // Painting over an orb takes its points away.
    editor.Click(2, 1);
    EXPECT_EQ(game.mMapHighScore, 150);

    // H clears the cell of the current layer only.
    editor.MoveTo(1, 1);
    editor.Press(SDL_SCANCODE_H);
    EXPECT_EQ(editor.EntityName(1, 1), "Nothing");
    EXPECT_EQ(game.mMapHighScore, 100);
    EXPECT_EQ(editor.WallName(1, 1), "Green Wall");
    editor.SwitchToLayer(1);
    editor.Press(SDL_SCANCODE_H);
    EXPECT_EQ(editor.FloorName(1, 1), "Laminate");
    EXPECT_EQ(ColorOf(game, game.mFloorTiles[65]->mColor), LAMINATE);
    editor.SwitchToLayer(0);
    editor.Press(SDL_SCANCODE_H);
    EXPECT_EQ(editor.WallName(1, 1), "Nothing");
    EXPECT_EQ(editor.WallName(2, 1), "Green Wall");

    // H and F8 do nothing while a prompt is open, H nothing off the map.
    editor.MoveTo(2, 1);
    editor.Press(SDL_SCANCODE_O);
    editor.Press(SDL_SCANCODE_H);
    editor.Press(SDL_SCANCODE_F8);
    editor.Press(SDL_SCANCODE_ESCAPE);
    EXPECT_EQ(editor.WallName(2, 1), "Green Wall");
    editor.test().MouseMotion(700, 10);
    editor.Frame();
    editor.Press(SDL_SCANCODE_H);
    EXPECT_EQ(editor.WallName(2, 1), "Green Wall");

    // F8 clears the current layer.
    editor.Press(SDL_SCANCODE_F8);
    EXPECT_EQ(editor.WallName(2, 1), "Nothing");
    EXPECT_EQ(editor.EntityName(3, 1), "Enemy");
    editor.SwitchToLayer(2);
    editor.Press(SDL_SCANCODE_F8);
    EXPECT_EQ(editor.EntityName(3, 1), "Nothing");
    EXPECT_EQ(game.mMapHighScore, 0);
}

TEST(EditorModel, EntitiesAreOrderedPlayerFirstThenByNameThenByPosition)
{
    EditorHarness editor;
    Game& game = editor.game();
    editor.Paint(2, "Orb", 9, 0);
    editor.Paint(2, "Enemy", 3, 2);
    editor.Paint(2, "Orb", 1, 0);
    editor.Paint(2, "Player", 30, 30);
    editor.Paint(2, "Ammo", 4, 4);
    std::vector<std::string> names;
    for (const auto& cell : game.mEntityTiles)
    {
        if (cell->mValue != "Nothing")
        {
            names.push_back(cell->mValue + "@" + std::to_string(cell->mX));
        }
    }
    EXPECT_EQ(names,
              (std::vector<std::string>{"Player@30", "Ammo@4", "Enemy@3", "Orb@1", "Orb@9"}));
    // The grid still finds every cell at its own position.
    for (int i = 0; i < 4096; ++i)
    {
        EXPECT_EQ(game.mEntityGrid[i]->mX, i % 64);
        EXPECT_EQ(game.mEntityGrid[i]->mY, i / 64);
    }

    // Painting over a cell and clearing one keep the whole layer in order.
    editor.Select("Scroll");
    editor.Click(30, 30);
    editor.MoveTo(3, 2);
    editor.Press(SDL_SCANCODE_H);
    editor.Select("Blue Key");
    editor.Click(9, 0);
    names.clear();
    int previousEmpty = -1;
    for (const auto& cell : game.mEntityTiles)
    {
        if (cell->mValue != "Nothing")
        {
            names.push_back(cell->mValue + "@" + std::to_string(cell->mX));
            continue;
        }
        const int position = cell->mY * 64 + cell->mX;
        EXPECT_GT(position, previousEmpty);
        previousEmpty = position;
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Ammo@4", "BlueKey@9", "Orb@1", "Scroll@30"}));
    EXPECT_EQ(game.mMapHighScore, 50);
}

TEST(EditorModel, StartFailsWithoutTheDirectionsImage)
{
    TestGame::Options options;
    options.arguments = {"--editor"};
    options.missingData = {"gfx/directions.png"};
    options.init = false;
    TestGame test(options);
    try
    {
        test.Init();
        FAIL() << "the editor started without its arrows";
    }
    catch (const std::runtime_error& error)
    {
        EXPECT_EQ(std::string(error.what()).rfind("Couldn't initialize image: ", 0), 0u)
            << error.what();
    }
}
