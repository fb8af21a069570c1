#include "menus/menu_screen.h"
#include "menus/options_places.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using Sounds = std::vector<std::string>;

// The options entry (spacers counted) that each selection stands on.
const int SELECTED_ENTRY[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 14, 15, 16, 17, 18, 19, 20};
} // namespace

TEST(MenuNavigation, TheMainMenuWrapsAndIgnoresOtherKeys)
{
    TestGame test;
    Game& game = test.game();
    ASSERT_EQ(game.mCurrentMenu->id, "mainMenu");
    EXPECT_EQ(game.mCurrentMenu->selected, 0);

    // Up from "New Game" selects "Quit", and Down goes round again.
    Press(test, SDL_SCANCODE_UP);
    EXPECT_EQ(game.mCurrentMenu->selected, 2);
    EXPECT_EQ(test.TakeSounds(), Sounds{"select.wav"});
    for (int expected : {0, 1, 2, 0})
    {
        Press(test, SDL_SCANCODE_DOWN);
        EXPECT_EQ(game.mCurrentMenu->selected, expected);
    }
    EXPECT_EQ(test.TakeSounds(), Sounds(4, "select.wav"));

    // Escape, the other keys and key-ups do nothing here.
    for (SDL_Scancode key : {SDL_SCANCODE_ESCAPE, SDL_SCANCODE_LEFT, SDL_SCANCODE_RIGHT,
                             SDL_SCANCODE_SPACE, SDL_SCANCODE_A})
    {
        Press(test, key);
    }
    test.KeyUp(SDL_SCANCODE_RETURN);
    test.RunFrames(1);
    EXPECT_EQ(game.GetGameState(), GameState::MainMenu);
    EXPECT_EQ(game.mCurrentMenu->selected, 0);
    EXPECT_TRUE(test.TakeSounds().empty());
}

TEST(MenuNavigation, TheOptionsSelectionSkipsTheSpacerLines)
{
    TestGame test;
    Game& game = test.game();
    Press(test, SDL_SCANCODE_DOWN);
    Press(test, SDL_SCANCODE_RETURN);
    EXPECT_EQ(test.TakeSounds(), (Sounds{"select.wav", "selected.wav"}));
    ASSERT_EQ(game.GetGameState(), GameState::Options);
    ASSERT_EQ(game.mCurrentMenu->id, "options");
    EXPECT_EQ(game.mCurrentMenu->selected, 0);
    const int arrowX = OptionsArrowX(test);

    // From "Turn Left:" Up selects "Previous Menu", and Down comes back.
    Press(test, SDL_SCANCODE_UP);
    EXPECT_EQ(game.mCurrentMenu->selected, OptionsPlace::PREVIOUS_MENU);
    Press(test, SDL_SCANCODE_DOWN);
    EXPECT_EQ(game.mCurrentMenu->selected, 0);
    EXPECT_EQ(test.TakeSounds(), Sounds(2, "select.wav"));

    // Down walks over every selectable entry, the arrow on its row, and wraps.
    for (int selection = 0; selection < OptionsPlace::COUNT; ++selection)
    {
        SCOPED_TRACE(selection);
        EXPECT_EQ(game.mCurrentMenu->selected, selection);
        RunUntilArrow(test, true);
        Wrapper expected = BlankFrame(test);
        const int row = OptionsRowY(SELECTED_ENTRY[selection]);
        DrawArrow(test, expected.Get<SDL_Surface>(), arrowX, row);
        // Only the arrow column: the labels are checked elsewhere.
        SDL_Rect column{arrowX, row, 8, 8};
        Wrapper drawn = BlankFrame(test);
        SDL_UpperBlit(test.Frame(), &column, drawn.Get<SDL_Surface>(), &column);
        EXPECT_EQ(CompareRows(drawn.Get<SDL_Surface>(), expected.Get<SDL_Surface>(), row, 8), "");
        Press(test, SDL_SCANCODE_DOWN);
    }
    EXPECT_EQ(game.mCurrentMenu->selected, 0);
    EXPECT_EQ(test.TakeSounds(), Sounds(OptionsPlace::COUNT, "select.wav"));

    // In particular: from "Select Scroll:" Down selects "Fullscreen:".
    Press(test, SDL_SCANCODE_DOWN, 9);
    EXPECT_EQ(game.mCurrentMenu->selected, 9);
    Press(test, SDL_SCANCODE_DOWN);
    EXPECT_EQ(game.mCurrentMenu->selected, 10);
    test.TakeSounds();

    // Left and Right move nothing while nothing is being adjusted.
    Press(test, SDL_SCANCODE_LEFT);
    Press(test, SDL_SCANCODE_RIGHT);
    EXPECT_EQ(game.mCurrentMenu->selected, 10);
    EXPECT_TRUE(game.mSettings.mFullscreen);
    EXPECT_TRUE(test.TakeSounds().empty());
}

