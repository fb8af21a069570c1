#include "support/test_game.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace
{
const char* const DEFAULT_SETTINGS = "80 79 82 81 44 224 225 226 30 31\n64 64 1 0 1 1\n1 30 25\n";

std::string WindowTitle(Game& game)
{
    return SDL_GetWindowTitle(game.mFramework->GetWindow());
}
} // namespace

TEST(Startup, FirstStartCreatesTheSettingsFileAndShowsTheMainMenu)
{
    TestGame test;
    Game& game = test.game();
    EXPECT_EQ(game.GetGameState(), GameState::MainMenu);
    EXPECT_TRUE(game.mRunning);
    EXPECT_EQ(test.dir().ReadFile("ql3d.cfg"), DEFAULT_SETTINGS);
    EXPECT_EQ(WindowTitle(game), "Quill 3D v0.3.1");
    EXPECT_TRUE(SDL_GetWindowFlags(game.mFramework->GetWindow()) & SDL_WINDOW_FULLSCREEN_DESKTOP);
    SDL_Surface* frame = test.Frame();
    EXPECT_EQ(frame->w, 320);
    EXPECT_EQ(frame->h, 240);
    EXPECT_EQ(frame->format->format, game.mFramework->mRendererInfo.texture_formats[0]);
    EXPECT_EQ(game.mCurrentMusic, "title.ogg");
    EXPECT_EQ(game.mMenus.size(), 4u);
    EXPECT_EQ(game.mCurrentMenu, game.mMenus[0].get());
}

TEST(Startup, WindowSizeOnTheCommandLineOpensThatWindow)
{
    TestGame::Options options;
    options.arguments = {"--windowsize", "640", "480"};
    TestGame test(options);
    SDL_Window* window = test.game().mFramework->GetWindow();
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window, &width, &height);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);
    EXPECT_FALSE(SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP);
}

TEST(Startup, SettingsAreReadAndWrittenBackAtExit)
{
    TestGame::Options options;
    options.files = {{"ql3d.cfg", "4 5 6 7 8 9 10 11 12 13\n500 20 0 1 0 TRUE\n"}};
    auto test = std::make_unique<TestGame>(options);
    Game& game = test->game();
    EXPECT_EQ(game.mSettings.mSoundVolume, 500);
    EXPECT_EQ(game.mAudioManager->mSoundVolume, 128);
    EXPECT_EQ(game.mSettings.mMusicVolume, 20);
    EXPECT_FALSE(game.mSettings.mFullscreen);
    EXPECT_FALSE(SDL_GetWindowFlags(game.mFramework->GetWindow()) & SDL_WINDOW_FULLSCREEN_DESKTOP);
    EXPECT_TRUE(game.mSettings.mMusicOn);
    EXPECT_EQ(game.mOldSettings.Format(), game.mSettings.Format());
    game.mSettings.Binding(KeyAction::Use).mScancode = SDL_SCANCODE_Q;
    const std::string path = (test->dir().Path() / "ql3d.cfg").string();
    test->game().CleanUp();
    // The file of an older version gets the mouse and pad settings' defaults.
    EXPECT_EQ(test->dir().ReadFile("ql3d.cfg"),
              "4 5 6 7 20 9 10 11 12 13\n500 20 0 1 0 1\n1 30 25\n");
}

TEST(Startup, EditorNeitherReadsNorWritesTheSettings)
{
    {
        TestGame::Options options;
        options.arguments = {"--editor"};
        TestGame test(options);
        EXPECT_EQ(test.game().GetGameState(), GameState::Editor);
        EXPECT_EQ(WindowTitle(test.game()), "Quill 3D v0.3.1 - Editor Mode");
        int width = 0;
        int height = 0;
        SDL_GetWindowSize(test.game().mFramework->GetWindow(), &width, &height);
        EXPECT_EQ(width, 800);
        EXPECT_EQ(height, 600);
        test.game().CleanUp();
        EXPECT_FALSE(test.dir().Exists("ql3d.cfg"));
    }
    {
        TestGame::Options options;
        options.arguments = {"--editor"};
        options.files = {{"ql3d.cfg", "junk\n"}};
        TestGame test(options);
        test.game().CleanUp();
        EXPECT_EQ(test.dir().ReadFile("ql3d.cfg"), "junk\n");
    }
}

