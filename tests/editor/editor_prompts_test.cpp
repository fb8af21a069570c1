#include "editor_harness.h"

#include <gtest/gtest.h>

namespace
{
const char* const OPEN_MESSAGE = "Please enter the map filename without the file extension, press "
                                 "F2 for a new map,\nor press ESC to cancel.";
const char* const SAVE_MESSAGE =
    "Please enter the map filename without the file extension, or press ESC to cancel.";
const char* const QUIT_TITLE = "Are you sure you want to quit without saving?";
const char* const QUIT_MESSAGE =
    "Press Y to quit without saving, N to save the map and quit, or ESC to cancel.";
const char* const WIDTH_MESSAGE =
    "Please enter the map width (allowed range: 1 to 64), or press ESC to cancel.";
const char* const HEIGHT_MESSAGE =
    "Please enter the map height (allowed range: 1 to 64), or press ESC to cancel.";

// Puts the editor into one of its prompt states by the usual keys.
void Reach(EditorHarness& editor, int state)
{
    switch (state)
    {
    case -4:
        editor.Paint(2, "Player", 1, 1);
        editor.Click(2, 2);
        break;
    case -3:
        editor.SaveAs("reached");
        break;
    case -2:
        editor.SaveAs("no/such/folder");
        break;
    case -1:
        editor.Open("missing");
        break;
    case 1:
        editor.Press(SDL_SCANCODE_O);
        break;
    case 2:
        editor.Press(SDL_SCANCODE_S);
        break;
    case 3:
        editor.Press(SDL_SCANCODE_ESCAPE);
        break;
    case 4:
        editor.Press(SDL_SCANCODE_F9);
        break;
    case 5:
        editor.Press(SDL_SCANCODE_F9);
        editor.Type("12");
        editor.Press(SDL_SCANCODE_RETURN);
        break;
    default:
        break;
    }
    ASSERT_EQ(editor.State(), state);
}
} // namespace

TEST(EditorPrompts, EachPromptShowsItsTexts)
{
    EditorHarness editor;
    Game& game = editor.game();
    editor.Press(SDL_SCANCODE_O);
    EXPECT_EQ(editor.State(), 1);
    EXPECT_EQ(game.mPromptTitle, "New / Open Map");
    EXPECT_EQ(game.mPromptMessage, OPEN_MESSAGE);
    EXPECT_TRUE(SDL_IsTextInputActive());
    editor.Press(SDL_SCANCODE_F2);
    EXPECT_EQ(editor.State(), 4);
    EXPECT_EQ(game.mPromptTitle, "New Map");
    EXPECT_EQ(game.mPromptMessage, WIDTH_MESSAGE);
    editor.Type("7");
    editor.Press(SDL_SCANCODE_RETURN);
    EXPECT_EQ(editor.State(), 5);
    EXPECT_EQ(game.mNewWidth, 7);
    EXPECT_EQ(game.mInputText, "");
    EXPECT_EQ(game.mPromptTitle, "New Map");
    EXPECT_EQ(game.mPromptMessage, HEIGHT_MESSAGE);
    editor.Press(SDL_SCANCODE_ESCAPE);
    EXPECT_FALSE(SDL_IsTextInputActive());

    editor.Press(SDL_SCANCODE_F9);
    EXPECT_EQ(game.mPromptTitle, "Resize Map");
    EXPECT_TRUE(game.mResizing);
    editor.Press(SDL_SCANCODE_ESCAPE);
    EXPECT_FALSE(game.mResizing);

    editor.Press(SDL_SCANCODE_S);
    EXPECT_EQ(game.mPromptTitle, "Save Map");
    EXPECT_EQ(game.mPromptMessage, SAVE_MESSAGE);
    EXPECT_EQ(game.mInputText, "untitled");
    editor.Press(SDL_SCANCODE_ESCAPE);

    editor.Press(SDL_SCANCODE_ESCAPE);
    EXPECT_EQ(editor.State(), 3);
    EXPECT_EQ(game.mPromptTitle, QUIT_TITLE);
    EXPECT_EQ(game.mPromptMessage, QUIT_MESSAGE);
    EXPECT_FALSE(SDL_IsTextInputActive());
}

