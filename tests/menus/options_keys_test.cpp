#include "menus/menu_screen.h"
#include "menus/options_places.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace
{
bool WindowIsFullscreen(Game& game)
{
    return (SDL_GetWindowFlags(game.mFramework->GetWindow()) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
}

// The sounds played since the last call, a run of the same sound named once.
std::string TakeSoundNames(TestGame& test)
{
    std::string names;
    std::string last;
    for (const std::string& sound : test.TakeSounds())
    {
        names += sound == last ? "" : (names.empty() ? "" : " ") + sound;
        last = sound;
    }
    return names;
}

} // namespace

TEST(OptionsKeys, EveryKindOfEntryFollowsTheKeysOnScreen)
{
    TestGame test;
    Game& game = test.game();
    OpenOptionsFromTheMainMenu(test);
    constexpr SDL_Scancode NONE = SDL_SCANCODE_UNKNOWN;
    // A key tapped so many times, then the row of the entry read in the arrow's
    // blink phase, and the sounds heard.
    const struct
    {
        SDL_Scancode key;
        int times;
        bool arrow;
        int entry;
        const char* row;
        const char* sounds;
    } steps[] = {
        {NONE, 0, true, 0, ">Turn Left: Left", ""},
        // Return awaits a key: a blinking question mark and no arrow.
        {RETURN, 1, true, 0, " Turn Left: ?", "selected.wav"},
        {NONE, 0, false, 0, " Turn Left:", ""},
        {RETURN, 1, true, 0, ">Turn Left: Return", "selected.wav"},
        {RETURN, 1, true, 0, " Turn Left: ?", "selected.wav"},
        {ESCAPE, 1, true, 0, ">Turn Left: Return", "back.wav"},
        // An arrow key is bound silently and moves nothing; then arrows move again.
        {RETURN, 1, true, 0, " Turn Left: ?", "selected.wav"},
        {DOWN, 1, true, 0, ">Turn Left: Down", ""},
        {DOWN, 1, true, 1, ">Turn Right: Right", "select.wav"},
        // Other keys bind only while a key is awaited; Escape never.
        {SDL_SCANCODE_B, 1, true, 1, ">Turn Right: Right", ""},
        {RETURN, 1, true, 1, " Turn Right: ?", "selected.wav"},
        {SDL_SCANCODE_A, 1, true, 1, ">Turn Right: A", ""},
        {ESCAPE, 1, true, 1, ">Turn Right: A", ""},
        {DOWN, 8, true, 9, ">Select Scroll: 2", "select.wav"},
        {RETURN, 1, true, 9, " Select Scroll: ?", "selected.wav"},
        {SDL_SCANCODE_KP_ENTER, 1, true, 9, ">Select Scroll: Keypad Enter", ""},
        // The switches show the window, the renderer and the audio as they are.
        {DOWN, 1, true, 11, ">Fullscreen: On", "select.wav"},
        {RETURN, 1, true, 11, ">Fullscreen: Off", "selected.wav"},
        {RETURN, 1, false, 11, " Fullscreen: On", "selected.wav"},
        {DOWN, 1, true, 12, ">VSync: Off", "select.wav"},
        {RETURN, 1, true, 12, ">VSync: On", "selected.wav"},
        // With the sound switched off its own confirmation is not heard.
        {DOWN, 1, true, 14, ">Sound: On", "select.wav"},
        {RETURN, 1, true, 14, ">Sound: Off", ""},
        {DOWN, 1, true, 15, ">Sound Volume: 50%", ""},
        {UP, 1, true, 14, ">Sound: Off", ""},
        {RETURN, 1, true, 14, ">Sound: On", "selected.wav"},
        // A volume steps by one of 128 while adjusted, the arrow after its label.
        {DOWN, 1, true, 15, ">Sound Volume: 50%", "select.wav"},
        {RETURN, 1, true, 15, " Sound Volume:>50%", "selected.wav"},
        {RIGHT, 1, true, 15, " Sound Volume:>50%", ""},
        {UP, 1, true, 15, " Sound Volume:>51%", ""},
        {RIGHT, 1, true, 15, " Sound Volume:>52%", ""},
        {DOWN, 1, true, 15, " Sound Volume:>51%", ""},
        {LEFT, 1, false, 15, " Sound Volume: 50%", ""},
        {RIGHT, 70, true, 15, " Sound Volume:>100%", ""},
        {LEFT, 130, true, 15, " Sound Volume:>0%", ""},
        {RETURN, 1, true, 15, ">Sound Volume: 0%", "selected.wav"},
        {RIGHT, 1, true, 15, ">Sound Volume: 0%", ""},
        // Escape ends an adjustment with "back.wav", any other key silently.
        {DOWN, 2, true, 17, ">Music Volume: 50%", "select.wav"},
        {RETURN, 1, true, 17, " Music Volume:>50%", "selected.wav"},
        {LEFT, 1, true, 17, " Music Volume:>49%", ""},
        {ESCAPE, 1, true, 17, ">Music Volume: 49%", "back.wav"},
        {RETURN, 1, true, 17, " Music Volume:>49%", "selected.wav"},
        {SDL_SCANCODE_C, 1, true, 17, ">Music Volume: 49%", ""},
        {UP, 1, true, 16, ">Music: On", "select.wav"},
        {RETURN, 1, true, 16, ">Music: Off", "selected.wav"},
        // The commands below are centred; the arrow stays in its column.
        {DOWN, 4, true, 20, ">", "select.wav"},
    };
    for (const auto& step : steps)
    {
        SCOPED_TRACE(step.row);
        Press(test, step.key, step.times);
        RunUntilArrow(test, step.arrow);
        EXPECT_EQ(OptionsRow(test, step.entry), step.row);
        EXPECT_EQ(TakeSoundNames(test), step.sounds);
    }
    EXPECT_EQ(game.GetGameState(), GameState::Options);
    EXPECT_EQ(game.mSettings.Format(), "81 4 82 81 44 224 225 226 30 88\n0 63 1 1 1 0\n1 30 25\n");
    EXPECT_EQ(Mix_PausedMusic(), 1);

    // The new keys act at once in play; a key bound twice drives the first action.
    PressAll(test, {{RETURN, 1}, {UP, 1}, {RETURN, 1}});
    ASSERT_EQ(game.GetGameState(), GameState::Game);
    test.KeyDown(SDL_SCANCODE_A);
    test.KeyDown(DOWN);
    game.HandleEvents();
    EXPECT_TRUE(game.mSettings.Binding(KeyAction::TurnRight).mPressed);
    EXPECT_TRUE(game.mSettings.Binding(KeyAction::TurnLeft).mPressed);
    EXPECT_FALSE(game.mSettings.Binding(KeyAction::MoveBackward).mPressed);
}

TEST(OptionsKeys, DiscardRestoresTheVisitsStartAndAWindowSizedOnTheCommandLine)
{
    // Fullscreen is on in the settings, but a window size opens a window.
    TestGame::Options options;
    options.arguments = {"--windowsize", "800", "600"};
    TestGame test(options);
    Game& game = test.game();
    AudioManager& audio = *game.mAudioManager;
    OpenOptionsFromTheMainMenu(test);
    const std::string before = game.mSettings.Format();
    PressAll(test, {{RETURN, 1}, {SDL_SCANCODE_A, 1}});                // Turn Left on A
    PressAll(test, {{DOWN, 10}, {RETURN, 1}, {DOWN, 1}, {RETURN, 1}}); // the window, vsync
    PressAll(test, {{DOWN, 2}, {RETURN, 1}, {RIGHT, 6}, {RETURN, 1}}); // sound volume + 6
    PressAll(test, {{DOWN, 1}, {RETURN, 1}, {DOWN, 1}, {RETURN, 1}});  // music off, its volume
    PressAll(test, {{LEFT, 4}, {RETURN, 1}, {UP, 3}, {RETURN, 1}});    // - 4, sound off
    ASSERT_EQ(game.mSettings.Format(), "4 79 82 81 44 224 225 226 30 31\n70 60 1 1 0 0\n1 30 25\n");
    ASSERT_TRUE(WindowIsFullscreen(game));
    ASSERT_EQ(Mix_PausedMusic(), 1);
    test.TakeSounds();

    PressAll(test, {{DOWN, 5}, {RETURN, 1}});
    EXPECT_EQ(game.GetGameState(), GameState::Options);
    EXPECT_EQ(game.mSettings.Format(), before);
    EXPECT_FALSE(WindowIsFullscreen(game));
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(game.mFramework->GetWindow(), &width, &height);
    EXPECT_EQ(std::make_pair(width, height), std::make_pair(800, 600));
    EXPECT_FALSE(game.mFramework->GetRendererInfo().flags & SDL_RENDERER_PRESENTVSYNC);
    EXPECT_EQ(
        std::make_tuple(audio.mSoundVolume, audio.mMusicVolume, audio.mSoundOn, audio.mMusicOn),
        std::make_tuple(64, 64, true, true));
    EXPECT_EQ(Mix_PausedMusic(), 0);
    EXPECT_EQ(Mix_PlayingMusic(), 1);
    // The sound is on again for the confirmation.
    EXPECT_EQ(test.TakeSounds(), std::vector<std::string>{"selected.wav"});

    // Leaving keeps the changes; a later discard only goes back to the next visit's start.
    PressAll(test, {{DOWN, 2}, {RETURN, 1}, {SDL_SCANCODE_B, 1}, {UP, 1}, {RETURN, 2}});
    PressAll(test, {{DOWN, 2}, {RETURN, 1}, {SDL_SCANCODE_C, 1}, {UP, 3}, {RETURN, 1}});
    EXPECT_EQ(game.mSettings.Binding(KeyAction::TurnLeft).mScancode, SDL_SCANCODE_B);
    EXPECT_EQ(game.mSettings.Binding(KeyAction::TurnRight).mScancode, SDL_SCANCODE_RIGHT);
}
