// Nothing the player made is lost: saves are atomic even when the process is
// killed in the middle of one, a failed save leaves the old file and no debris,
// and files the program cannot use are never changed by it.
#include "core/atomic_file.h"
#include "editor/editor_map.h"
#include "support/child_process.h"
#include "support/scratch_dir.h"
#include "support/test_game.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <pwd.h>
#include <random>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
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

// Names of the temporary files a write left in a folder.
std::vector<std::string> Debris(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
    {
        const std::string name = entry.path().filename().string();
        if (name.find(".tmp-") != std::string::npos && !entry.is_symlink())
        {
            names.push_back(name);
        }
    }
    return names;
}

// Runs `work` in a child process that says when it is about to save, kills it
// after a random number of saves and a random short spin, and returns whether
// a save was under way at that moment.
bool KillDuringSaves(const ChildProcess::Work& work, std::mt19937& random, const fs::path& folder)
{
    ChildProcess child(work);
    const int saves = std::uniform_int_distribution<int>(1, 4)(random);
    for (int i = 0; i < saves && child.WaitUntilReady(); ++i)
    {
    }
    // A little way into the save: the kill must land anywhere in it.
    volatile long spin = 0;
    const long spins = std::uniform_int_distribution<long>(0, 4000000)(random);
    for (long i = 0; i < spins; ++i)
    {
        spin = spin + 1;
    }
    child.Signal(SIGKILL);
    const bool caughtMidSave = !Debris(folder).empty();
    EXPECT_FALSE(child.Finish().exitedCleanly) << "the saving process ended before it was killed";
    // What a kill leaves is only ever a temporary file beside the target.
    for (const std::string& name : Debris(folder))
    {
        fs::remove(folder / name);
    }
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
                return std::string();
            },
            random, "data/maps");
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
    const std::string quiet = "80 79 82 81 44 224 225 226 30 31\n0 0 0 0 0 0\n0 1 0\n";
    const std::string loud = "4 5 6 7 8 9 10 11 12 13\n128 128 1 1 1 1\n1 100 90\n";
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
                        save % 2 == 0 ? "4 5 6 7 8 9 10 11 12 13\n128 128 1 1 1 1\n1 100 90\n"
                                      : "80 79 82 81 44 224 225 226 30 31\n0 0 0 0 0 0\n0 1 0\n");
                    game.mSettings.Read(values);
                    aboutToSave();
                    game.WriteConfig();
                }
                return std::string();
            },
            random, ".");
        const std::string text = directory.ReadFile("ql3d.cfg");
        ASSERT_TRUE(text == quiet || text == loud) << "round " << round << ": \"" << text << "\"";
    }
}

namespace
{
mode_t ModeOf(const fs::path& path)
{
    struct stat status
    {
    };
    stat(path.c_str(), &status);
    return status.st_mode & 07777;
}
} // namespace

