// Nothing the player made is lost: saves are atomic even when the process is
// killed in the middle of one, a failed save leaves the old file and no debris,
// and files the program cannot use are never changed by it.
#include "core/atomic_file.h"
#include "editor/editor_map.h"
#include "support/scratch_dir.h"
#include "support/test_game.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <random>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
constexpr int KILL_ROUNDS = 16;

// A 64 x 64 map in exactly the form the editor saves it: every wall and floor
// cell set from the pattern, and entity blocks player first, then by name.
std::string LargeMapText(int pattern)
{
    std::ostringstream text;
    text << "64\n64\n\n";
    for (int layer = 0; layer < 2; ++layer)
    {
        for (int y = 0; y < 64; ++y)
        {
            for (int x = 0; x < 64; ++x)
            {
                const int value = layer == 0 ? (x * 7 + y * 3 + pattern) % 15 : (x + pattern) % 3;
                // Wall number 13 has no palette entry; keep to the ones the editor paints.
                text << (value == 13 ? 14 : value) << (x < 63 ? " " : "\n");
            }
        }
        text << "\n";
    }
    text << "Type Player\nAngle " << pattern << "\nX 1\nY 1";
    for (int i = 0; i < 40; ++i)
    {
        text << "\n\nType Enemy\nAngle 0\nX " << (2 + i % 60) << "\nY " << (2 + i / 60 + pattern);
    }
    return text.str();
}

// Runs `work` in a child process that writes a byte to the pipe before each
// save, kills it after a random number of saves and a random short spin, and
// returns whether the temporary file of the save was there at that moment.
bool KillDuringSaves(const std::function<void(const std::function<void()>&)>& work,
                     std::mt19937& random, const std::string& temporaryFile)
{
    int signal[2];
    if (pipe(signal) != 0)
    {
        throw std::runtime_error("no pipe");
    }
    const pid_t child = fork();
    if (child == 0)
    {
        close(signal[0]);
        try
        {
            work(
                [&signal]
                {
                    const char tick = 1;
                    if (write(signal[1], &tick, 1) != 1)
                    {
                        _exit(3);
                    }
                });
        }
        catch (...)
        {
            _exit(2);
        }
        _exit(0);
    }
    close(signal[1]);
    const int saves = std::uniform_int_distribution<int>(1, 4)(random);
    char tick = 0;
    for (int i = 0; i < saves; ++i)
    {
        if (read(signal[0], &tick, 1) != 1)
        {
            break;
        }
    }
    // A little way into the save: the kill must land anywhere in it.
    volatile long spin = 0;
    const long spins = std::uniform_int_distribution<long>(0, 4000000)(random);
    for (long i = 0; i < spins; ++i)
    {
        spin = spin + 1;
    }
    kill(child, SIGKILL);
    const bool caughtMidSave = fs::exists(temporaryFile);
    int status = 0;
    waitpid(child, &status, 0);
    close(signal[0]);
    EXPECT_TRUE(WIFSIGNALED(status)) << "the saving process ended before it was killed";
    return caughtMidSave;
}
} // namespace

TEST(NothingLost, AnEditorSaveKilledHalfwayLeavesTheOldOrTheNewMap)
{
    UseHeadlessDrivers();
    ScratchDir directory;
    directory.LinkGameData();
    const std::string first = LargeMapText(0);
    const std::string second = LargeMapText(1);
    directory.WriteFile("data/maps/first.map", first);
    directory.WriteFile("data/maps/second.map", second);
    directory.WriteFile("data/maps/target.map", first);

    std::mt19937 random(7);
    int caughtMidSave = 0;
    for (int round = 0; round < KILL_ROUNDS; ++round)
    {
        caughtMidSave += KillDuringSaves(
            [](const std::function<void()>& aboutToSave)
            {
                Game game;
                char name[] = "quill3d";
                char editor[] = "--editor";
                char* argv[] = {name, editor};
                game.Init(2, argv);
                for (int save = 0; save < 1000; ++save)
                {
                    game.mInputText = save % 2 == 0 ? "second.map" : "first.map";
                    game.EditorLoadMap();
                    game.mInputText = "target.map";
                    aboutToSave();
                    game.EditorSaveMap();
                }
            },
            random, "data/maps/target.map.saving");
        const std::string text = directory.ReadFile("data/maps/target.map");
        ASSERT_TRUE(text == first || text == second)
            << "round " << round << ": a map of " << text.size() << " bytes";
    }
    // The kills must have hit saves in progress, or the test proves nothing.
    EXPECT_GT(caughtMidSave, 0);
    std::cout << caughtMidSave << " of " << KILL_ROUNDS << " kills landed inside a save\n";
}

