#include "menus/menu_screen.h"
#include "menus/options_places.h"
#include "support/test_images.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using Sounds = std::vector<std::string>;

// Runs the real main loop until it ends (at most a few hundred passes) and
// returns the long waits it made: the credits' pause.
std::vector<Uint32> RunToTheEnd(TestGame& test)
{
    Game& game = test.game();
    std::vector<Uint32> waits;
    int passes = 0;
    game.mSleep = [&](Uint32 milliseconds)
    {
        if (milliseconds > 33)
        {
            waits.push_back(milliseconds);
        }
        if (++passes > 300)
        {
            game.mRunning = false;
        }
    };
    game.Run();
    return waits;
}
} // namespace

TEST(MenuFlow, QuitInTheMainMenuShowsTheCreditsOnceAndEndsTheProgram)
{
    TestGame test;
    Press(test, SDL_SCANCODE_UP);
    test.TakeSounds();
    test.KeyDown(SDL_SCANCODE_RETURN);
    EXPECT_EQ(RunToTheEnd(test), std::vector<Uint32>{3000});
    EXPECT_EQ(test.game().GetGameState(), GameState::Credits);
    EXPECT_FALSE(test.game().mRunning);
    EXPECT_EQ(test.TakeSounds(), Sounds{"selected.wav"});
    EXPECT_EQ(CompareRows(test.Frame(), ExpectedCredits(test).Get<SDL_Surface>(), 0, 240), "");
}

TEST(MenuFlow, ClosingTheWindowInTheMainMenuOrTheOptionsEndsTheProgram)
{
    {
        TestGame test;
        test.Quit();
        EXPECT_EQ(RunToTheEnd(test), std::vector<Uint32>{3000});
        EXPECT_EQ(test.game().GetGameState(), GameState::Credits);
        EXPECT_EQ(CompareRows(test.Frame(), ExpectedCredits(test).Get<SDL_Surface>(), 0, 240), "");
        EXPECT_TRUE(test.TakeSounds().empty());
    }
    {
        TestGame test;
        OpenOptionsFromTheMainMenu(test);
        test.Quit();
        EXPECT_EQ(RunToTheEnd(test), std::vector<Uint32>{3000});
        EXPECT_EQ(test.game().GetGameState(), GameState::Credits);
    }
}

TEST(MenuFlow, TheInGameMenuResumesOrQuitsToTheTitle)
{
    TestGame test;
    Game& game = test.game();
    Press(test, SDL_SCANCODE_RETURN);
    ASSERT_EQ(game.GetGameState(), GameState::Game);
    ASSERT_TRUE(game.mGameInProgress);
    const std::string mapMusic = game.mCurrentMusic;
    test.TakeSounds();

    // Closing the window in the in-game menu goes back to the game, as do
    // Escape and "Back to Game".
    Press(test, SDL_SCANCODE_ESCAPE);
    ASSERT_EQ(game.GetGameState(), GameState::InGameMenu);
    test.Quit();
    test.RunFrames(1);
    EXPECT_EQ(game.GetGameState(), GameState::Game);
    EXPECT_TRUE(game.mRunning);
    Press(test, SDL_SCANCODE_ESCAPE);
    Press(test, SDL_SCANCODE_ESCAPE);
    EXPECT_EQ(game.GetGameState(), GameState::Game);
    Press(test, SDL_SCANCODE_ESCAPE);
    Press(test, SDL_SCANCODE_RETURN);
    EXPECT_EQ(game.GetGameState(), GameState::Game);
    for (const std::string& sound : test.TakeSounds())
    {
        EXPECT_NE(sound.rfind("select", 0), 0u) << sound;
    }
    EXPECT_EQ(game.mCurrentMusic, mapMusic);

    // "Quit" leaves for the main menu with the title music.
    Press(test, SDL_SCANCODE_ESCAPE);
    Press(test, SDL_SCANCODE_UP);
    Press(test, SDL_SCANCODE_RETURN);
    EXPECT_EQ(game.GetGameState(), GameState::MainMenu);
    EXPECT_FALSE(game.mGameInProgress);
    EXPECT_EQ(test.TakeSounds(), (Sounds{"select.wav", "selected.wav"}));
    EXPECT_EQ(game.mCurrentMusic, "title.ogg");
    EXPECT_EQ(Mix_PlayingMusic(), 1);
    EXPECT_TRUE(game.mRunning);
    // The main menu still stands on "New Game".
    EXPECT_EQ(game.mCurrentMenu->selected, 0);
}

TEST(MenuFlow, PreviousMenuReturnsToTheSnapshotTakenWhenTheGameWasLeft)
{
    TestGame test;
    Game& game = test.game();
    Press(test, SDL_SCANCODE_RETURN);
    test.RunFrames(3);
    Press(test, SDL_SCANCODE_ESCAPE);
    ASSERT_EQ(game.GetGameState(), GameState::InGameMenu);
    SDL_Surface* snapshot = game.mMenuBackground.Get<SDL_Surface>();
    Wrapper snapshotCopy(SDL_ConvertSurface(snapshot, snapshot->format, 0));
    // Frames compared in the blink phase without the arrow, which moves below.
    RunUntilArrow(test, false);
    Wrapper menuFrame = CopyFrame(test);

    for (int visit = 0; visit < 2; ++visit)
    {
        SCOPED_TRACE(visit);
        if (visit == 0)
        {
            Press(test, SDL_SCANCODE_DOWN);
        }
        Press(test, SDL_SCANCODE_RETURN);
        ASSERT_EQ(game.GetGameState(), GameState::Options);
        if (visit == 0)
        {
            Press(test, SDL_SCANCODE_UP);
        }
        ASSERT_EQ(game.mCurrentMenu->selected, OptionsPlace::PREVIOUS_MENU);
        Press(test, SDL_SCANCODE_RETURN);
        ASSERT_EQ(game.GetGameState(), GameState::InGameMenu);
        EXPECT_EQ(game.mMenuBackground.Get<SDL_Surface>(), snapshot);
        EXPECT_EQ(CountDifferentPixels(snapshot, snapshotCopy.Get<SDL_Surface>()), 0);
        // The menu is drawn over the game, not over the options screen.
        RunUntilArrow(test, false);
        EXPECT_EQ(CountDifferentPixels(test.Frame(), menuFrame.Get<SDL_Surface>()), 0);
    }
}

TEST(MenuFlow, PreviousMenuWithoutAGameGoesToTheMainMenu)
{
    TestGame test;
    Game& game = test.game();
    OpenOptionsFromTheMainMenu(test);
    Press(test, SDL_SCANCODE_UP);
    test.TakeSounds();
    Press(test, SDL_SCANCODE_RETURN);
    EXPECT_EQ(game.GetGameState(), GameState::MainMenu);
    EXPECT_EQ(test.TakeSounds(), Sounds{"selected.wav"});
    EXPECT_FALSE(game.mCurrentMenu->waitingForKey);
}