TEST(NothingLost, AtomicReplaceKeepsLinksLooksAndEveryFileItMayNotTouch)
{
    ScratchDir directory;
    const mode_t mask = umask(022);
    // A new file, and a replaced one that keeps its permission bits.
    ASSERT_TRUE(AtomicFile::Replace("new.txt", "one\n"));
    EXPECT_EQ(ModeOf("new.txt"), 0644u);
    chmod("new.txt", 0640);
    ASSERT_TRUE(AtomicFile::Replace("new.txt", "two\n"));
    EXPECT_EQ(directory.ReadFile("new.txt"), "two\n");
    EXPECT_EQ(ModeOf("new.txt"), 0640u);
    umask(mask);

    // A chain of relative links: the final target is written, the links stay.
    directory.WriteFile("real/target.txt", "old");
    fs::create_directory("links");
    fs::create_symlink("../real/target.txt", "links/second");
    fs::create_symlink("links/second", "first");
    ASSERT_TRUE(AtomicFile::Replace("first", "new"));
    EXPECT_EQ(directory.ReadFile("real/target.txt"), "new");
    EXPECT_EQ(fs::read_symlink("first"), "links/second");
    EXPECT_EQ(fs::read_symlink("links/second"), "../real/target.txt");

    // Links planted at the names a temporary file could have are never written
    // through, nor renamed over the target.
    directory.WriteFile("victim.txt", "victim");
    for (const char* name : {"t.txt.tmp", "t.txt.saving", "t.txt.tmp-XXXXXX", "t.txt.tmp-000000"})
    {
        fs::create_symlink("victim.txt", name);
    }
    ASSERT_TRUE(AtomicFile::Replace("t.txt", "text"));
    EXPECT_EQ(directory.ReadFile("t.txt"), "text");
    EXPECT_EQ(directory.ReadFile("victim.txt"), "victim");
    EXPECT_TRUE(fs::is_symlink("t.txt.saving"));

    // Refused: links in a circle, a folder, a folder that does not exist.
    fs::create_symlink("round", "circle");
    fs::create_symlink("circle", "round");
    directory.WriteFile("folder.txt/inside", "kept");
    for (const char* refused : {"circle", "folder.txt", "no-such-folder/x.txt"})
    {
        EXPECT_FALSE(AtomicFile::Replace(refused, "text")) << refused;
    }
    EXPECT_EQ(directory.ReadFile("folder.txt/inside"), "kept");

    // A full disk halfway through the write.
    directory.WriteFile("full.txt", "old");
    const std::string full = RunInChild(
        []
        {
            signal(SIGXFSZ, SIG_IGN);
            const rlimit oneByte{1, 1};
            setrlimit(RLIMIT_FSIZE, &oneByte);
            return std::string(AtomicFile::Replace("full.txt", "longer") ? "saved" : "failed");
        });
    EXPECT_EQ(full, "failed");
    EXPECT_EQ(directory.ReadFile("full.txt"), "old");
    for (const fs::path folder : {".", "real", "links"})
    {
        EXPECT_TRUE(Debris(folder).empty()) << folder;
    }
}

namespace
{
// Saves through the editor's prompt, over the name it offers.
void SaveAs(TestGame& test, const std::string& name)
{
    test.TapKey(SDL_SCANCODE_S);
    for (std::size_t i = test.game().mInputText.size(); i > 0; --i)
    {
        test.TapKey(SDL_SCANCODE_BACKSPACE);
    }
    test.Text(name);
    test.TapKey(SDL_SCANCODE_RETURN);
}
} // namespace

