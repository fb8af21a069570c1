#include "support/test_game.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace
{
// Start-up options: the command line, the data files left out, files written first.
using StartWith = TestGame::Options;

const char* const DEFAULT_SETTINGS = "80 79 82 81 44 224 225 226 30 31\n64 64 1 0 1 1\n1 30 25\n";

bool WindowIsFullscreen(Game& game)
{
    return (SDL_GetWindowFlags(game.mFramework->GetWindow()) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
}

std::pair<int, int> WindowSize(Game& game)
{
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(game.mFramework->GetWindow(), &width, &height);
    return {width, height};
}
} // namespace

TEST(Startup, FirstStartCreatesTheSettingsFileAndShowsTheMainMenu)
{
    TestGame test;
    Game& game = test.game();
    EXPECT_EQ(game.GetGameState(), GameState::MainMenu);
    EXPECT_EQ(test.dir().ReadFile("ql3d.cfg"), DEFAULT_SETTINGS);
    EXPECT_STREQ(SDL_GetWindowTitle(game.mFramework->GetWindow()), "Quill 3D v0.3.1");
    EXPECT_TRUE(WindowIsFullscreen(game));
    SDL_Surface* frame = test.Frame();
    EXPECT_EQ(std::make_pair(frame->w, frame->h), std::make_pair(320, 240));
    EXPECT_EQ(frame->format->format, game.mFramework->mRendererInfo.texture_formats[0]);
    EXPECT_EQ(game.mCurrentMusic, "title.ogg");

    // A window size on the command line, read as stoi reads numbers, opens
    // that window (the smallest allowed); unknown arguments are ignored. Map
    // list lines may end in carriage returns.
    TestGame windowed(
        StartWith{{"--fast", "--windowsize", " 320px", "+240", "-editor"},
                  {},
                  {{"data/maps/map.cfg", "first.map first.ogg\r\nsecond.map\r\n\r\n"}}});
    EXPECT_EQ(WindowSize(windowed.game()), std::make_pair(320, 240));
    EXPECT_FALSE(WindowIsFullscreen(windowed.game()));
    EXPECT_EQ(windowed.game().GetGameState(), GameState::MainMenu);
    const auto& list = windowed.game().mMapList;
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0]->mapFile + "|" + list[0]->musicFile, "first.map|first.ogg");
    EXPECT_EQ(list[1]->mapFile + "|" + list[1]->musicFile, "second.map|");
}

TEST(Startup, SettingsAreReadAndWrittenBackAtExit)
{
    TestGame test(
        StartWith{{}, {}, {{"ql3d.cfg", "4 5 6 7 8 9 10 11 12 13\n500 -7 0 1 0 TRUE\n"}}});
    Game& game = test.game();
    EXPECT_EQ(game.mAudioManager->mSoundVolume, 128);
    EXPECT_EQ(game.mAudioManager->mMusicVolume, 0);
    EXPECT_FALSE(WindowIsFullscreen(game));
    game.mSettings.Binding(KeyAction::Use).mScancode = SDL_SCANCODE_Q;
    game.CleanUp();
    // The file of an older version gets the mouse and pad settings' defaults.
    EXPECT_EQ(test.dir().ReadFile("ql3d.cfg"),
              "4 5 6 7 20 9 10 11 12 13\n500 -7 0 1 0 1\n1 30 25\n");
}

TEST(Startup, TheEditorTakesItsOwnWindowAndNeitherReadsNorWritesTheSettings)
{
    using Files = decltype(StartWith::files);
    for (const char* settings : {"", "junk\n"})
    {
        TestGame test(StartWith{{"--windowsize", "1024", "768", "--editor"},
                                {},
                                *settings ? Files{{"ql3d.cfg", settings}} : Files{}});
        EXPECT_EQ(test.game().GetGameState(), GameState::Editor);
        EXPECT_STREQ(SDL_GetWindowTitle(test.game().mFramework->GetWindow()),
                     "Quill 3D v0.3.1 - Editor Mode");
        EXPECT_EQ(WindowSize(test.game()), std::make_pair(800, 600));
        EXPECT_FALSE(WindowIsFullscreen(test.game()));
        test.game().CleanUp();
        EXPECT_EQ(test.dir().Exists("ql3d.cfg") ? test.dir().ReadFile("ql3d.cfg") : "", settings);
    }
}

TEST(Startup, FailuresAndTheirMessages)
{
    const std::string tooFew = "--windowsize requires two additional arguments (width and height)!";
    const std::string tooSmall = "Window size must be at least 320x240 pixels!";
    const std::pair<TestGame::Options, std::string> failures[] = {
        {StartWith{{"--windowsize", "319", "240"}, {}, {}}, tooSmall},
        {StartWith{{"--windowsize", "320", "239"}, {}, {}}, tooSmall},
        {StartWith{{"--windowsize", "-5", "600"}, {}, {}}, "Window size must be positive numbers!"},
        {StartWith{{"--windowsize", "640"}, {}, {}}, tooFew},
        {StartWith{{"--windowsize"}, {}, {}}, tooFew},
        {StartWith{{"--windowsize", "wide", "600"}, {}, {}}, "stoi"},
        {StartWith{{"--windowsize", "99999999999", "600"}, {}, {}}, "stoi"},
        // The image's message goes on with SDL's own words.
        {StartWith{{}, {"gfx/hud.png"}, {}}, "Couldn't initialize image: "},
        {StartWith{{}, {"maps/map.cfg"}, {}}, "Couldn't read map config file!"},
        {StartWith{{}, {}, {{"data/maps/map.cfg", ""}}}, "Map list is empty!"},
        {StartWith{{}, {}, {{"data/maps/map.cfg", "a.map\nb.map b.ogg extra\n"}}},
         "Line (2) contains more than two entries!"},
    };
    for (const auto& [options, message] : failures)
    {
        EXPECT_EQ(TestGame::StartupFailure(options).substr(0, message.size()), message);
    }
}

TEST(Startup, ABadCommandLineNeverTouchesTheSettings)
{
    // Written in a way the game would write differently.
    const std::string settings = "4 5 6 7 8 9 10 11 12 13 14\n1 2 true 0 0 0\n";
    TestGame test(StartWith{{"--windowsize", "319", "240"}, {}, {{"ql3d.cfg", settings}}, false});
    EXPECT_THROW(test.Init(), std::out_of_range);
    test.EndGame();
    EXPECT_EQ(test.dir().ReadFile("ql3d.cfg"), settings);
}

TEST(Startup, WithoutASoundDeviceTheGamePlaysSilently)
{
    TestGame test(StartWith{{}, {}, {}, false});
    setenv("SDL_AUDIODRIVER", "no-such-device", 1);
    EXPECT_TRUE(test.Init());
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    AudioManager& audio = *test.game().mAudioManager;
    EXPECT_FALSE(audio.IsInitialized());
    // The options still show the player's own switches and volumes.
    EXPECT_TRUE(audio.mSoundOn && audio.mMusicOn);
    EXPECT_EQ(audio.mSoundVolume, 64);
    test.RunFrames(2);
}
