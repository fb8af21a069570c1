#include "menus/menu_screen.h"
#include "menus/options_places.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using Sounds = std::vector<std::string>;

using namespace OptionsPlace;

int Binding(Game& game, KeyAction action)
{
    return game.mSettings.Binding(action).mScancode;
}

bool WindowIsFullscreen(Game& game)
{
    return (SDL_GetWindowFlags(game.mFramework->GetWindow()) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
}

bool RendererHasVSync(Game& game)
{
    return (game.mFramework->GetRendererInfo().flags & SDL_RENDERER_PRESENTVSYNC) != 0;
}

// Moves the options selection down from where it is to the wanted one.
void Select(TestGame& test, int selection)
{
    const int steps = (selection - test.game().mCurrentMenu->selected + COUNT) % COUNT;
    Press(test, SDL_SCANCODE_DOWN, steps);
    test.TakeSounds();
}
} // namespace

TEST(OptionsKeys, ReturnCapturesTheNextKeyAndEscapeCancels)
{
    TestGame test;
    Game& game = test.game();
    OpenOptionsFromTheMainMenu(test);
    MenuStruct& menu = *game.mCurrentMenu;

    // Return on "Turn Left:" and Return again binds Return.
    Press(test, SDL_SCANCODE_RETURN);
    EXPECT_TRUE(menu.waitingForKey);
    EXPECT_EQ(test.TakeSounds(), Sounds{"selected.wav"});
    Press(test, SDL_SCANCODE_RETURN);
    EXPECT_FALSE(menu.waitingForKey);
    EXPECT_EQ(Binding(game, KeyAction::TurnLeft), SDL_SCANCODE_RETURN);
    EXPECT_EQ(test.TakeSounds(), Sounds{"selected.wav"});

    // Escape cancels with "back.wav" and keeps the key bound before.
    Press(test, SDL_SCANCODE_RETURN);
    Press(test, SDL_SCANCODE_ESCAPE);
    EXPECT_FALSE(menu.waitingForKey);
    EXPECT_EQ(Binding(game, KeyAction::TurnLeft), SDL_SCANCODE_RETURN);
    EXPECT_EQ(test.TakeSounds(), (Sounds{"selected.wav", "back.wav"}));

    // An arrow key is bound silently and does not move the selection.
    Press(test, SDL_SCANCODE_RETURN);
    test.TakeSounds();
    Press(test, SDL_SCANCODE_DOWN);
    EXPECT_FALSE(menu.waitingForKey);
    EXPECT_EQ(Binding(game, KeyAction::TurnLeft), SDL_SCANCODE_DOWN);
    EXPECT_EQ(menu.selected, 0);
    EXPECT_TRUE(test.TakeSounds().empty());

    // Any other key too; afterwards the arrows move the selection again.
    Press(test, SDL_SCANCODE_DOWN);
    EXPECT_EQ(menu.selected, 1);
    Press(test, SDL_SCANCODE_RETURN);
    test.TakeSounds();
    Press(test, SDL_SCANCODE_A);
    EXPECT_FALSE(menu.waitingForKey);
    EXPECT_EQ(Binding(game, KeyAction::TurnRight), SDL_SCANCODE_A);
    EXPECT_TRUE(test.TakeSounds().empty());

    // Escape never becomes a binding, and does nothing when no key is awaited.
    Press(test, SDL_SCANCODE_ESCAPE);
    EXPECT_EQ(game.GetGameState(), GameState::Options);
    EXPECT_TRUE(test.TakeSounds().empty());
    Press(test, SDL_SCANCODE_RETURN);
    Press(test, SDL_SCANCODE_ESCAPE);
    EXPECT_EQ(Binding(game, KeyAction::TurnRight), SDL_SCANCODE_A);
    for (const KeyBinding& binding : game.mSettings.mKeyBindings)
    {
        EXPECT_NE(binding.mScancode, SDL_SCANCODE_ESCAPE);
    }
    test.TakeSounds();

    // The new keys act at once in play; a key bound twice drives the first action.
    EXPECT_EQ(Binding(game, KeyAction::MoveBackward), SDL_SCANCODE_DOWN);
    Select(test, PREVIOUS_MENU);
    Press(test, SDL_SCANCODE_RETURN);
    Press(test, SDL_SCANCODE_UP);
    Press(test, SDL_SCANCODE_RETURN);
    ASSERT_EQ(game.GetGameState(), GameState::Game);
    test.KeyDown(SDL_SCANCODE_A);
    test.KeyDown(SDL_SCANCODE_DOWN);
    test.KeyDown(SDL_SCANCODE_RIGHT);
    game.HandleEvents();
    EXPECT_TRUE(game.mSettings.Binding(KeyAction::TurnRight).mPressed);
    EXPECT_TRUE(game.mSettings.Binding(KeyAction::TurnLeft).mPressed);
    EXPECT_FALSE(game.mSettings.Binding(KeyAction::MoveBackward).mPressed);
}

