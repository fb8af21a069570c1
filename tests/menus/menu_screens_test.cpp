#include "menus/menu_screen.h"

#include "core/utils.h"
#include "support/test_images.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
constexpr int SOUND_VOLUME_ENTRY = 15;
constexpr int MUSIC_VOLUME_ENTRY = 17;

// Half of a colour channel, as blending at alpha 128 over black gives it (within one step).
bool IsHalfOf(int dimmed, int original)
{
    const int half = original * 128 / 255;
    return dimmed >= half - 1 && dimmed <= half + 1;
}
} // namespace

TEST(MenuScreens, TheMainMenuAndItsArrow)
{
    TestGame test;
    RunUntilArrow(test, true);
    Wrapper screen = ExpectedMainMenu(test, 0, true);
    EXPECT_EQ(CompareRows(test.Frame(), screen.Get<SDL_Surface>(), 0, 240), "");
    RunUntilArrow(test, false);
    screen = ExpectedMainMenu(test, 0, false);
    EXPECT_EQ(CompareRows(test.Frame(), screen.Get<SDL_Surface>(), 0, 240), "");

    // Up from "New Game": the arrow on "Quit".
    Press(test, SDL_SCANCODE_UP);
    RunUntilArrow(test, true);
    screen = ExpectedMainMenu(test, 2, true);
    EXPECT_EQ(CompareRows(test.Frame(), screen.Get<SDL_Surface>(), 0, 240), "");
}

TEST(MenuScreens, TheOptionsScreenAndItsSecondPage)
{
    TestGame test;
    OpenOptionsFromTheMainMenu(test);
    RunUntilArrow(test, true);
    EXPECT_EQ(CompareWithReference(test.Frame(), "options.png"), "");
    Press(test, SDL_SCANCODE_UP, 3);
    Press(test, SDL_SCANCODE_RETURN);
    RunUntilArrow(test, true);
    EXPECT_EQ(CompareWithReference(test.Frame(), "options_mouse_and_gamepad.png"), "");
}

TEST(MenuScreens, AnAwaitedKeyShowsABlinkingQuestionMarkAndNoArrow)
{
    TestGame test;
    OpenOptionsFromTheMainMenu(test);
    const int arrowX = OptionsArrowX(test);
    RunUntilArrow(test, true);
    EXPECT_EQ(CompareOptionsRow(test, 0, "Turn Left: Left", arrowX), "");

    Press(test, SDL_SCANCODE_RETURN);
    for (int blink = 0; blink < 2; ++blink)
    {
        RunUntilArrow(test, true);
        EXPECT_EQ(CompareOptionsRow(test, 0, "Turn Left: ?", -1), "");
        RunUntilArrow(test, false);
        EXPECT_EQ(CompareOptionsRow(test, 0, "Turn Left:", -1), "");
    }
    Press(test, SDL_SCANCODE_RETURN);
    RunUntilArrow(test, true);
    EXPECT_EQ(CompareOptionsRow(test, 0, "Turn Left: Return", arrowX), "");

    // The last binding, and a key with a longer name.
    Press(test, SDL_SCANCODE_DOWN, 9);
    Press(test, SDL_SCANCODE_RETURN);
    RunUntilArrow(test, true);
    EXPECT_EQ(CompareOptionsRow(test, 9, "Select Scroll: ?", -1), "");
    EXPECT_EQ(CompareOptionsRow(test, 8, "Select Fireball: 1", -1), "");
    Press(test, SDL_SCANCODE_KP_ENTER);
    RunUntilArrow(test, true);
    EXPECT_EQ(CompareOptionsRow(test, 9, "Select Scroll: Keypad Enter", arrowX), "");
}

TEST(MenuScreens, SwitchesShowOnAndOff)
{
    TestGame test;
    OpenOptionsFromTheMainMenu(test);
    const int arrowX = OptionsArrowX(test);
    struct Switch
    {
        int selection;
        int entry;
        std::string label;
        bool on;
    };
    // The test window opens fullscreen (the default settings); vsync is off.
    const Switch switches[] = {{10, 11, "Fullscreen:", true},
                               {11, 12, "VSync:", false},
                               {12, 14, "Sound:", true},
                               {14, 16, "Music:", true}};
    for (const Switch& entry : switches)
    {
        SCOPED_TRACE(entry.label);
        Press(test, SDL_SCANCODE_DOWN, entry.selection - test.game().mCurrentMenu->selected);
        const std::string before = entry.label + (entry.on ? " On" : " Off");
        const std::string after = entry.label + (entry.on ? " Off" : " On");
        RunUntilArrow(test, true);
        EXPECT_EQ(CompareOptionsRow(test, entry.entry, before, arrowX), "");
        Press(test, SDL_SCANCODE_RETURN);
        RunUntilArrow(test, true);
        EXPECT_EQ(CompareOptionsRow(test, entry.entry, after, arrowX), "");
        RunUntilArrow(test, false);
        EXPECT_EQ(CompareOptionsRow(test, entry.entry, after, -1), "");
    }
}

