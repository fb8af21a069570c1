#include "menus/menu_screen.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace
{
const char* const DEFAULT_SETTINGS = "80 79 82 81 44 224 225 226 30 31\n64 64 1 0 1 1\n1 30 25\n";
const char* const CHANGED_SETTINGS = "4 79 82 81 44 40 225 226 30 31\n67 62 0 1 0 0\n0 32 22\n";

// A session in the options: Turn Left on A, Fire on Return, the window and
// vsync switched, the sound volume up by 3, the music volume down by 2, the
// music and then the sound switched off; on the second page mouse turning
// off, the sensitivity up by 2 and the dead zone down by 3; back to the main menu.
void ChangeEverything(TestGame& test)
{
    OpenOptionsFromTheMainMenu(test);
    Press(test, SDL_SCANCODE_RETURN);
    Press(test, SDL_SCANCODE_A);
    Press(test, SDL_SCANCODE_DOWN, 5);
    Press(test, SDL_SCANCODE_RETURN, 2);
    Press(test, SDL_SCANCODE_DOWN, 5);
    Press(test, SDL_SCANCODE_RETURN);
    Press(test, SDL_SCANCODE_DOWN);
    Press(test, SDL_SCANCODE_RETURN);
    Press(test, SDL_SCANCODE_DOWN, 2);
    Press(test, SDL_SCANCODE_RETURN);
    Press(test, SDL_SCANCODE_RIGHT, 3);
    Press(test, SDL_SCANCODE_RETURN);
    Press(test, SDL_SCANCODE_DOWN, 2);
    Press(test, SDL_SCANCODE_RETURN);
    Press(test, SDL_SCANCODE_LEFT, 2);
    Press(test, SDL_SCANCODE_RETURN);
    Press(test, SDL_SCANCODE_UP);
    Press(test, SDL_SCANCODE_RETURN);
    Press(test, SDL_SCANCODE_UP, 2);
    Press(test, SDL_SCANCODE_RETURN);
    Press(test, SDL_SCANCODE_DOWN, 4);
    Press(test, SDL_SCANCODE_RETURN);
    Press(test, SDL_SCANCODE_RETURN);
    Press(test, SDL_SCANCODE_DOWN);
    Press(test, SDL_SCANCODE_RETURN);
    Press(test, SDL_SCANCODE_RIGHT, 2);
    Press(test, SDL_SCANCODE_RETURN);
    Press(test, SDL_SCANCODE_DOWN);
    Press(test, SDL_SCANCODE_RETURN);
    Press(test, SDL_SCANCODE_LEFT, 3);
    Press(test, SDL_SCANCODE_RETURN);
    Press(test, SDL_SCANCODE_DOWN);
    Press(test, SDL_SCANCODE_RETURN);
    Press(test, SDL_SCANCODE_DOWN, 2);
    Press(test, SDL_SCANCODE_RETURN);
}

// Compares rows of the options screen, the list's entries counted with spacers.
void ExpectRows(TestGame& test, const std::vector<std::pair<int, std::string>>& rows)
{
    RunUntilArrow(test, false);
    for (const auto& [entry, text] : rows)
    {
        EXPECT_EQ(CompareOptionsRow(test, entry, text, -1), "") << text;
    }
}
} // namespace

TEST(SettingsSession, WhatTheOptionsChangedIsWrittenAtExitAndReadAtTheNextStart)
{
    std::string written;
    {
        TestGame test;
        ASSERT_EQ(test.dir().ReadFile("ql3d.cfg"), DEFAULT_SETTINGS);
        ChangeEverything(test);
        ASSERT_EQ(test.game().GetGameState(), GameState::MainMenu);
        EXPECT_EQ(test.game().mSettings.Format(), CHANGED_SETTINGS);
        // Leaving the options does not write the file; the end of the program does.
        EXPECT_EQ(test.dir().ReadFile("ql3d.cfg"), DEFAULT_SETTINGS);
        test.Quit();
        test.RunFrames(1);
        ASSERT_FALSE(test.game().mRunning);
        test.EndGame();
        written = test.dir().ReadFile("ql3d.cfg");
        EXPECT_EQ(written, CHANGED_SETTINGS);
    }

    TestGame::Options options;
    options.files = {{"ql3d.cfg", written}};
    TestGame test(options);
    Game& game = test.game();
    EXPECT_EQ(game.mSettings.Format(), CHANGED_SETTINGS);
    EXPECT_FALSE(SDL_GetWindowFlags(game.mFramework->GetWindow()) & SDL_WINDOW_FULLSCREEN_DESKTOP);
    EXPECT_TRUE(game.mFramework->GetRendererInfo().flags & SDL_RENDERER_PRESENTVSYNC);
    EXPECT_FALSE(game.mAudioManager->mSoundOn);
    EXPECT_FALSE(game.mAudioManager->mMusicOn);
    EXPECT_EQ(Mix_PlayingMusic(), 0);

    // The options show what was kept, on both pages.
    OpenOptionsFromTheMainMenu(test);
    ExpectRows(test, {{0, "Turn Left: A"},
                      {5, "Fire: Return"},
                      {11, "Fullscreen: Off"},
                      {12, "VSync: On"},
                      {14, "Sound: Off"},
                      {15, "Sound Volume: 52%"},
                      {16, "Music: Off"},
                      {17, "Music Volume: 48%"}});
    Press(test, SDL_SCANCODE_UP, 3);
    Press(test, SDL_SCANCODE_RETURN);
    ExpectRows(test, {{0, "Mouse Turning: Off"},
                      {1, "Mouse Sensitivity: 32"},
                      {3, "Stick Dead Zone: 22%"},
                      {4, "Gamepad: None"}});
}

TEST(SettingsSession, DiscardedChangesNeverReachTheFile)
{
    TestGame::Options options;
    options.files = {{"ql3d.cfg", CHANGED_SETTINGS}};
    TestGame test(options);
    OpenOptionsFromTheMainMenu(test);
    Press(test, SDL_SCANCODE_RETURN);
    Press(test, SDL_SCANCODE_Z);
    Press(test, SDL_SCANCODE_DOWN, 10);
    Press(test, SDL_SCANCODE_RETURN);
    Press(test, SDL_SCANCODE_DOWN, 2);
    Press(test, SDL_SCANCODE_RETURN);
    Press(test, SDL_SCANCODE_DOWN, 4);
    Press(test, SDL_SCANCODE_RETURN, 2);
    Press(test, SDL_SCANCODE_UP);
    Press(test, SDL_SCANCODE_RETURN);
    ASSERT_NE(test.game().mSettings.Format(), CHANGED_SETTINGS);
    Press(test, SDL_SCANCODE_DOWN);
    Press(test, SDL_SCANCODE_RETURN);
    EXPECT_EQ(test.game().mSettings.Format(), CHANGED_SETTINGS);
    test.Quit();
    test.RunFrames(1);
    test.EndGame();
    EXPECT_EQ(test.dir().ReadFile("ql3d.cfg"), CHANGED_SETTINGS);
}