TEST(MenuNavigation, EveryMenuKeepsItsSelection)
{
    TestGame test;
    Game& game = test.game();
    OpenOptionsFromTheMainMenu(test);
    Press(test, SDL_SCANCODE_DOWN, 5);
    EXPECT_EQ(game.mCurrentMenu->selected, 5);
    Press(test, SDL_SCANCODE_UP, 6);
    ASSERT_EQ(game.mCurrentMenu->selected, OptionsPlace::PREVIOUS_MENU);

    // "Previous Menu" without a game: the main menu, still on "Options".
    Press(test, SDL_SCANCODE_RETURN);
    ASSERT_EQ(game.GetGameState(), GameState::MainMenu);
    EXPECT_EQ(game.mCurrentMenu->selected, 1);
    Press(test, SDL_SCANCODE_RETURN);
    ASSERT_EQ(game.GetGameState(), GameState::Options);
    EXPECT_EQ(game.mCurrentMenu->selected, OptionsPlace::PREVIOUS_MENU);
    Press(test, SDL_SCANCODE_RETURN);
    ASSERT_EQ(game.GetGameState(), GameState::MainMenu);

    // A game: the in-game menu starts on "Back to Game" and keeps "Options".
    Press(test, SDL_SCANCODE_UP);
    Press(test, SDL_SCANCODE_RETURN);
    ASSERT_EQ(game.GetGameState(), GameState::Game);
    EXPECT_TRUE(game.mGameInProgress);
    Press(test, SDL_SCANCODE_ESCAPE);
    ASSERT_EQ(game.GetGameState(), GameState::InGameMenu);
    EXPECT_EQ(game.mCurrentMenu->selected, 0);
    Press(test, SDL_SCANCODE_DOWN);
    Press(test, SDL_SCANCODE_RETURN);
    ASSERT_EQ(game.GetGameState(), GameState::Options);
    EXPECT_EQ(game.mCurrentMenu->selected, OptionsPlace::PREVIOUS_MENU);
    Press(test, SDL_SCANCODE_RETURN);
    ASSERT_EQ(game.GetGameState(), GameState::InGameMenu);
    EXPECT_EQ(game.mCurrentMenu->selected, 1);
    Press(test, SDL_SCANCODE_ESCAPE);
    ASSERT_EQ(game.GetGameState(), GameState::Game);
    Press(test, SDL_SCANCODE_ESCAPE);
    ASSERT_EQ(game.GetGameState(), GameState::InGameMenu);
    EXPECT_EQ(game.mCurrentMenu->selected, 1);
    // And the wrap of a three-entry menu here too.
    Press(test, SDL_SCANCODE_DOWN, 2);
    EXPECT_EQ(game.mCurrentMenu->selected, 0);
    Press(test, SDL_SCANCODE_UP);
    EXPECT_EQ(game.mCurrentMenu->selected, 2);
}
