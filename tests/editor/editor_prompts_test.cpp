#include "editor_harness.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{
const std::string FILE_MESSAGE = "Please enter the map filename without the file extension, ";
const std::string SIZE_MESSAGE = " (allowed range: 1 to 64), or press ESC to cancel.";

// Every prompt state, the keys and text that reach it and the texts it shows.
const struct
{
    int state;
    SDL_Scancode key;
    const char* typed;
    bool submit;
    std::string title;
    std::string message;
} PROMPTS[] = {
    {-3, SDL_SCANCODE_S, "", true, "Save Map", "untitled.map map saved succesfully!"},
    {-2, SDL_SCANCODE_S, "/x", true, "Save Map",
     "Error while trying to save map file: untitled/x.map"},
    {-1, SDL_SCANCODE_O, "missing", true, "Open Map",
     "Error while trying to open map file: missing.map"},
    {1, SDL_SCANCODE_O, "", false, "New / Open Map",
     FILE_MESSAGE + "press F2 for a new map,\nor press ESC to cancel."},
    {2, SDL_SCANCODE_S, "", false, "Save Map", FILE_MESSAGE + "or press ESC to cancel."},
    {3, SDL_SCANCODE_ESCAPE, "", false, "Are you sure you want to quit without saving?",
     "Press Y to quit without saving, N to save the map and quit, or ESC to cancel."},
    {4, SDL_SCANCODE_F9, "", false, "Resize Map", "Please enter the map width" + SIZE_MESSAGE},
    {5, SDL_SCANCODE_F9, "12", true, "Resize Map", "Please enter the map height" + SIZE_MESSAGE},
};
} // namespace

TEST(EditorPrompts, EveryPromptShowsItsTextsAndEscapeOrClosingTheWindowLeavesIt)
{
    for (const bool closeWindow : {false, true})
    {
        for (const auto& prompt : PROMPTS)
        {
            SCOPED_TRACE(prompt.state);
            EditorHarness editor;
            Game& game = editor.game();
            editor.Press(prompt.key);
            editor.Type(prompt.typed);
            if (prompt.submit)
            {
                editor.Press(SDL_SCANCODE_RETURN);
            }
            ASSERT_EQ(editor.State(), prompt.state);
            EXPECT_EQ(game.mPromptTitle, prompt.title);
            EXPECT_EQ(game.mPromptMessage, prompt.message);
            EXPECT_EQ(SDL_IsTextInputActive(), prompt.state > 0 && prompt.state != 3);
            const auto leave = [&]
            {
                closeWindow ? editor.test().Quit() : editor.test().KeyDown(SDL_SCANCODE_ESCAPE);
                editor.Frame();
                editor.test().KeyUp(SDL_SCANCODE_ESCAPE);
            };
            leave();
            EXPECT_EQ(editor.State(), 0);
            EXPECT_FALSE(game.mResizing);
            EXPECT_FALSE(game.mQuitAfterSave);
            EXPECT_FALSE(SDL_IsTextInputActive());
            // With no prompt open both ask the quit question.
            leave();
            EXPECT_EQ(editor.State(), 3);
            EXPECT_TRUE(game.mRunning);
        }
    }
    // A new map asks for the size under its own title.
    EditorHarness editor;
    editor.Press(SDL_SCANCODE_O);
    editor.Press(SDL_SCANCODE_F2);
    EXPECT_EQ(editor.State(), 4);
    EXPECT_EQ(editor.game().mPromptTitle, "New Map");
}

