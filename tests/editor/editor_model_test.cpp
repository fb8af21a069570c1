#include "editor_harness.h"

#include "world/map_names.h"

#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <tuple>

namespace
{
// The values a palette offers, each with its own colour and a name.
template <typename T>
auto OfferedValues(Game& game, const T& palette, int layer, const std::string& unknown)
{
    std::set<decltype(palette[0]->mValue)> values;
    std::set<std::uint32_t> colours;
    for (const auto& entry : palette)
    {
        values.insert(entry->mValue);
        colours.insert(entry->mColor);
        EXPECT_NE(game.TileValueDescription(entry->mValue, layer), unknown);
    }
    EXPECT_EQ(colours.size(), palette.size());
    EXPECT_EQ(values.size(), palette.size());
    return values;
}
} // namespace

TEST(EditorModel, ThePalettesOfferEveryValueTheMapFileKnows)
{
    EditorHarness editor;
    Game& game = editor.game();
    // Walls 0 to 14 but 13, the door frame's texture, which has no name.
    EXPECT_EQ(OfferedValues(game, game.mWallPalette, 0, "Unknown Tile"),
              (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14}));
    EXPECT_EQ(game.TileValueDescription(13, 0), "Unknown Tile");
    EXPECT_EQ(OfferedValues(game, game.mFloorPalette, 1, "Unknown Tile"), (std::set<int>{0, 1, 2}));
    // Nothing first, then every entity a map places, by the names its file uses.
    std::set<std::string> placed(std::begin(EntityNames::BY_TYPE), std::end(EntityNames::BY_TYPE));
    placed.erase(EntityNames::PLAYER_PROJECTILE);
    placed.erase(EntityNames::ENEMY_PROJECTILE);
    placed.insert(EntityNames::NOTHING);
    EXPECT_EQ(OfferedValues(game, game.mEntityPalette, 2, "Unknown Entity"), placed);
    EXPECT_EQ(game.mEntityPalette[0]->mValue, EntityNames::NOTHING);
    EXPECT_EQ(game.TileValueDescription(std::string("player"), 2), "Unknown Entity");
}

TEST(EditorModel, SelectionKeysStepThroughThePaletteOfEachLayer)
{
    EditorHarness editor;
    // Both indexes start at 0 while #1 shows entry 1: the first Insert stays
    // put. Every layer keeps its own pair.
    const struct
    {
        SDL_Scancode key;
        int selection;
        const char* shown;
    } steps[] = {{SDL_SCANCODE_INSERT, 1, "Blue Wall"},
                 {SDL_SCANCODE_DELETE, 1, "Nothing"},
                 {SDL_SCANCODE_DELETE, 1, "Fireplace - Blue Wall"},
                 {SDL_SCANCODE_INSERT, 1, "Nothing"},
                 {SDL_SCANCODE_END, 2, "Fireplace - Blue Wall"},
                 {SDL_SCANCODE_HOME, 2, "Nothing"},
                 {SDL_SCANCODE_C, 1, "Horizontal Door Frame"},
                 {SDL_SCANCODE_DELETE, 1, "Vertical Door Frame"},
                 {SDL_SCANCODE_C, 1, "Ammo"},
                 {SDL_SCANCODE_C, 1, "Nothing"}};
    for (const auto& step : steps)
    {
        editor.Press(step.key);
        EXPECT_EQ(editor.SelectionName(step.selection), step.shown) << step.shown;
    }
}

TEST(EditorModel, MousePaintsWithBothSelectionsAndDragging)
{
    EditorHarness editor;
    Game& game = editor.game();
    editor.Select("Red Wall", 1);
    editor.Select("Bookshelf", 2);
    editor.Click(3, 4, SDL_BUTTON_LEFT);
    editor.Click(5, 4, SDL_BUTTON_RIGHT);
    editor.Click(3, 4, SDL_BUTTON_MIDDLE);
    EXPECT_EQ(game.mCursorX, 3);
    // Dragging with #2 paints every cell on the way; moving alone does not.
    editor.MoveTo(10, 12, SDL_BUTTON_RMASK);
    editor.MoveTo(13, 10, SDL_BUTTON_RMASK);
    editor.MoveTo(14, 10);
    for (const auto& [x, y, wall] : {std::tuple{3, 4, "Red Wall"},
                                     {5, 4, "Bookshelf"},
                                     {11, 11, "Bookshelf"},
                                     {12, 10, "Nothing"},
                                     {13, 10, "Bookshelf"},
                                     {14, 10, "Nothing"}})
    {
        EXPECT_EQ(editor.WallName(x, y), wall) << x << "," << y;
    }
    // Floors are painted on their own layer; the walls stay.
    editor.Paint(1, "Vertical Door Frame", 3, 4);
    EXPECT_EQ(editor.FloorName(3, 4), "Vertical Door Frame");
    EXPECT_EQ(editor.WallName(3, 4), "Red Wall");
    // Outside the map, also left of the window while the mouse is captured,
    // there is no cell under the cursor and nothing is painted.
    const std::string before = game.EditorMapText();
    for (const int x : {600, -3, 512})
    {
        editor.MoveTo(2, 2);
        editor.test().MouseMotion(x, 20, SDL_BUTTON_LMASK);
        editor.Frame();
        EXPECT_EQ(game.mCursorX, -1) << x;
    }
    EXPECT_EQ(game.EditorMapText(), before);
}

