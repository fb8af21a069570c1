#include "menus/menu_screen.h"
#include "menus/options_places.h"
#include "support/test_images.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{
using Sounds = std::vector<std::string>;
constexpr SDL_Scancode CLOSE_WINDOW = SDL_SCANCODE_UNKNOWN;

// Runs the real main loop until it ends, and checks that it ended on the
// credits, shown once for three seconds.
void ExpectTheCreditsAndTheEnd(TestGame& test)
{
    Game& game = test.game();
    std::vector<Uint32> waits;
    game.mSleep = [&](Uint32 milliseconds)
    {
        waits.push_back(milliseconds);
        game.mRunning = game.mRunning && waits.size() < 300;
    };
    game.Run();
    // The pacing waits at most 33 ms a frame.
    waits.erase(std::remove_if(waits.begin(), waits.end(), [](Uint32 wait) { return wait <= 33; }),
                waits.end());
    EXPECT_EQ(waits, std::vector<Uint32>{3000});
    EXPECT_EQ(game.GetGameState(), GameState::Credits);
    EXPECT_EQ(CompareWithReference(test.Frame(), "credits.png"), "");
}
} // namespace

TEST(MenuFlow, AWalkThroughTheMenusToTheCredits)
{
    TestGame test;
    Game& game = test.game();
    const struct
    {
        SDL_Scancode key;
        GameState state;
        int selected;
        Sounds sounds;
    } steps[] = {
        // The main menu wraps both ways and ignores the other keys.
        {UP, GameState::MainMenu, 2, {"select.wav"}},
        {DOWN, GameState::MainMenu, 0, {"select.wav"}},
        {DOWN, GameState::MainMenu, 1, {"select.wav"}},
        {ESCAPE, GameState::MainMenu, 1, {}},
        {RIGHT, GameState::MainMenu, 1, {}},
        {SDL_SCANCODE_A, GameState::MainMenu, 1, {}},
        // The options' selection wraps too; without a game "Previous Menu"
        // goes back to the main menu; every menu keeps its selection.
        {RETURN, GameState::Options, 0, {"selected.wav"}},
        {UP, GameState::Options, OptionsPlace::PREVIOUS_MENU, {"select.wav"}},
        {RETURN, GameState::MainMenu, 1, {"selected.wav"}},
        {RETURN, GameState::Options, OptionsPlace::PREVIOUS_MENU, {"selected.wav"}},
        {DOWN, GameState::Options, 0, {"select.wav"}},
        {UP, GameState::Options, OptionsPlace::PREVIOUS_MENU, {"select.wav"}},
        {RETURN, GameState::MainMenu, 1, {"selected.wav"}},
        {UP, GameState::MainMenu, 0, {"select.wav"}},
        {RETURN, GameState::Game, 0, {}},
        // The in-game menu starts on "Back to Game"; Escape, closing the
        // window and "Back to Game" resume silently; it keeps "Options".
        {ESCAPE, GameState::InGameMenu, 0, {}},
        {CLOSE_WINDOW, GameState::Game, 0, {}},
        {ESCAPE, GameState::InGameMenu, 0, {}},
        {RETURN, GameState::Game, 0, {}},
        {ESCAPE, GameState::InGameMenu, 0, {}},
        {DOWN, GameState::InGameMenu, 1, {"select.wav"}},
        {RETURN, GameState::Options, OptionsPlace::PREVIOUS_MENU, {"selected.wav"}},
        {RETURN, GameState::InGameMenu, 1, {"selected.wav"}},
        {ESCAPE, GameState::Game, 1, {}},
        {ESCAPE, GameState::InGameMenu, 1, {}},
        {DOWN, GameState::InGameMenu, 2, {"select.wav"}},
        {DOWN, GameState::InGameMenu, 0, {"select.wav"}},
        {UP, GameState::InGameMenu, 2, {"select.wav"}},
        // "Quit" leaves for the main menu and its music, on "New Game" again.
        {RETURN, GameState::MainMenu, 0, {"selected.wav"}},
        {UP, GameState::MainMenu, 2, {"select.wav"}},
    };
    for (const auto& step : steps)
    {
        SCOPED_TRACE(&step - steps);
        if (step.key == CLOSE_WINDOW)
        {
            test.Quit();
            test.RunFrames(1);
        }
        else
        {
            Press(test, step.key);
        }
        ASSERT_EQ(game.GetGameState(), step.state);
        if (step.state == GameState::Game)
        {
            EXPECT_EQ(game.mCurrentMusic, game.mMapList[0]->musicFile);
            test.TakeSounds();
            continue;
        }
        EXPECT_EQ(game.mCurrentMenu->selected, step.selected);
        EXPECT_EQ(test.TakeSounds(), step.sounds);
    }
    EXPECT_FALSE(game.mGameInProgress);
    EXPECT_EQ(game.mCurrentMusic, "title.ogg");
    EXPECT_EQ(Mix_PlayingMusic(), 1);
    // "Quit" in the main menu.
    test.KeyDown(RETURN);
    ExpectTheCreditsAndTheEnd(test);
    EXPECT_EQ(test.TakeSounds(), Sounds{"selected.wav"});
}

TEST(MenuFlow, ClosingTheWindowInTheMainMenuOrTheOptionsShowsTheCredits)
{
    for (bool options : {false, true})
    {
        TestGame test;
        if (options)
        {
            OpenOptionsFromTheMainMenu(test);
        }
        test.Quit();
        ExpectTheCreditsAndTheEnd(test);
        EXPECT_TRUE(test.TakeSounds().empty());
    }
}