TEST(EditorPrompts, MessagesAreDismissedByCommandKeysAndTheMouseOnly)
{
    EditorHarness editor;
    Game& game = editor.game();
    editor.Open("missing");
    editor.Press(SDL_SCANCODE_B); // no command
    editor.Type("zz");            // typed text is not read by messages
    EXPECT_EQ(editor.State(), -1);
    editor.Press(SDL_SCANCODE_F5); // dismisses without hiding the walls
    EXPECT_EQ(editor.State(), 0);
    EXPECT_TRUE(game.mShowWalls);
    editor.Open("missing");
    editor.test().MouseMotion(700, 300);
    editor.Frame();
    EXPECT_EQ(editor.State(), 0);
    editor.Open("missing");
    editor.test().MouseButton(700, 300, SDL_BUTTON_LEFT);
    editor.Frame();
    EXPECT_EQ(editor.State(), 0);

    // With no prompt the other keys do their work; keys of other states do nothing.
    for (const SDL_Scancode key :
         {SDL_SCANCODE_F5, SDL_SCANCODE_F6, SDL_SCANCODE_F7, SDL_SCANCODE_Y, SDL_SCANCODE_N,
          SDL_SCANCODE_RETURN, SDL_SCANCODE_F2})
    {
        editor.Press(key);
        EXPECT_EQ(editor.State(), 0);
    }
    EXPECT_FALSE(game.mShowWalls || game.mShowFloors || game.mShowEntities);
    EXPECT_TRUE(game.mRunning);

    // In a text prompt the command keys do nothing and the mouse neither paints
    // nor moves the cursor.
    editor.MoveTo(3, 3);
    editor.Press(SDL_SCANCODE_O);
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
    editor.Press(SDL_SCANCODE_O);
    // Return on nothing or blanks, Backspace on nothing: no effect.
    editor.Press(SDL_SCANCODE_RETURN);
    editor.Press(SDL_SCANCODE_BACKSPACE);
    editor.Type("  \t");
    editor.Press(SDL_SCANCODE_RETURN);
    EXPECT_EQ(editor.State(), 1);
    EXPECT_EQ(game.mInputText, "  \t");
    editor.Press(SDL_SCANCODE_ESCAPE);

    // Size prompts take text only when it starts with a digit; "6x4" reads as 6.
    editor.Press(SDL_SCANCODE_F9);
    for (const char* text : {"a", "-1", " 3", "6x", "4"})
    {
        editor.Type(text);
    }
    EXPECT_EQ(game.mInputText, "6x4");
    editor.Press(SDL_SCANCODE_RETURN);
    EXPECT_EQ(editor.State(), 5);
    // Out of range, zero and numbers too long for an int are refused; the
    // prompt stays with its text and the program goes on.
    for (const std::string refused : {"0", "65", "000", "99999999999", "2147483648"})
    {
        editor.Type(refused);
        editor.Press(SDL_SCANCODE_RETURN);
        EXPECT_EQ(editor.State(), 5) << refused;
        EXPECT_EQ(game.mInputText, refused);
        editor.ClearInput();
    }
    editor.Type("064");
    editor.Press(SDL_SCANCODE_RETURN);
    EXPECT_EQ(game.mMapWidth, 6);
    EXPECT_EQ(game.mMapHeight, 64);

    // A quick typist: width, Return and height within one frame.
    editor.Press(SDL_SCANCODE_F9);
    editor.test().Text("10");
    editor.test().KeyDown(SDL_SCANCODE_RETURN);
    editor.test().Text("5");
    editor.test().KeyDown(SDL_SCANCODE_RETURN);
    editor.Frame();
    EXPECT_EQ(game.mMapWidth, 10);
    EXPECT_EQ(game.mMapHeight, 5);
    // The key that opens a prompt is not typed into it.
    editor.test().KeyDown(SDL_SCANCODE_S);
    editor.test().Text("s");
    editor.Frame();
    EXPECT_EQ(game.mInputText, "untitled");
}

TEST(EditorPrompts, TheQuitQuestion)
{
    // Y ends the program without saving.
    EditorHarness quitter;
    quitter.Press(SDL_SCANCODE_ESCAPE);
    quitter.Press(SDL_SCANCODE_Y);
    EXPECT_FALSE(quitter.game().mRunning);
    EXPECT_FALSE(quitter.test().dir().Exists("data/maps/untitled.map"));
    // N offers to save first.
    const struct
    {
        const char* name;
        std::function<void(EditorHarness&)> answer;
        bool running;
    } answers[] = {
        // The saved message shows, and dismissing it ends the program.
        {"a mouse move",
         [](EditorHarness& e)
         {
             e.Type("2");
             e.Press(SDL_SCANCODE_RETURN);
             EXPECT_EQ(e.game().mPromptMessage, "level2.map map saved succesfully!");
             EXPECT_EQ(e.ReadMap("level2.map"), "1\n1\n\n2\n\n0\n\n");
             EXPECT_TRUE(e.game().mRunning);
             e.MoveTo(1, 1);
         },
         false},
        // Return and a mouse move arrive together: the saved message is drawn
        // first, and only the next frame's handling dismisses it and ends.
        {"a quick mouse",
         [](EditorHarness& e)
         {
             e.test().KeyDown(SDL_SCANCODE_RETURN);
             e.test().MouseMotion(10, 10);
             e.Frame();
             EXPECT_EQ(e.State(), -3);
             EXPECT_TRUE(e.game().mRunning);
             e.Frame();
         },
         false},
        {"a failed save returns to editing",
         [](EditorHarness& e)
         {
             e.Type("/folder");
             e.Press(SDL_SCANCODE_RETURN);
             EXPECT_EQ(e.State(), -2);
             e.Press(SDL_SCANCODE_A);
         },
         true},
        {"Escape in the save prompt cancels",
         [](EditorHarness& e) { e.Press(SDL_SCANCODE_ESCAPE); }, true},
    };
    for (const auto& answer : answers)
    {
        SCOPED_TRACE(answer.name);
        EditorHarness editor(EditorHarness::Files{{"data/maps/level.map", "1\n1\n\n2\n\n0\n\n"}});
        editor.Open("level");
        editor.Press(SDL_SCANCODE_ESCAPE);
        editor.Press(SDL_SCANCODE_N);
        EXPECT_EQ(editor.game().mInputText, "level");
        answer.answer(editor);
        EXPECT_EQ(editor.State(), 0);
        EXPECT_EQ(editor.game().mRunning, answer.running);
        EXPECT_FALSE(editor.game().mQuitAfterSave && answer.running);
    }
}
