#include "menus/menu_screen.h"

#include "support/test_images.h"

#include <gtest/gtest.h>

TEST(MenuScreens, TheMenusAsReviewed)
{
    TestGame test;
    Game& game = test.game();
    // The main menu with its arrow on "Quit" (up from "New Game"); the arrow blinks.
    Press(test, UP);
    RunUntilArrow(test, true);
    EXPECT_EQ(CompareWithReference(test.Frame(), "main_menu.png"), "");
    EXPECT_EQ(ReadText(test, 124, 112), ">Quit");
    RunUntilArrow(test, false);
    EXPECT_EQ(ReadText(test, 124, 112), " Quit");

    // Both options pages.
    PressAll(test, {{UP, 1}, {RETURN, 1}});
    RunUntilArrow(test, true);
    EXPECT_EQ(CompareWithReference(test.Frame(), "options.png"), "");
    PressAll(test, {{UP, 3}, {RETURN, 1}});
    RunUntilArrow(test, true);
    EXPECT_EQ(CompareWithReference(test.Frame(), "options_mouse_and_gamepad.png"), "");

    // The in-game menu over the game at half strength, and the options there;
    // back from them, the menu stands over the game again, not over the options.
    PressAll(test, {{UP, 1}, {RETURN, 1}, {DOWN, 2}, {RETURN, 1}, {UP, 1}, {RETURN, 1}});
    ASSERT_EQ(game.GetGameState(), GameState::Game);
    test.RunFrames(3);
    Press(test, ESCAPE);
    RunUntilArrow(test, true);
    EXPECT_EQ(CompareWithReference(test.Frame(), "in_game_menu.png"), "");
    PressAll(test, {{DOWN, 1}, {RETURN, 1}});
    ASSERT_EQ(game.GetGameState(), GameState::Options);
    RunUntilArrow(test, false);
    EXPECT_EQ(CompareWithReference(test.Frame(), "options_over_the_game.png"), "");
    PressAll(test, {{RETURN, 1}, {UP, 1}});
    RunUntilArrow(test, true);
    EXPECT_EQ(CompareWithReference(test.Frame(), "in_game_menu.png"), "");
}