TEST(OptionsKeys, VolumesStepByOneWhileAdjusting)
{
    TestGame test;
    Game& game = test.game();
    OpenOptionsFromTheMainMenu(test);
    MenuStruct& menu = *game.mCurrentMenu;
    AudioManager& audio = *game.mAudioManager;
    Select(test, SOUND_VOLUME);

    Press(test, SDL_SCANCODE_RETURN);
    EXPECT_TRUE(menu.waitingForKey);
    EXPECT_EQ(test.TakeSounds(), Sounds{"selected.wav"});
    const SDL_Scancode steps[] = {SDL_SCANCODE_RIGHT, SDL_SCANCODE_UP,   SDL_SCANCODE_LEFT,
                                  SDL_SCANCODE_RIGHT, SDL_SCANCODE_DOWN, SDL_SCANCODE_UP};
    const int volumes[] = {65, 66, 65, 66, 65, 66};
    for (int i = 0; i < 6; ++i)
    {
        Press(test, steps[i]);
        EXPECT_EQ(audio.mSoundVolume, volumes[i]);
        EXPECT_EQ(game.mSettings.mSoundVolume, volumes[i]);
        EXPECT_EQ(menu.selected, SOUND_VOLUME);
        EXPECT_TRUE(menu.waitingForKey);
    }
    EXPECT_EQ(audio.mMusicVolume, 64);
    EXPECT_TRUE(test.TakeSounds().empty());

    // The volume stays within 0 to 128.
    for (int i = 0; i < 70; ++i)
    {
        test.KeyDown(SDL_SCANCODE_RIGHT);
    }
    test.RunFrames(1);
    EXPECT_EQ(audio.mSoundVolume, 128);
    EXPECT_EQ(game.mSettings.mSoundVolume, 128);
    for (int i = 0; i < 130; ++i)
    {
        test.KeyDown(SDL_SCANCODE_LEFT);
    }
    test.RunFrames(1);
    EXPECT_EQ(audio.mSoundVolume, 0);
    EXPECT_EQ(game.mSettings.mSoundVolume, 0);

    // Return ends the adjustment; then Left and Right change nothing.
    Press(test, SDL_SCANCODE_RETURN);
    EXPECT_FALSE(menu.waitingForKey);
    EXPECT_EQ(test.TakeSounds(), Sounds{"selected.wav"});
    Press(test, SDL_SCANCODE_RIGHT);
    EXPECT_EQ(audio.mSoundVolume, 0);

    // The music volume; Escape ends its adjustment with "back.wav".
    Select(test, MUSIC_VOLUME);
    Press(test, SDL_SCANCODE_RETURN);
    Press(test, SDL_SCANCODE_LEFT, 3);
    EXPECT_EQ(audio.mMusicVolume, 61);
    EXPECT_EQ(game.mSettings.mMusicVolume, 61);
    Press(test, SDL_SCANCODE_ESCAPE);
    EXPECT_FALSE(menu.waitingForKey);
    EXPECT_EQ(test.TakeSounds(), (Sounds{"selected.wav", "back.wav"}));

    // Any other key ends it silently, and binds nothing.
    const std::string bindings = game.mSettings.Format();
    Press(test, SDL_SCANCODE_RETURN);
    Press(test, SDL_SCANCODE_A);
    EXPECT_FALSE(menu.waitingForKey);
    EXPECT_EQ(game.mSettings.Format(), bindings);
    EXPECT_EQ(test.TakeSounds(), Sounds{"selected.wav"});
}