TEST(EditorPrompts, EscapeAndClosingTheWindowLeaveEveryState)
{
    for (const bool closeWindow : {false, true})
    {
        for (const int state : {-4, -3, -2, -1, 1, 2, 3, 4, 5})
        {
            EditorHarness editor;
            Reach(editor, state);
            if (closeWindow)
            {
                editor.test().Quit();
                editor.Frame();
            }
            else
            {
                editor.Press(SDL_SCANCODE_ESCAPE);
            }
            EXPECT_EQ(editor.State(), 0) << state;
            EXPECT_FALSE(editor.game().mResizing) << state;
            EXPECT_FALSE(editor.game().mQuitAfterSave) << state;
            EXPECT_TRUE(editor.game().mRunning) << state;
        }
        // With no prompt open both ask the quit question.
        EditorHarness editor;
        if (closeWindow)
        {
            editor.test().Quit();
            editor.Frame();
        }
        else
        {
            editor.Press(SDL_SCANCODE_ESCAPE);
        }
        EXPECT_EQ(editor.State(), 3);
        EXPECT_TRUE(editor.game().mRunning);
    }
}

TEST(EditorPrompts, MessagesAreDismissedByCommandKeysAndTheMouseOnly)
{
    EditorHarness editor;
    Game& game = editor.game();
    Reach(editor, -1);
    EXPECT_EQ(game.mPromptMessage, "Error while trying to open map file: missing.map");
    editor.Press(SDL_SCANCODE_B); // no command
    EXPECT_EQ(editor.State(), -1);
    editor.Type("zz"); // typed text is not read by messages
    EXPECT_EQ(editor.State(), -1);
    editor.Press(SDL_SCANCODE_F5); // dismisses without hiding the walls
    EXPECT_EQ(editor.State(), 0);
    EXPECT_TRUE(game.mShowWalls);

    Reach(editor, -1);
    editor.test().MouseMotion(700, 300);
    editor.Frame();
    EXPECT_EQ(editor.State(), 0);
    Reach(editor, -1);
    editor.test().MouseButton(700, 300, SDL_BUTTON_LEFT);
    editor.Frame();
    EXPECT_EQ(editor.State(), 0);

    // With no prompt the other keys do their work; keys of other states do nothing.
    editor.Press(SDL_SCANCODE_F5);
    editor.Press(SDL_SCANCODE_F6);
    editor.Press(SDL_SCANCODE_F7);
    EXPECT_FALSE(game.mShowWalls);
    EXPECT_FALSE(game.mShowFloors);
    EXPECT_FALSE(game.mShowEntities);
    editor.Press(SDL_SCANCODE_Y);
    editor.Press(SDL_SCANCODE_N);
    editor.Press(SDL_SCANCODE_RETURN);
    editor.Press(SDL_SCANCODE_F2);
    EXPECT_EQ(editor.State(), 0);
    EXPECT_TRUE(game.mRunning);

    // In a text prompt the command keys do nothing and the mouse neither paints
    // nor moves the cursor.
    editor.MoveTo(3, 3);
    Reach(editor, 1);
    editor.Press(SDL_SCANCODE_C);
    editor.Press(SDL_SCANCODE_F5);
    editor.Click(5, 5);
    EXPECT_EQ(game.mCurrentLayer, 0);
    EXPECT_FALSE(game.mShowWalls);
    EXPECT_EQ(editor.WallName(5, 5), "Nothing");
    EXPECT_EQ(game.mCursorX, 3);
    EXPECT_EQ(editor.State(), 1);
}