TEST(Startup, FailuresAndTheirMessages)
{
    TestGame::Options noHud;
    noHud.missingData = {"gfx/hud.png"};
    EXPECT_EQ(TestGame::StartupFailure(noHud).rfind("Couldn't initialize image: ", 0), 0u);

    TestGame::Options noMapList;
    noMapList.missingData = {"maps/map.cfg"};
    EXPECT_EQ(TestGame::StartupFailure(noMapList), "Couldn't read map config file!");

    TestGame::Options emptyMapList;
    emptyMapList.files = {{"data/maps/map.cfg", ""}};
    EXPECT_EQ(TestGame::StartupFailure(emptyMapList), "Map list is empty!");

    TestGame::Options crowdedLine;
    crowdedLine.files = {{"data/maps/map.cfg", "a.map\nb.map b.ogg extra\n"}};
    EXPECT_EQ(TestGame::StartupFailure(crowdedLine), "Line (2) contains more than two entries!");
}

TEST(Startup, BadCommandLineNeverTouchesTheSettings)
{
    // Written in a way the game would write differently.
    const std::string settings = "4 5 6 7 8 9 10 11 12 13 14\n1 2 true 0 0 0\n";
    TestGame::Options options;
    options.arguments = {"--windowsize", "319", "240"};
    options.files = {{"ql3d.cfg", settings}};
    options.init = false;
    TestGame test(options);
    EXPECT_THROW(test.Init(), std::out_of_range);
    test.EndGame();
    EXPECT_EQ(test.dir().ReadFile("ql3d.cfg"), settings);
}

TEST(Startup, EmptyMapListStillRewritesTheSettingsThatWereRead)
{
    TestGame::Options options;
    options.init = false;
    options.files = {{"data/maps/map.cfg", ""}, {"ql3d.cfg", "4 5\n"}};
    TestGame test(options);
    EXPECT_THROW(test.Init(), std::runtime_error);
    test.game().CleanUp();
    EXPECT_EQ(test.dir().ReadFile("ql3d.cfg"),
              "4 5 82 81 44 224 225 226 30 31\n64 64 1 0 1 1\n1 30 25\n");
}

TEST(Startup, MapListLinesMayEndInCarriageReturns)
{
    TestGame::Options options;
    options.files = {{"data/maps/map.cfg", "first.map first.ogg\r\nsecond.map\r\n\r\n"}};
    TestGame test(options);
    const auto& list = test.game().mMapList;
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0]->mapFile, "first.map");
    EXPECT_EQ(list[0]->musicFile, "first.ogg");
    EXPECT_EQ(list[1]->mapFile, "second.map");
    EXPECT_EQ(list[1]->musicFile, "");
}

TEST(Startup, WithoutASoundDeviceTheGamePlaysSilently)
{
    TestGame::Options options;
    options.init = false;
    TestGame test(options);
    setenv("SDL_AUDIODRIVER", "no-such-device", 1);
    EXPECT_TRUE(test.Init());
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    EXPECT_FALSE(test.game().mAudioManager->IsInitialized());
    // The options still show the player's own switches and volumes.
    EXPECT_TRUE(test.game().mAudioManager->mSoundOn);
    EXPECT_TRUE(test.game().mAudioManager->mMusicOn);
    EXPECT_EQ(test.game().mAudioManager->mSoundVolume, 64);
    EXPECT_EQ(test.game().GetGameState(), GameState::MainMenu);
    test.RunFrames(2);
}