TEST(OptionsKeys, SwitchesApplyToTheWindowRendererAndAudio)
{
    TestGame test;
    Game& game = test.game();
    OpenOptionsFromTheMainMenu(test);
    AudioManager& audio = *game.mAudioManager;

    Select(test, FULLSCREEN);
    ASSERT_TRUE(WindowIsFullscreen(game));
    Press(test, SDL_SCANCODE_RETURN);
    EXPECT_FALSE(WindowIsFullscreen(game));
    EXPECT_FALSE(game.mSettings.mFullscreen);
    EXPECT_EQ(test.TakeSounds(), Sounds{"selected.wav"});
    // Back in a window, it has the game's window size again.
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(game.mFramework->GetWindow(), &width, &height);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);
    Press(test, SDL_SCANCODE_RETURN);
    EXPECT_TRUE(WindowIsFullscreen(game));
    EXPECT_TRUE(game.mSettings.mFullscreen);

    Select(test, VSYNC);
    ASSERT_FALSE(RendererHasVSync(game));
    Press(test, SDL_SCANCODE_RETURN);
    EXPECT_TRUE(RendererHasVSync(game));
    EXPECT_TRUE(game.mSettings.mVSync);
    Press(test, SDL_SCANCODE_RETURN);
    EXPECT_FALSE(RendererHasVSync(game));
    EXPECT_FALSE(game.mSettings.mVSync);
    test.TakeSounds();

    // With the sound switched off its own confirmation is not heard.
    Select(test, SOUND);
    Press(test, SDL_SCANCODE_RETURN);
    EXPECT_FALSE(audio.mSoundOn);
    EXPECT_FALSE(game.mSettings.mSoundOn);
    EXPECT_TRUE(test.TakeSounds().empty());
    Press(test, SDL_SCANCODE_DOWN);
    EXPECT_TRUE(test.TakeSounds().empty());
    Press(test, SDL_SCANCODE_UP);
    Press(test, SDL_SCANCODE_RETURN);
    EXPECT_TRUE(audio.mSoundOn);
    EXPECT_TRUE(game.mSettings.mSoundOn);
    EXPECT_EQ(test.TakeSounds(), Sounds{"selected.wav"});

    // Music pauses and resumes where it was.
    Select(test, MUSIC);
    ASSERT_EQ(Mix_PlayingMusic(), 1);
    Press(test, SDL_SCANCODE_RETURN);
    EXPECT_FALSE(audio.mMusicOn);
    EXPECT_FALSE(game.mSettings.mMusicOn);
    EXPECT_EQ(Mix_PausedMusic(), 1);
    Press(test, SDL_SCANCODE_RETURN);
    EXPECT_TRUE(audio.mMusicOn);
    EXPECT_TRUE(game.mSettings.mMusicOn);
    EXPECT_EQ(Mix_PausedMusic(), 0);
    EXPECT_EQ(Mix_PlayingMusic(), 1);
    EXPECT_EQ(game.mCurrentMusic, "title.ogg");
}