TEST(EditorPrompts, TypingEditingAndSubmittingText)
{
    EditorHarness editor;
    Game& game = editor.game();
    Reach(editor, 1);
    // Return on nothing or blanks, Backspace on nothing: no effect.
    editor.Press(SDL_SCANCODE_RETURN);
    editor.Press(SDL_SCANCODE_BACKSPACE);
    EXPECT_EQ(editor.State(), 1);
    editor.Type("  \t");
    editor.Press(SDL_SCANCODE_RETURN);
    EXPECT_EQ(editor.State(), 1);
    EXPECT_EQ(game.mInputText, "  \t");
    editor.ClearInput();
    editor.Type("lev");
    editor.Type("el x");
    editor.Press(SDL_SCANCODE_BACKSPACE);
    editor.Press(SDL_SCANCODE_BACKSPACE);
    EXPECT_EQ(game.mInputText, "level");
    editor.Press(SDL_SCANCODE_ESCAPE);

    // Size prompts take text only when it starts with a digit.
    Reach(editor, 4);
    editor.Type("a");
    editor.Type("-1");
    editor.Type(" 3");
    EXPECT_EQ(game.mInputText, "");
    editor.Type("6x");
    editor.Type("4");
    EXPECT_EQ(game.mInputText, "6x4");
    editor.Press(SDL_SCANCODE_RETURN); // read as 6
    EXPECT_EQ(editor.State(), 5);
    EXPECT_EQ(game.mNewWidth, 6);

    // Out of range, zero and numbers too long for an int are refused; the
    // prompt stays with its text and the program goes on.
    for (const std::string refused : {"0", "65", "000", "99999999999", "2147483648"})
    {
        editor.Type(refused);
        editor.Press(SDL_SCANCODE_RETURN);
        EXPECT_EQ(editor.State(), 5) << refused;
        EXPECT_EQ(game.mInputText, refused);
        EXPECT_TRUE(game.mRunning);
        editor.ClearInput();
    }
    editor.Type("064");
    editor.Press(SDL_SCANCODE_RETURN);
    EXPECT_EQ(editor.State(), 0);
    EXPECT_EQ(game.mMapWidth, 6);
    EXPECT_EQ(game.mMapHeight, 64);
}

TEST(EditorPrompts, ADigitTypedRightAfterTheWidthGoesIntoTheHeight)
{
    // A quick typist: width, Return and height within one frame.
    EditorHarness editor;
    Reach(editor, 4);
    editor.test().Text("10");
    editor.test().KeyDown(SDL_SCANCODE_RETURN);
    editor.test().Text("5");
    editor.test().KeyDown(SDL_SCANCODE_RETURN);
    editor.Frame();
    EXPECT_EQ(editor.State(), 0);
    EXPECT_EQ(editor.game().mMapWidth, 10);
    EXPECT_EQ(editor.game().mMapHeight, 5);
}

TEST(EditorPrompts, TheKeyThatOpensAPromptIsNotTypedIntoIt)
{
    EditorHarness editor;
    editor.test().KeyDown(SDL_SCANCODE_S);
    editor.test().Text("s");
    editor.Frame();
    EXPECT_EQ(editor.game().mInputText, "untitled");
    editor.Press(SDL_SCANCODE_ESCAPE);
    editor.test().KeyDown(SDL_SCANCODE_O);
    editor.test().Text("o");
    editor.Frame();
    EXPECT_EQ(editor.game().mInputText, "");
}