// The user may not write the file, though the folder would let a rename
// replace it: the save fails and the file stays as it was. CI runs as root,
// who may write everything, so the save runs as another user.
TEST(NothingLost, AMapThisUserMayNotWriteIsNeverSavedOver)
{
    ScratchDir directory;
    const std::string map = "1\n1\n\n0\n\n0\n\n";
    directory.CopyGameData();
    directory.WriteFile("data/maps/protected.map", map);
    fs::permissions("data/maps", fs::perms::all);
    fs::permissions("data/maps/protected.map",
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const std::string message = RunAsUnprivilegedUser(
        []
        {
            TestGame::Options options;
            options.scratch = false;
            options.arguments = {"--editor"};
            TestGame test(options);
            SaveAs(test, "protected");
            return test.game().mPromptMessage;
        });
    EXPECT_EQ(message, "Error while trying to save map file: protected.map");
    EXPECT_EQ(directory.ReadFile("data/maps/protected.map"), map);
    EXPECT_TRUE(Debris("data/maps").empty());

    // Saved by one who may (root may write any file), the map keeps its
    // owner and permission bits.
    if (geteuid() == 0)
    {
        const passwd* nobody = getpwnam("nobody");
        ASSERT_NE(nobody, nullptr);
        ASSERT_EQ(chown("data/maps/protected.map", nobody->pw_uid, nobody->pw_gid), 0);
        TestGame::Options options;
        options.scratch = false;
        options.arguments = {"--editor"};
        TestGame test(options);
        SaveAs(test, "protected");
        EXPECT_EQ(test.game().mEditorAction, EditorActionState::SaveSucceeded);
        struct stat status
        {
        };
        stat("data/maps/protected.map", &status);
        EXPECT_EQ(status.st_uid, nobody->pw_uid);
        EXPECT_EQ(status.st_mode & 07777, 0444u);
        EXPECT_NE(directory.ReadFile("data/maps/protected.map"), map);
    }
}

// Players keep settings in a dotfiles folder and authors link maps from a
// shared folder: writing follows the links, which stay, and links planted at
// the old temporary names change nothing.
TEST(NothingLost, SettingsAndMapsBehindLinksAreWrittenWhereTheLinksPoint)
{
    ScratchDir directory;
    directory.LinkGameData();
    directory.WriteFile("dotfiles/ql3d.cfg", "4 5 6 7 8 9 10 11 12 13\n1 2 0 0 0 0\n");
    directory.WriteFile("shared/level.map", "1\n1\n\n0\n\n0\n\n");
    directory.WriteFile("victim", "victim");
    fs::create_symlink("dotfiles/ql3d.cfg", "ql3d.cfg");
    fs::create_symlink("../../shared/level.map", "data/maps/level.map");
    for (const char* planted : {"ql3d.cfg.tmp", "dotfiles/ql3d.cfg.tmp", "shared/level.map.saving",
                                "data/maps/level.map.saving"})
    {
        fs::create_symlink(fs::absolute("victim"), planted);
    }
    // Each program in a process of its own, ended as the program ends.
    RunInChild(
        []
        {
            TestGame::Options options;
            options.scratch = false;
            TestGame test(options);
            test.game().mSettings.mSoundVolume = 99;
            return std::string();
        });
    EXPECT_EQ(directory.ReadFile("dotfiles/ql3d.cfg"),
              "4 5 6 7 8 9 10 11 12 13\n99 2 0 0 0 0\n1 30 25\n");
    EXPECT_TRUE(fs::is_symlink("ql3d.cfg"));
    const std::string saved = RunInChild(
        []
        {
            TestGame::Options options;
            options.scratch = false;
            options.arguments = {"--editor"};
            TestGame test(options);
            test.TapKey(SDL_SCANCODE_O);
            test.Text("level");
            test.TapKey(SDL_SCANCODE_RETURN);
            test.MouseButton(1, 1, SDL_BUTTON_LEFT);
            test.RunFrames(1);
            test.TapKey(SDL_SCANCODE_S);
            test.TapKey(SDL_SCANCODE_RETURN);
            return test.game().mPromptMessage;
        });
    EXPECT_EQ(saved, "level.map map saved succesfully!");
    EXPECT_EQ(directory.ReadFile("shared/level.map"), "1\n1\n\n1\n\n0\n\n");
    EXPECT_TRUE(fs::is_symlink("data/maps/level.map"));
    EXPECT_EQ(directory.ReadFile("victim"), "victim");
    for (const fs::path folder : {".", "dotfiles", "shared", "data/maps"})
    {
        EXPECT_TRUE(Debris(folder).empty()) << folder;
    }
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
    EXPECT_TRUE(Debris("data/maps").empty());
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

// Anything in the settings file's place that the game cannot read (a folder, a
// file without read rights, a link whose target is gone) is the player's: the
// game plays with the defaults and leaves it as it was.
TEST(NothingLost, ASettingsFileTheGameCannotReadIsLeftAlone)
{
    ScratchDir directory;
    directory.CopyGameData();
    directory.WriteFile("unreadable/ql3d.cfg", "1 2 3\n");
    fs::permissions("unreadable/ql3d.cfg", fs::perms::none);
    directory.WriteFile("folder/ql3d.cfg/inside", "kept");
    fs::create_directories("gone");
    fs::create_symlink("elsewhere/ql3d.cfg", "gone/ql3d.cfg");
    for (const char* folder : {"unreadable", "folder", "gone"})
    {
        fs::create_symlink("../data", fs::path(folder) / "data");
    }
    const std::string fullscreen = RunAsUnprivilegedUser(
        []
        {
            std::string report;
            for (const char* folder : {"unreadable", "folder", "gone"})
            {
                fs::current_path(folder);
                {
                    TestGame::Options options;
                    options.scratch = false;
                    TestGame test(options);
                    report += test.game().mSettings.mFullscreen ? "1" : "0";
                }
                fs::current_path("..");
            }
            return report;
        });
    EXPECT_EQ(fullscreen, "111");
    fs::permissions("unreadable/ql3d.cfg", fs::perms::owner_read);
    EXPECT_EQ(directory.ReadFile("unreadable/ql3d.cfg"), "1 2 3\n");
    EXPECT_EQ(directory.ReadFile("folder/ql3d.cfg/inside"), "kept");
    EXPECT_EQ(fs::read_symlink("gone/ql3d.cfg"), "elsewhere/ql3d.cfg");
    for (const char* folder : {"unreadable", "folder", "gone"})
    {
        EXPECT_TRUE(Debris(folder).empty()) << folder;
    }
}
