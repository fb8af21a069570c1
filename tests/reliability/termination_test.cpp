// Ended from outside (log-out, `timeout`, a closed terminal, Ctrl+C), the
// program ends the orderly way from any state: the settings in force are
// written, an unsaved editor map is kept beside its file, and it waits no
// more: not the credits' wait, nor the in-game menu.
#include "core/termination_signal.h"
#include "support/child_process.h"
#include "support/scratch_dir.h"
#include "support/test_game.h"

#include <gtest/gtest.h>

#include <csignal>

namespace
{
const int SIGNALS[] = {SIGTERM, SIGINT, SIGHUP};
const std::string MAP = "2\n1\n\n1 0\n\n0 0\n\nType Player\nAngle 90\nX 1\nY 0";
// The defaults with the music volume changed during the session.
const std::string SETTINGS_IN_FORCE = "80 79 82 81 44 224 225 226 30 31\n64 33 1 0 1 1\n1 30 25\n";

struct Scene
{
    const char* name;
    bool editor;
    // Brings the game to where the signal finds it.
    std::function<void(TestGame&)> prepare;
    GameState endState;
    // The signal comes during the credits' long wait rather than between frames.
    bool duringLongWait = false;
    // The editor's map differs from its file when the signal comes.
    bool changesMap = false;
};

void OpenMineInEditor(TestGame& test)
{
    test.TapKey(SDL_SCANCODE_O);
    test.Text("mine");
    test.TapKey(SDL_SCANCODE_RETURN);
}

// Opens "mine" and clears its wall with a click of the right button.
void ChangeMineInEditor(TestGame& test)
{
    OpenMineInEditor(test);
    test.MouseButton(1, 1, SDL_BUTTON_RIGHT);
    test.MouseButton(1, 1, SDL_BUTTON_RIGHT, false);
    test.RunFrames(1);
}

const Scene SCENES[] = {
    {"main menu", false, [](TestGame&) {}, GameState::MainMenu},
    {"play", false, [](TestGame& test) { test.TapKey(SDL_SCANCODE_RETURN); }, GameState::Game},
    {"play, minimised", false,
     [](TestGame& test)
     {
         test.TapKey(SDL_SCANCODE_RETURN);
         test.Window(SDL_WINDOWEVENT_MINIMIZED);
     },
     GameState::Game},
    {"credits", false,
     [](TestGame& test)
     {
         test.TapKey(SDL_SCANCODE_UP);
         test.KeyDown(SDL_SCANCODE_RETURN);
     },
     GameState::Credits, true},
    {"editor, map changed", true, ChangeMineInEditor, GameState::Editor, false, true},
    {"editor, play-testing the changed map", true,
     [](TestGame& test)
     {
         ChangeMineInEditor(test);
         test.TapKey(SDL_SCANCODE_P);
     },
     GameState::Game, false, true},
    {"editor, map as opened", true, OpenMineInEditor, GameState::Editor},
};

// The report of a child: the state the loop ended in, then the map on screen.
std::string RunSceneUntilSignalled(const Scene& scene, const std::function<void()>& ready)
{
    TerminationSignal::Install();
    TestGame::Options options;
    options.scratch = false;
    if (scene.editor)
    {
        options.arguments = {"--editor"};
    }
    auto test = std::make_unique<TestGame>(options);
    Game& game = test->game();
    scene.prepare(*test);
    game.mSettings.mMusicVolume = 33;
    // The real waits of the game, which a signal cuts short.
    game.mWaitForEvent = TerminationSignal::WaitForEvent;
    // A long wait the game would still begin once the signal came goes into the report.
    Uint32 sleptAfterSignal = 0;
    game.mSleep = [&scene, &ready, &sleptAfterSignal](Uint32 milliseconds)
    {
        sleptAfterSignal +=
            TerminationSignal::Requested() && milliseconds > 1000 ? milliseconds : 0;
        if (scene.duringLongWait && milliseconds > 1000)
        {
            ready();
        }
        TerminationSignal::Sleep(milliseconds);
    };
    if (!scene.duringLongWait)
    {
        ready();
    }
    game.Run();
    std::string report = std::to_string(static_cast<int>(game.GetGameState())) + " " +
                         std::to_string(sleptAfterSignal) + "\n";
    report += scene.editor ? game.EditorMapText() : "";
    // Ends as the program does: the game destroyed, which writes what it keeps.
    test.reset();
    return report;
}
} // namespace

TEST(Termination, EverySignalEndsEveryStateInOrder)
{
    for (const Scene& scene : SCENES)
    {
        for (const int signal : SIGNALS)
        {
            SCOPED_TRACE(std::string(scene.name) + ", signal " + std::to_string(signal));
            ScratchDir directory;
            directory.LinkGameData();
            directory.WriteFile("data/maps/mine.map", MAP);
            ChildProcess child([&scene](const std::function<void()>& ready)
                               { return RunSceneUntilSignalled(scene, ready); });
            ASSERT_TRUE(child.WaitUntilReady());
            child.Signal(signal);
            const ChildProcess::Outcome outcome = child.Finish();
            EXPECT_TRUE(outcome.exitedCleanly) << outcome.report;
            const std::size_t stateEnd = outcome.report.find('\n');
            EXPECT_EQ(outcome.report.substr(0, stateEnd),
                      std::to_string(static_cast<int>(scene.endState)) + " 0");
            EXPECT_EQ(directory.ReadFile("data/maps/mine.map"), MAP);
            if (!scene.editor)
            {
                EXPECT_EQ(directory.ReadFile("ql3d.cfg"), SETTINGS_IN_FORCE);
                continue;
            }
            EXPECT_FALSE(directory.Exists("ql3d.cfg"));
            const std::string onScreen = outcome.report.substr(stateEnd + 1);
            EXPECT_EQ(onScreen != MAP, scene.changesMap);
            EXPECT_EQ(directory.ReadFile("data/maps/mine.map.recovered"),
                      scene.changesMap ? onScreen : "");
        }
    }
}