TEST(EditorPrompts, TheQuitQuestion)
{
    {
        // Y ends the program without saving.
        EditorHarness editor;
        editor.Press(SDL_SCANCODE_ESCAPE);
        editor.Press(SDL_SCANCODE_Y);
        EXPECT_FALSE(editor.game().mRunning);
        EXPECT_FALSE(editor.test().dir().Exists("data/maps/untitled.map"));
    }
    {
        // Other keys do not answer it.
        EditorHarness editor;
        editor.Press(SDL_SCANCODE_ESCAPE);
        editor.Press(SDL_SCANCODE_O);
        editor.Press(SDL_SCANCODE_RETURN);
        editor.Type("y");
        EXPECT_EQ(editor.State(), 3);
        EXPECT_TRUE(editor.game().mRunning);
    }
    {
        // N saves, the message shows, and dismissing it ends the program.
        EditorHarness editor(EditorHarness::Files{{"data/maps/level.map", "1\n1\n\n2\n\n0\n\n"}});
        editor.Open("level");
        editor.Press(SDL_SCANCODE_ESCAPE);
        editor.Press(SDL_SCANCODE_N);
        EXPECT_EQ(editor.State(), 2);
        EXPECT_TRUE(editor.game().mQuitAfterSave);
        EXPECT_EQ(editor.game().mInputText, "level");
        editor.Type("2");
        editor.Press(SDL_SCANCODE_RETURN);
        EXPECT_EQ(editor.State(), -3);
        EXPECT_EQ(editor.game().mPromptMessage, "level2.map map saved succesfully!");
        EXPECT_TRUE(editor.game().mRunning);
        EXPECT_EQ(editor.ReadMap("level2.map"), "1\n1\n\n2\n\n0\n\n");
        editor.test().MouseMotion(10, 10);
        editor.Frame();
        EXPECT_FALSE(editor.game().mRunning);
    }
    {
        // Closing the window dismisses it just the same.
        EditorHarness editor;
        editor.Press(SDL_SCANCODE_ESCAPE);
        editor.Press(SDL_SCANCODE_N);
        editor.Press(SDL_SCANCODE_RETURN);
        editor.test().Quit();
        editor.Frame();
        EXPECT_FALSE(editor.game().mRunning);
    }
    {
        // A failed save returns to editing without quitting.
        EditorHarness editor;
        editor.Press(SDL_SCANCODE_ESCAPE);
        editor.Press(SDL_SCANCODE_N);
        editor.ClearInput();
        editor.Type("missing/folder");
        editor.Press(SDL_SCANCODE_RETURN);
        EXPECT_EQ(editor.State(), -2);
        editor.Press(SDL_SCANCODE_A);
        EXPECT_EQ(editor.State(), 0);
        EXPECT_FALSE(editor.game().mQuitAfterSave);
        EXPECT_TRUE(editor.game().mRunning);
    }
    {
        // Escape in the save prompt cancels the quit.
        EditorHarness editor;
        editor.Press(SDL_SCANCODE_ESCAPE);
        editor.Press(SDL_SCANCODE_N);
        editor.Press(SDL_SCANCODE_ESCAPE);
        EXPECT_EQ(editor.State(), 0);
        EXPECT_FALSE(editor.game().mQuitAfterSave);
        EXPECT_TRUE(editor.game().mRunning);
    }
}

TEST(EditorPrompts, AMessageIsShownForAFrameBeforeTheQueueMovesOn)
{
    // Return and a mouse move arrive together: the saved message is drawn
    // first, and only the next frame's handling dismisses it and ends.
    EditorHarness editor;
    editor.Press(SDL_SCANCODE_ESCAPE);
    editor.Press(SDL_SCANCODE_N);
    editor.test().KeyDown(SDL_SCANCODE_RETURN);
    editor.test().MouseMotion(10, 10);
    editor.Frame();
    EXPECT_EQ(editor.State(), -3);
    EXPECT_TRUE(editor.game().mRunning);
    editor.Frame();
    EXPECT_EQ(editor.State(), 0);
    EXPECT_FALSE(editor.game().mRunning);
}

TEST(EditorPrompts, TheSavePromptOffersTheCurrentNameWithoutItsExtension)
{
    EditorHarness editor(EditorHarness::Files{{"data/maps/my.map.map", "1\n1\n\n0\n\n0\n\n"},
                                              {"data/maps/level.map", "1\n1\n\n0\n\n0\n\n"}});
    editor.Open("level");
    editor.Press(SDL_SCANCODE_S);
    EXPECT_EQ(editor.game().mInputText, "level");
    editor.Press(SDL_SCANCODE_ESCAPE);
    editor.Open("my.map");
    editor.Press(SDL_SCANCODE_S);
    EXPECT_EQ(editor.game().mInputText, "my.map");
}
