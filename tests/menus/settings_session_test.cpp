#include "menus/menu_screen.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <string>

namespace
{
const char* const DEFAULT_SETTINGS = "80 79 82 81 44 224 225 226 30 31\n64 64 1 0 1 1\n1 30 25\n";
const char* const CHANGED_SETTINGS = "4 79 82 81 44 40 225 226 30 31\n67 62 0 1 0 0\n0 32 22\n";

// Ends the program as a player does, and returns the settings file it left.
std::string QuitAndReadTheSettings(TestGame& test)
{
    test.Quit();
    test.RunFrames(1);
    EXPECT_FALSE(test.game().mRunning);
    test.EndGame();
    return test.dir().ReadFile("ql3d.cfg");
}
} // namespace

TEST(SettingsSession, WhatTheOptionsChangedIsWrittenAtExitAndReadAtTheNextStart)
{
    std::string written;
    {
        TestGame test;
        ASSERT_EQ(test.dir().ReadFile("ql3d.cfg"), DEFAULT_SETTINGS);
        // Turn Left on A, Fire on Return, the window and vsync switched, the
        // sound volume up by 3, the music volume down by 2, the music and then
        // the sound switched off; on the second page mouse turning off, the
        // sensitivity up by 2 and the dead zone down by 3; back to the main menu.
        OpenOptionsFromTheMainMenu(test);
        PressAll(test,
                 {{RETURN, 1}, {SDL_SCANCODE_A, 1}, {DOWN, 5}, {RETURN, 2}, {DOWN, 5},  {RETURN, 1},
                  {DOWN, 1},   {RETURN, 1},         {DOWN, 2}, {RETURN, 1}, {RIGHT, 3}, {RETURN, 1},
                  {DOWN, 2},   {RETURN, 1},         {LEFT, 2}, {RETURN, 1}, {UP, 1},    {RETURN, 1},
                  {UP, 2},     {RETURN, 1},         {DOWN, 4}, {RETURN, 2}, {DOWN, 1},  {RETURN, 1},
                  {RIGHT, 2},  {RETURN, 1},         {DOWN, 1}, {RETURN, 1}, {LEFT, 3},  {RETURN, 1},
                  {DOWN, 1},   {RETURN, 1},         {DOWN, 2}, {RETURN, 1}});
        ASSERT_EQ(test.game().GetGameState(), GameState::MainMenu);
        EXPECT_EQ(test.game().mSettings.Format(), CHANGED_SETTINGS);
        // Leaving the options does not write the file; the end of the program does.
        EXPECT_EQ(test.dir().ReadFile("ql3d.cfg"), DEFAULT_SETTINGS);
        written = QuitAndReadTheSettings(test);
        EXPECT_EQ(written, CHANGED_SETTINGS);
    }

    TestGame::Options options;
    options.files = {{"ql3d.cfg", written}};
    TestGame test(options);
    Game& game = test.game();
    EXPECT_EQ(game.mSettings.Format(), CHANGED_SETTINGS);
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    // The options show what was kept, on both pages.
    OpenOptionsFromTheMainMenu(test);
    RunUntilArrow(test, false);
    const std::pair<int, const char*> firstPage[] = {
        {0, " Turn Left: A"}, {5, " Fire: Return"},      {11, " Fullscreen: Off"},
        {12, " VSync: On"},   {14, " Sound: Off"},       {15, " Sound Volume: 52%"},
        {16, " Music: Off"},  {17, " Music Volume: 48%"}};
    for (const auto& [entry, row] : firstPage)
    {
        EXPECT_EQ(OptionsRow(test, entry), row);
    }
    PressAll(test, {{UP, 3}, {RETURN, 1}});
    RunUntilArrow(test, false);
    EXPECT_EQ(OptionsRow(test, 0), " Mouse Turning: Off");
    EXPECT_EQ(OptionsRow(test, 1), " Mouse Sensitivity: 32");
    EXPECT_EQ(OptionsRow(test, 3), " Stick Dead Zone: 22%");
    EXPECT_EQ(OptionsRow(test, 4), " Gamepad: None");
}

TEST(SettingsSession, DiscardedChangesNeverReachTheFile)
{
    TestGame::Options options;
    options.files = {{"ql3d.cfg", CHANGED_SETTINGS}};
    TestGame test(options);
    OpenOptionsFromTheMainMenu(test);
    PressAll(test, {{RETURN, 1},
                    {SDL_SCANCODE_Z, 1},
                    {DOWN, 10},
                    {RETURN, 1},
                    {DOWN, 2},
                    {RETURN, 1},
                    {DOWN, 4},
                    {RETURN, 2},
                    {UP, 1},
                    {RETURN, 1}});
    ASSERT_NE(test.game().mSettings.Format(), CHANGED_SETTINGS);
    PressAll(test, {{DOWN, 1}, {RETURN, 1}});
    EXPECT_EQ(test.game().mSettings.Format(), CHANGED_SETTINGS);
    EXPECT_EQ(QuitAndReadTheSettings(test), CHANGED_SETTINGS);
}