TEST(NothingLost, ASettingsWriteKilledHalfwayLeavesTheOldOrTheNewFile)
{
    ScratchDir directory;
    const std::string quiet = "80 79 82 81 44 224 225 226 30 31\n0 0 0 0 0 0\n";
    const std::string loud = "4 5 6 7 8 9 10 11 12 13\n128 128 1 1 1 1\n";
    directory.WriteFile("ql3d.cfg", quiet);
    std::mt19937 random(11);
    for (int round = 0; round < KILL_ROUNDS; ++round)
    {
        KillDuringSaves(
            [](const std::function<void()>& aboutToSave)
            {
                Game game;
                game.ReadConfig();
                for (int save = 0; save < 100000; ++save)
                {
                    std::istringstream values(
                        save % 2 == 0 ? "4 5 6 7 8 9 10 11 12 13\n128 128 1 1 1 1\n"
                                      : "80 79 82 81 44 224 225 226 30 31\n0 0 0 0 0 0\n");
                    game.mSettings.Read(values);
                    aboutToSave();
                    game.WriteConfig();
                }
            },
            random, "ql3d.cfg.tmp");
        const std::string text = directory.ReadFile("ql3d.cfg");
        ASSERT_TRUE(text == quiet || text == loud) << "round " << round << ": \"" << text << "\"";
    }
}

TEST(NothingLost, AtomicReplaceWritesWholeFilesAndLeavesNoDebris)
{
    ScratchDir directory;
    ASSERT_TRUE(AtomicFile::Replace("new.txt", "new.txt.part", "one\n"));
    EXPECT_EQ(directory.ReadFile("new.txt"), "one\n");
    ASSERT_TRUE(AtomicFile::Replace("new.txt", "new.txt.part", "two\n"));
    EXPECT_EQ(directory.ReadFile("new.txt"), "two\n");
    EXPECT_FALSE(directory.Exists("new.txt.part"));

    // The temporary file cannot be made: nothing changes.
    EXPECT_FALSE(AtomicFile::Replace("new.txt", "no-such-folder/new.txt.part", "three\n"));
    EXPECT_EQ(directory.ReadFile("new.txt"), "two\n");

    // The target cannot be replaced (it is a folder): it stays, and so does
    // nothing of the attempt.
    fs::create_directory("folder.txt");
    directory.WriteFile("folder.txt/inside", "kept");
    EXPECT_FALSE(AtomicFile::Replace("folder.txt", "folder.txt.part", "text"));
    EXPECT_EQ(directory.ReadFile("folder.txt/inside"), "kept");
    EXPECT_FALSE(directory.Exists("folder.txt.part"));

    // An existing folder where the temporary file would go is not the
    // attempt's to remove.
    fs::create_directory("blocked.txt.part");
    EXPECT_FALSE(AtomicFile::Replace("blocked.txt", "blocked.txt.part", "text"));
    EXPECT_TRUE(fs::is_directory("blocked.txt.part"));
    EXPECT_FALSE(directory.Exists("blocked.txt"));
}

