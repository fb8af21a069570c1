// Undo and redo of every kind of change, fills and gapless strokes, driven by
// the editor's own keys and mouse.
#include "editor_harness.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{
// A 6 x 4 room as the editor writes it: walls around, a player, an enemy and an orb.
const std::string ROOM = "6\n4\n\n"
                         "1 1 1 1 1 1\n1 0 0 0 0 1\n1 0 0 0 0 1\n1 1 1 1 1 1\n\n"
                         "0 0 0 0 0 0\n0 0 0 0 0 0\n0 0 0 0 0 0\n0 0 0 0 0 0\n\n"
                         "Type Player\nAngle 0\nX 1\nY 1\n\n"
                         "Type Enemy\nAngle 0\nX 3\nY 2\n\n"
                         "Type Orb\nAngle 0\nX 4\nY 1";

} // namespace

TEST(EditorHistory, EveryKindOfChangeIsOneStepBackAndForth)
{
    EditorHarness editor({{"data/maps/room.map", ROOM}});
    Game& game = editor.game();
    editor.Open("room");
    ASSERT_EQ(game.EditorMapText(), ROOM);
    const struct
    {
        const char* name;
        std::function<void()> make;
    } changes[] = {
        {"a stroke",
         [&]
         {
             editor.MoveTo(1, 2, SDL_BUTTON_LMASK);
             editor.MoveTo(4, 1, SDL_BUTTON_LMASK);
             editor.MoveTo(4, 1);
         }},
        {"a fill",
         [&]
         {
             editor.Select("Red Wall");
             editor.Press(SDL_SCANCODE_F);
         }},
        {"a fill of floors with #2",
         [&]
         {
             editor.SwitchToLayer(1);
             editor.Select("Vertical Door Frame", 2);
             editor.Press(SDL_SCANCODE_F, KMOD_LSHIFT);
         }},
        {"H",
         [&]
         {
             editor.SwitchToLayer(2);
             editor.MoveTo(3, 2);
             editor.Press(SDL_SCANCODE_H);
         }},
        {"A",
         [&]
         {
             editor.MoveTo(1, 1);
             editor.Press(SDL_SCANCODE_A);
         }},
        {"F8", [&] { editor.Press(SDL_SCANCODE_F8); }},
        {"a resize", [&] { editor.Resize("3", "2"); }},
    };
    for (const auto& change : changes)
    {
        SCOPED_TRACE(change.name);
        const std::string before = game.EditorMapText();
        const int scoreBefore = game.mMapHighScore;
        change.make();
        const std::string after = game.EditorMapText();
        const int scoreAfter = game.mMapHighScore;
        ASSERT_NE(after, before);
        editor.Undo();
        EXPECT_EQ(game.EditorMapText(), before);
        EXPECT_EQ(game.mMapHighScore, scoreBefore);
        editor.Press(SDL_SCANCODE_Y, KMOD_LCTRL);
        EXPECT_EQ(game.EditorMapText(), after);
        EXPECT_EQ(game.mMapHighScore, scoreAfter);
        editor.Undo();
        editor.Press(SDL_SCANCODE_Z, KMOD_LCTRL | KMOD_LSHIFT);
        EXPECT_EQ(game.EditorMapText(), after);
    }

    // All the way back to the map as opened, and no further.
    for (int step = 0; step <= 7; ++step)
    {
        editor.Undo();
    }
    EXPECT_EQ(game.EditorMapText(), ROOM);
    EXPECT_EQ(game.mMapHighScore, 150);
    // A new change drops the steps that could have been redone.
    editor.Click(2, 2);
    const std::string changed = game.EditorMapText();
    editor.Press(SDL_SCANCODE_Y, KMOD_LCTRL);
    EXPECT_EQ(game.EditorMapText(), changed);
    // Opening a map or starting a new one starts a fresh history.
    editor.Open("room");
    editor.Undo();
    EXPECT_EQ(game.EditorMapText(), ROOM);
    editor.NewMap("2", "2");
    const std::string fresh = game.EditorMapText();
    editor.Undo();
    EXPECT_EQ(game.EditorMapText(), fresh);
}

TEST(EditorHistory, StrokesFillsAndTheLengthOfTheHistory)
{
    EditorHarness editor;
    Game& game = editor.game();
    editor.NewMap("12", "8");
    // A fast stroke paints every cell on its way, whatever the motion events skip.
    editor.MoveTo(0, 0, SDL_BUTTON_LMASK);
    editor.MoveTo(11, 4, SDL_BUTTON_LMASK);
    editor.MoveTo(11, 4);
    for (const auto& [x, y] : {std::pair{0, 0}, {3, 1}, {5, 2}, {6, 2}, {8, 3}, {11, 4}})
    {
        EXPECT_EQ(editor.WallName(x, y), "Blue Wall") << x << "," << y;
    }
    // The fill stops at the line: the region above it is 4-connected only.
    editor.Select("Red Wall");
    editor.MoveTo(11, 0);
    editor.Press(SDL_SCANCODE_F);
    EXPECT_EQ(editor.WallName(2, 0), "Red Wall");
    EXPECT_EQ(editor.WallName(0, 1), "Nothing");
    EXPECT_EQ(editor.WallName(11, 7), "Nothing");
    // On the entity layer, or with no cell under the cursor, F does nothing.
    const std::string filled = game.EditorMapText();
    editor.SwitchToLayer(2);
    editor.Press(SDL_SCANCODE_F);
    editor.SwitchToLayer(0);
    editor.MoveTo(40, 40);
    editor.Press(SDL_SCANCODE_F);
    EXPECT_EQ(game.EditorMapText(), filled);
    editor.Undo();
    EXPECT_EQ(editor.WallName(2, 0), "Nothing");

    // The history goes back at least 256 steps: 256 undos after 300 changes
    // come to the map after the 44th.
    editor.Select("Blue Wall", 2);
    for (int step = 0; step < 300; ++step)
    {
        editor.Click(0, 7, step % 2 == 0 ? SDL_BUTTON_LEFT : SDL_BUTTON_RIGHT);
    }
    for (int step = 0; step < 256; ++step)
    {
        editor.Undo();
    }
    EXPECT_EQ(editor.WallName(0, 7), "Blue Wall");
}
