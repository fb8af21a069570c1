// The play-test: the map on screen played in the editor's window, and the
// editor exactly as it was afterwards.
#include "editor_harness.h"

#include "gameplay/player.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{
// A corridor: the player in the west facing east, an exit door at its east end.
const std::string CORRIDOR = "5\n3\n\n1 1 1 1 1\n1 0 0 0 11\n1 1 1 1 1\n\n"
                             "0 0 0 0 0\n0 0 0 0 0\n0 0 0 0 0\n\n"
                             "Type Player\nAngle 0\nX 1\nY 1";
// The player's settings: Move Forward on W.
const std::string SETTINGS = "80 79 26 81 44 224 225 226 30 31\n64 64 0 0 1 1\n";
} // namespace

TEST(EditorPlayTest, EscapeDeathAndTheExitBringTheEditorBackAsItWas)
{
    EditorHarness editor({{"data/maps/corridor.map", CORRIDOR}, {"ql3d.cfg", SETTINGS}});
    Game& game = editor.game();
    editor.Press(SDL_SCANCODE_P);
    EXPECT_EQ(editor.State(), -6);
    EXPECT_EQ(game.mPromptTitle, "Error");
    EXPECT_EQ(game.mPromptMessage, "Place a player on the map before playing it.");
    editor.Press(SDL_SCANCODE_RETURN);
    // The game's images wait for the first play-test.
    EXPECT_EQ(game.mImageManager->GetImage("walls"), nullptr);

    editor.Open("corridor");
    editor.SwitchToLayer(1);
    editor.Select("Vertical Door Frame", 2);
    editor.MoveTo(2, 1, SDL_BUTTON_RMASK);
    editor.MoveTo(3, 2);
    const std::string edited = game.EditorMapText();
    const struct
    {
        const char* name;
        std::function<void()> end;
    } endings[] = {
        {"Escape", [&] { editor.Press(SDL_SCANCODE_ESCAPE); }},
        {"death",
         [&]
         {
             game.GetPlayerRecord()->mHealth = 0;
             editor.Frame(200);
         }},
        {"the exit",
         [&]
         {
             editor.test().KeyDown(SDL_SCANCODE_W);
             editor.Frame(40);
             editor.test().KeyUp(SDL_SCANCODE_W);
         }},
    };
    for (const auto& ending : endings)
    {
        SCOPED_TRACE(ending.name);
        // The map on screen is played, not the file.
        editor.Press(SDL_SCANCODE_P);
        ASSERT_EQ(game.GetGameState(), GameState::Game);
        EXPECT_EQ(game.mFramework->GetSurface()->w, 320);
        EXPECT_EQ(game.mMap->GetTile(2, 1, TileType::CeilingsAndFloors), 2);
        ending.end();
        EXPECT_EQ(game.GetGameState(), GameState::Editor);
        EXPECT_EQ(game.EditorMapText(), edited);
        EXPECT_EQ(game.mCurrentLayer, 1);
        EXPECT_EQ(editor.SelectionName(2), "Vertical Door Frame");
        EXPECT_EQ(game.mCursorX, 3);
        EXPECT_EQ(game.mMapName, "corridor.map");
        // The editor's view is back.
        EXPECT_EQ(game.mFramework->GetSurface()->w, 513);
    }
    // The history lived through the play-tests.
    editor.Press(SDL_SCANCODE_Z, KMOD_LCTRL);
    EXPECT_EQ(game.EditorMapText(), CORRIDOR);
    editor.test().EndGame();
    EXPECT_EQ(editor.test().dir().ReadFile("ql3d.cfg"), SETTINGS);
}