TEST(NothingLost, AnEditorSaveThatFailsKeepsTheOldMapAndLeavesNoDebris)
{
    TestGame::Options options;
    options.arguments = {"--editor"};
    TestGame test(options);
    Game& game = test.game();
    fs::create_directory("data/maps/folder.map");
    test.dir().WriteFile("data/maps/folder.map/inside", "kept");
    game.mInputText = "folder.map";
    EXPECT_FALSE(game.EditorSaveMap());
    EXPECT_EQ(test.dir().ReadFile("data/maps/folder.map/inside"), "kept");
    EXPECT_FALSE(test.dir().Exists("data/maps/folder.map.saving"));
    game.mInputText = "no-such-folder/x.map";
    EXPECT_FALSE(game.EditorSaveMap());
    EXPECT_EQ(game.mMapName, "untitled.map");
}

TEST(NothingLost, AMapTheEditorCannotOpenIsNeverSavedOver)
{
    // Wider than the editor's largest map.
    const std::string refused = "65\n1\n\n" + std::string(129, ' ') + "\n";
    TestGame::Options options;
    options.arguments = {"--editor"};
    options.files = {{"data/maps/refused.map", refused}};
    TestGame test(options);
    Game& game = test.game();
    test.RunFrames(1);
    const auto press = [&test](SDL_Scancode key) { test.TapKey(key); };
    press(SDL_SCANCODE_O);
    test.Text("refused");
    test.RunFrames(1);
    press(SDL_SCANCODE_RETURN);
    EXPECT_EQ(game.mEditorAction, EditorActionState::OpenFailed);
    EXPECT_EQ(game.mPromptMessage, "Error while trying to open map file: refused.map");
    press(SDL_SCANCODE_RETURN);

    // Saving offers the name of the map on screen, not the refused one...
    press(SDL_SCANCODE_S);
    EXPECT_EQ(game.mInputText, "untitled");
    press(SDL_SCANCODE_RETURN);
    EXPECT_EQ(game.mEditorAction, EditorActionState::SaveSucceeded);
    press(SDL_SCANCODE_RETURN);
    // ...and so does the save of the quit question.
    press(SDL_SCANCODE_ESCAPE);
    press(SDL_SCANCODE_N);
    EXPECT_EQ(game.mInputText, "untitled");
    press(SDL_SCANCODE_RETURN);
    EXPECT_EQ(test.dir().ReadFile("data/maps/refused.map"), refused);
    EXPECT_TRUE(test.dir().Exists("data/maps/untitled.map"));
}

TEST(NothingLost, AFolderInTheSettingsFilesPlaceIsLeftAlone)
{
    // The game plays with the defaults and leaves the folder as it was.
    TestGame::Options options;
    options.files = {{"ql3d.cfg/inside", "kept"}};
    TestGame test(options);
    EXPECT_TRUE(test.game().mSettings.mFullscreen);
    test.game().CleanUp();
    EXPECT_EQ(test.dir().ReadFile("ql3d.cfg/inside"), "kept");
    EXPECT_FALSE(test.dir().Exists("ql3d.cfg.tmp"));
}

TEST(NothingLost, ASettingsFileTheGameCannotReadIsLeftAlone)
{
    if (geteuid() == 0)
    {
        GTEST_SKIP() << "root reads every file, so an unreadable one cannot be made";
    }
    TestGame::Options options;
    options.init = false;
    options.files = {{"ql3d.cfg", "1 2 3\n"}};
    TestGame test(options);
    fs::permissions("ql3d.cfg", fs::perms::none);
    test.Init();
    test.game().CleanUp();
    fs::permissions("ql3d.cfg", fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(test.dir().ReadFile("ql3d.cfg"), "1 2 3\n");
}

// A link whose target is gone is the player's, and must not be replaced by a
// file of defaults.
TEST(NothingLost, ASettingsLinkWhoseTargetIsGoneIsLeftAlone)
{
    TestGame::Options options;
    options.init = false;
    TestGame test(options);
    fs::create_symlink("elsewhere/ql3d.cfg", "ql3d.cfg");
    test.Init();
    test.game().CleanUp();
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status("ql3d.cfg")));
    EXPECT_EQ(fs::read_symlink("ql3d.cfg"), "elsewhere/ql3d.cfg");
}