TEST(MenuScreens, VolumesShowTheirPercentageAndTheArrowFollowsTheLabel)
{
    TestGame test;
    OpenOptionsFromTheMainMenu(test);
    const int arrowX = OptionsArrowX(test);
    Press(test, SDL_SCANCODE_DOWN, 13);
    RunUntilArrow(test, true);
    EXPECT_EQ(CompareOptionsRow(test, SOUND_VOLUME_ENTRY, "Sound Volume: 50%", arrowX), "");

    // While adjusting, the arrow stands just after the label.
    const int adjustingX = arrowX + 8 + 8 * 13;
    Press(test, SDL_SCANCODE_RETURN);
    // One step of 128 moves the shown percentage by 0 or 1: 65, 66 and 67 of 128.
    const char* const shown[] = {"50%", "51%", "52%"};
    for (int i = 0; i < 3; ++i)
    {
        Press(test, SDL_SCANCODE_RIGHT);
        RunUntilArrow(test, true);
        EXPECT_EQ(CompareOptionsRow(test, SOUND_VOLUME_ENTRY,
                                    std::string("Sound Volume: ") + shown[i], adjustingX),
                  "");
    }
    RunUntilArrow(test, false);
    EXPECT_EQ(CompareOptionsRow(test, SOUND_VOLUME_ENTRY, "Sound Volume: 52%", -1), "");
    for (int i = 0; i < 70; ++i)
    {
        test.KeyDown(SDL_SCANCODE_UP);
    }
    RunUntilArrow(test, true);
    EXPECT_EQ(CompareOptionsRow(test, SOUND_VOLUME_ENTRY, "Sound Volume: 100%", adjustingX), "");
    for (int i = 0; i < 130; ++i)
    {
        test.KeyDown(SDL_SCANCODE_DOWN);
    }
    RunUntilArrow(test, true);
    EXPECT_EQ(CompareOptionsRow(test, SOUND_VOLUME_ENTRY, "Sound Volume: 0%", adjustingX), "");
    Press(test, SDL_SCANCODE_RETURN);
    RunUntilArrow(test, true);
    EXPECT_EQ(CompareOptionsRow(test, SOUND_VOLUME_ENTRY, "Sound Volume: 0%", arrowX), "");

    // The music volume: 63 of 128 shows as 49%.
    Press(test, SDL_SCANCODE_DOWN, 2);
    Press(test, SDL_SCANCODE_RETURN);
    Press(test, SDL_SCANCODE_LEFT);
    RunUntilArrow(test, true);
    EXPECT_EQ(CompareOptionsRow(test, MUSIC_VOLUME_ENTRY, "Music Volume: 49%", arrowX + 8 + 8 * 13),
              "");
    EXPECT_EQ(CompareOptionsRow(test, SOUND_VOLUME_ENTRY, "Sound Volume: 0%", -1), "");
}

TEST(MenuScreens, AVolumeAboveTheRangeInTheSettingsShowsAsItIsPlayed)
{
    TestGame::Options options;
    options.files = {{"ql3d.cfg", "80 79 82 81 44 224 225 226 30 31\n500 -7 0 0 1 1\n"}};
    TestGame test(options);
    OpenOptionsFromTheMainMenu(test);
    RunUntilArrow(test, false);
    EXPECT_EQ(CompareOptionsRow(test, SOUND_VOLUME_ENTRY, "Sound Volume: 100%", -1), "");
    EXPECT_EQ(CompareOptionsRow(test, MUSIC_VOLUME_ENTRY, "Music Volume: 0%", -1), "");
    EXPECT_EQ(CompareOptionsRow(test, 11, "Fullscreen: Off", -1), "");
}

TEST(MenuScreens, TheInGameMenuShowsTheGameAtHalfStrength)
{
    TestGame test;
    Game& game = test.game();
    Press(test, SDL_SCANCODE_RETURN);
    test.RunFrames(3);
    Wrapper gameFrame = CopyFrame(test);
    Press(test, SDL_SCANCODE_ESCAPE);
    ASSERT_EQ(game.GetGameState(), GameState::InGameMenu);

    // Above the title and below the two help lines nothing but the game shows.
    SDL_Surface* title = game.mImageManager->GetImage("title");
    const int titleTop = (test.Frame()->h - title->h - 120) / 2;
    const int helpEnd = (test.Frame()->h - 16 * 3) / 2 + 8 * 3 + 40;
    int checked = 0;
    for (int y = 0; y < test.Frame()->h; ++y)
    {
        if (y >= titleTop && y < helpEnd)
        {
            continue;
        }
        for (int x = 0; x < test.Frame()->w; ++x)
        {
            const Rgb original = TestGame::PixelAt(gameFrame.Get<SDL_Surface>(), x, y);
            const Rgb dimmed = test.FramePixel(x, y);
            ASSERT_TRUE(IsHalfOf(dimmed.r, original.r) && IsHalfOf(dimmed.g, original.g) &&
                        IsHalfOf(dimmed.b, original.b))
                << "at " << x << ", " << y;
            ++checked;
        }
    }
    EXPECT_GT(checked, 320 * 100);

    // The whole screen, and the options over the game.
    RunUntilArrow(test, true);
    Wrapper screen = ExpectedInGameMenu(test, gameFrame.Get<SDL_Surface>(), 0, true);
    EXPECT_EQ(CompareRows(test.Frame(), screen.Get<SDL_Surface>(), 0, 240), "");
    Press(test, SDL_SCANCODE_DOWN);
    Press(test, SDL_SCANCODE_RETURN);
    ASSERT_EQ(game.GetGameState(), GameState::Options);
    RunUntilArrow(test, false);
    EXPECT_EQ(CompareWithReference(test.Frame(), "options_over_the_game.png"), "");
}