TEST(EditorModel, OnlyOnePlayerCanBePlaced)
{
    EditorHarness editor;
    Game& game = editor.game();
    editor.Paint(2, "Player", 5, 5);
    // A second player, even on the same cell, shows the message and changes nothing.
    for (const int cell : {5, 7})
    {
        editor.Click(cell, cell);
        EXPECT_EQ(editor.State(), -4);
        EXPECT_EQ(game.mPromptTitle, "Error");
        EXPECT_EQ(game.mPromptMessage, "A player object already exists on the map! Please "
                                       "remove it before adding a new one.");
        editor.Press(SDL_SCANCODE_Q); // not a command key: the message stays
        EXPECT_EQ(editor.State(), -4);
        editor.Press(SDL_SCANCODE_C); // a command key only dismisses it
        EXPECT_EQ(editor.State(), 0);
        EXPECT_EQ(game.mCurrentLayer, 2);
    }
    EXPECT_EQ(editor.EntityName(7, 7), "Nothing");
    // A turns the player from any layer, but not from another cell nor off the map.
    editor.SwitchToLayer(0);
    editor.MoveTo(5, 5);
    editor.Press(SDL_SCANCODE_A);
    editor.MoveTo(4, 4);
    editor.Press(SDL_SCANCODE_A);
    editor.MouseOff();
    editor.Press(SDL_SCANCODE_A);
    EXPECT_EQ(game.mEntityGrid[5 * 64 + 5]->mAngle, 90.0);
    editor.SwitchToLayer(2);
    // Dragging with the player selected alternates between showing and
    // dismissing the message.
    for (int x = 8; x <= 10; ++x)
    {
        editor.MoveTo(x, 8, SDL_BUTTON_LMASK);
        EXPECT_EQ(editor.State(), x == 9 ? 0 : -4);
    }
    // Once the old player is gone, cleared or painted over, a new one can be placed.
    editor.MoveTo(10, 8);
    editor.MoveTo(5, 5);
    editor.Press(SDL_SCANCODE_H);
    editor.Click(7, 7);
    EXPECT_EQ(editor.EntityName(7, 7), "Player");
    editor.Select("Orb", 2);
    editor.Click(7, 7, SDL_BUTTON_RIGHT);
    editor.Click(1, 1);
    EXPECT_EQ(editor.EntityName(1, 1), "Player");
}

TEST(EditorModel, ClearingCellsAndLayersAndTheHighScore)
{
    EditorHarness editor;
    Game& game = editor.game();
    editor.Paint(0, "Green Wall", 1, 1);
    editor.Click(2, 1);
    editor.Paint(1, "Vertical Door Frame", 1, 1);
    // Orbs count 50, enemies 100, other entities nothing; painting over takes
    // the points away.
    const struct
    {
        const char* entity;
        int x;
        int score;
    } paints[] = {
        {"Orb", 1, 50}, {"Orb", 2, 100}, {"Enemy", 3, 200}, {"Health", 4, 200}, {"Health", 2, 150}};
    for (const auto& paint : paints)
    {
        editor.Paint(2, paint.entity, paint.x, 1);
        EXPECT_EQ(game.mMapHighScore, paint.score) << paint.entity << paint.x;
    }
    // H clears the cell of the current layer only, not while a prompt is open
    // nor with the mouse off the map.
    editor.MoveTo(1, 1);
    editor.Press(SDL_SCANCODE_H);
    EXPECT_EQ(game.mMapHighScore, 100);
    editor.SwitchToLayer(1);
    editor.Press(SDL_SCANCODE_H);
    EXPECT_EQ(editor.FloorName(1, 1), "Laminate");
    editor.SwitchToLayer(0);
    editor.Press(SDL_SCANCODE_O);
    editor.Press(SDL_SCANCODE_H);
    editor.Press(SDL_SCANCODE_F8);
    editor.Press(SDL_SCANCODE_ESCAPE);
    editor.MouseOff();
    editor.Press(SDL_SCANCODE_H);
    EXPECT_EQ(editor.WallName(1, 1), "Green Wall");
    // F8 clears the current layer.
    editor.Press(SDL_SCANCODE_F8);
    EXPECT_EQ(editor.WallName(2, 1), "Nothing");
    EXPECT_EQ(editor.EntityName(3, 1), "Enemy");
    editor.SwitchToLayer(2);
    editor.Press(SDL_SCANCODE_F8);
    EXPECT_EQ(editor.EntityName(3, 1), "Nothing");
    EXPECT_EQ(game.mMapHighScore, 0);
}

TEST(EditorModel, StartFailsWithoutTheDirectionsImage)
{
    TestGame::Options options;
    options.arguments = {"--editor"};
    options.missingData = {"gfx/directions.png"};
    EXPECT_EQ(TestGame::StartupFailure(options).rfind("Couldn't initialize image: ", 0), 0u);
}