TEST(OptionsKeys, DiscardRestoresTheSettingsAndTheWindowOfTheVisit)
{
    TestGame test;
    Game& game = test.game();
    OpenOptionsFromTheMainMenu(test);
    AudioManager& audio = *game.mAudioManager;
    const std::string before = game.mSettings.Format();

    Press(test, SDL_SCANCODE_RETURN);
    Press(test, SDL_SCANCODE_A);
    Select(test, FULLSCREEN);
    Press(test, SDL_SCANCODE_RETURN);
    Select(test, VSYNC);
    Press(test, SDL_SCANCODE_RETURN);
    Select(test, SOUND_VOLUME);
    Press(test, SDL_SCANCODE_RETURN);
    Press(test, SDL_SCANCODE_RIGHT, 6);
    Press(test, SDL_SCANCODE_RETURN);
    Select(test, MUSIC);
    Press(test, SDL_SCANCODE_RETURN);
    Select(test, MUSIC_VOLUME);
    Press(test, SDL_SCANCODE_RETURN);
    Press(test, SDL_SCANCODE_LEFT, 4);
    Press(test, SDL_SCANCODE_RETURN);
    Press(test, SDL_SCANCODE_UP, 3);
    Press(test, SDL_SCANCODE_RETURN);
    ASSERT_EQ(game.mSettings.Format(), "4 79 82 81 44 224 225 226 30 31\n70 60 0 1 0 0\n1 30 25\n");
    ASSERT_FALSE(WindowIsFullscreen(game));
    ASSERT_EQ(Mix_PausedMusic(), 1);
    test.TakeSounds();

    Select(test, DISCARD);
    Press(test, SDL_SCANCODE_RETURN);
    EXPECT_EQ(game.GetGameState(), GameState::Options);
    EXPECT_EQ(game.mSettings.Format(), before);
    EXPECT_TRUE(WindowIsFullscreen(game));
    EXPECT_FALSE(RendererHasVSync(game));
    EXPECT_EQ(audio.mSoundVolume, 64);
    EXPECT_EQ(audio.mMusicVolume, 64);
    EXPECT_TRUE(audio.mSoundOn);
    EXPECT_TRUE(audio.mMusicOn);
    EXPECT_EQ(Mix_PausedMusic(), 0);
    EXPECT_EQ(Mix_PlayingMusic(), 1);
    // The sound is on again for the confirmation.
    EXPECT_EQ(test.TakeSounds(), Sounds{"selected.wav"});

    // Leaving keeps the changes; a later discard only goes back to the next visit's start.
    Select(test, 0);
    Press(test, SDL_SCANCODE_RETURN);
    Press(test, SDL_SCANCODE_B);
    Select(test, PREVIOUS_MENU);
    Press(test, SDL_SCANCODE_RETURN);
    ASSERT_EQ(game.GetGameState(), GameState::MainMenu);
    Press(test, SDL_SCANCODE_RETURN);
    ASSERT_EQ(game.GetGameState(), GameState::Options);
    Select(test, 1);
    Press(test, SDL_SCANCODE_RETURN);
    Press(test, SDL_SCANCODE_C);
    Select(test, DISCARD);
    Press(test, SDL_SCANCODE_RETURN);
    EXPECT_EQ(Binding(game, KeyAction::TurnLeft), SDL_SCANCODE_B);
    EXPECT_EQ(Binding(game, KeyAction::TurnRight), SDL_SCANCODE_RIGHT);
}

TEST(OptionsKeys, DiscardKeepsAWindowSizedOnTheCommandLine)
{
    // Fullscreen is on in the settings, but a window size opens a window.
    TestGame::Options options;
    options.arguments = {"--windowsize", "800", "600"};
    TestGame test(options);
    Game& game = test.game();
    ASSERT_TRUE(game.mSettings.mFullscreen);
    ASSERT_FALSE(WindowIsFullscreen(game));
    OpenOptionsFromTheMainMenu(test);

    Select(test, DISCARD);
    Press(test, SDL_SCANCODE_RETURN);
    EXPECT_FALSE(WindowIsFullscreen(game));
    EXPECT_TRUE(game.mSettings.mFullscreen);

    Select(test, FULLSCREEN);
    Press(test, SDL_SCANCODE_RETURN);
    ASSERT_TRUE(WindowIsFullscreen(game));
    Select(test, DISCARD);
    Press(test, SDL_SCANCODE_RETURN);
    EXPECT_FALSE(WindowIsFullscreen(game));
    EXPECT_TRUE(game.mSettings.mFullscreen);
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(game.mFramework->GetWindow(), &width, &height);
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 600);
}
