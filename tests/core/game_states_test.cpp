#include "core/utils.h"
#include "gameplay/player.h"
#include "support/test_game.h"

#include <gtest/gtest.h>

#include <stdexcept>

TEST(GameStates, EveryStateRunsAFrame)
{
    TestGame test;
    Game& game = test.game();
    game.LoadMap(true);
    for (GameState state : {GameState::Game, GameState::InGameMenu, GameState::Options,
                            GameState::NextMap, GameState::TheEnd, GameState::MainMenu,
                            GameState::None})
    {
        game.SwitchGameState(state);
        EXPECT_EQ(game.GetGameState(), state);
        test.RunFrames(2);
    }
    game.SwitchGameState(GameState::Credits);
    test.RunFrames(1);
    EXPECT_FALSE(game.mRunning);
}

TEST(GameStates, AMissingMenuIsReportedAndTheStateKept)
{
    TestGame test;
    Game& game = test.game();
    game.mMenus.erase(game.mMenus.begin() + 1);
    try
    {
        game.SwitchGameState(GameState::Options);
        FAIL() << "no error";
    }
    catch (const std::runtime_error& error)
    {
        EXPECT_STREQ(error.what(), "Menu entry with ID \"options\" couldn't be found!");
    }
    EXPECT_EQ(game.GetGameState(), GameState::MainMenu);
}

TEST(GameStates, SwitchesPrepareTheirScreens)
{
    TestGame test;
    Game& game = test.game();
    game.LoadMap(true);
    for (KeyBinding& binding : game.mSettings.mKeyBindings)
    {
        binding.mPressed = true;
    }
    game.SwitchGameState(GameState::Options);
    EXPECT_TRUE(game.mSettings.Binding(KeyAction::Use).mPressed);
    EXPECT_EQ(game.mCurrentMenu->id, "options");

    game.SwitchGameState(GameState::NextMap);
    EXPECT_TRUE(game.mInputGuard);
    EXPECT_EQ(game.mGuardCounter, 0);
    EXPECT_FALSE(game.mLoadNextMap);
    EXPECT_FALSE(game.mSettings.Binding(KeyAction::Use).mPressed);

    game.mBlinkCounter = 9;
    game.mCursorBlink = true;
    game.SwitchGameState(GameState::TheEnd);
    EXPECT_EQ(game.mBlinkCounter, 0);
    EXPECT_FALSE(game.mCursorBlink);
    int expected = 0;
    for (const auto& entry : game.mMapList)
    {
        expected += game.mMap->GetHighScore("data/maps/" + entry->mapFile);
    }
    EXPECT_EQ(game.mHighScoreTotal, expected);
    EXPECT_GT(expected, 0);
}

TEST(GameStates, QuittingFromTheMainMenuShowsTheCreditsOnce)
{
    TestGame test;
    test.Quit();
    test.RunFrames(1);
    EXPECT_EQ(test.game().GetGameState(), GameState::Credits);
    EXPECT_FALSE(test.game().mRunning);
}

TEST(GameStates, EscapeInTheGameSnapshotsTheFrameForTheMenu)
{
    TestGame test;
    Game& game = test.game();
    game.LoadMap(true);
    test.RunFrames(1);
    const Rgb centre = test.FramePixel(160, 120);
    test.KeyDown(SDL_SCANCODE_ESCAPE);
    test.RunFrames(1);
    EXPECT_EQ(game.GetGameState(), GameState::InGameMenu);
    SDL_Surface* snapshot = game.mMenuBackground.Get<SDL_Surface>();
    EXPECT_EQ(TestGame::PixelAt(snapshot, 160, 120), centre);
    Uint8 r, g, b, a;
    SDL_GetRGBA(QuillUtils::GetPixel(snapshot, 3, 3), snapshot->format, &r, &g, &b, &a);
    EXPECT_EQ(a, 128);
    // Escape again resumes the game.
    test.KeyDown(SDL_SCANCODE_ESCAPE);
    test.RunFrames(1);
    EXPECT_EQ(game.GetGameState(), GameState::Game);
}

TEST(GameStates, AMinimisedWindowDrawsNothingUntilRestored)
{
    TestGame test;
    Game& game = test.game();
    game.LoadMap(true);
    test.RunFrames(1);
    test.Window(SDL_WINDOWEVENT_MINIMIZED);
    // The loop waits for the next event, which restores the window.
    int waits = 0;
    game.mWaitForEvent = [&]
    {
        ++waits;
        test.Window(SDL_WINDOWEVENT_RESTORED);
    };
    EXPECT_FALSE(game.RunFrame());
    EXPECT_EQ(waits, 1);
    EXPECT_FALSE(game.mWindowActive);
    EXPECT_TRUE(game.RunFrame());
    EXPECT_TRUE(game.mWindowActive);
    EXPECT_EQ(waits, 1);
}
