// Nothing the player made is lost: saves are atomic even when the process is
// killed in the middle of one, a failed save leaves the old file and no debris,
// and files the program cannot use are never changed by it.
#include "core/atomic_file.h"
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
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
// A 64 x 64 map in exactly the form the editor saves it, with 40 enemies.
std::string LargeMapText(int pattern)
{
    std::ostringstream text;
    text << "64\n64\n\n";
    for (int layer = 0; layer < 2; ++layer)
    {
        for (int cell = 0; cell < 64 * 64; ++cell)
        {
            const int x = cell % 64;
            const int value =
                layer == 0 ? (x * 7 + cell / 64 * 3 + pattern) % 15 : (x + pattern) % 3;
            // Wall number 13 has no palette entry; keep to the ones the editor paints.
            text << (value == 13 ? 14 : value) << (x < 63 ? " " : "\n");
        }
        text << "\n";
    }
    text << "Type Player\nAngle " << pattern << "\nX 1\nY 1";
    for (int i = 0; i < 40; ++i)
    {
        text << "\n\nType Enemy\nAngle 0\nX " << (2 + i) << "\nY " << (2 + pattern);
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

mode_t ModeOf(const fs::path& path)
{
    struct stat status
    {
    };
    stat(path.c_str(), &status);
    return status.st_mode & 07777;
}

// Starts a game whose working directory is already prepared.
std::unique_ptr<TestGame> StartHere(bool editor)
{
    TestGame::Options options;
    options.scratch = false;
    options.arguments = editor ? std::vector<std::string>{"--editor"} : std::vector<std::string>{};
    return std::make_unique<TestGame>(options);
}

// Saves through the editor's prompt, over the name it offers.
std::string SaveAs(TestGame& test, const std::string& name)
{
    test.TapKey(SDL_SCANCODE_S);
    for (std::size_t i = test.game().mInputText.size(); i > 0; --i)
    {
        test.TapKey(SDL_SCANCODE_BACKSPACE);
    }
    test.Text(name);
    test.TapKey(SDL_SCANCODE_RETURN);
    return test.game().mPromptMessage;
}

struct KilledWrite
{
    const char* what;
    std::string path;
    std::string first;
    std::string second;
    // Writes the one or the other by turns, saying when it is about to write.
    std::function<void(const std::function<void()>&)> writeByTurns;
};
} // namespace

// A child writes by turns and is killed after a random number of writes and a
// random short spin, anywhere in a write: the file is the old or the new one.
TEST(NothingLost, AWriteKilledHalfwayLeavesTheOldOrTheNewFile)
{
    UseHeadlessDrivers();
    const std::string quiet = "80 79 82 81 44 224 225 226 30 31\n0 0 0 0 0 0\n0 1 0\n";
    const std::string loud = "4 5 6 7 8 9 10 11 12 13\n128 128 1 1 1 1\n1 100 90\n";
    const KilledWrite writes[] = {
        {"editor save", "data/maps/target.map", LargeMapText(0), LargeMapText(1),
         [](const std::function<void()>& aboutToSave)
         {
             const auto test = StartHere(true);
             for (int save = 0;; ++save)
             {
                 test->game().mInputText = save % 2 == 0 ? "second.map" : "first.map";
                 test->game().EditorLoadMap();
                 test->game().mInputText = "target.map";
                 aboutToSave();
                 test->game().EditorSaveMap();
             }
         }},
        {"settings write", "ql3d.cfg", quiet, loud,
         [&quiet, &loud](const std::function<void()>& aboutToSave)
         {
             Game game;
             for (int save = 0;; ++save)
             {
                 std::istringstream values(save % 2 == 0 ? loud : quiet);
                 game.mSettings.Read(values);
                 aboutToSave();
                 game.WriteConfig();
             }
         }},
    };
    std::mt19937 random(7);
    int caughtMidWrite = 0;
    for (const KilledWrite& write : writes)
    {
        ScratchDir directory;
        directory.LinkGameData();
        directory.WriteFile("data/maps/first.map", write.first);
        directory.WriteFile("data/maps/second.map", write.second);
        directory.WriteFile(write.path, write.first);
        const fs::path folder = fs::path(write.path).parent_path().empty()
                                    ? fs::path(".")
                                    : fs::path(write.path).parent_path();
        for (int round = 0; round < 16; ++round)
        {
            ChildProcess child(
                [&write](const std::function<void()>& ready)
                {
                    write.writeByTurns(ready);
                    return std::string();
                });
            for (int i = std::uniform_int_distribution<int>(1, 4)(random);
                 i > 0 && child.WaitUntilReady(); --i)
            {
            }
            volatile long spin = 0;
            for (long i = std::uniform_int_distribution<long>(0, 4000000)(random); i > 0; --i)
            {
                spin = spin + 1;
            }
            child.Signal(SIGKILL);
            caughtMidWrite += Debris(folder).empty() ? 0 : 1;
            EXPECT_FALSE(child.Finish().exitedCleanly) << write.what << " ended before the kill";
            // What a kill leaves is only ever a temporary file beside the target.
            for (const std::string& name : Debris(folder))
            {
                fs::remove(folder / name);
            }
            const std::string text = directory.ReadFile(write.path);
            ASSERT_TRUE(text == write.first || text == write.second)
                << write.what << ", round " << round << ": " << text.size() << " bytes";
        }
    }
    // The kills must have hit writes in progress, or the test proves nothing.
    EXPECT_GT(caughtMidWrite, 0);
}

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

// The user may not write the file, though the folder would let a rename
// replace it: the save fails and the file stays as it was. CI runs as root,
// who may write everything, so the save runs as another user; root's own save
// keeps the owner and permission bits.
TEST(NothingLost, AMapThisUserMayNotWriteIsNeverSavedOver)
{
    ScratchDir directory;
    const std::string map = "1\n1\n\n0\n\n0\n\n";
    directory.CopyGameData();
    directory.WriteFile("data/maps/protected.map", map);
    fs::permissions("data/maps", fs::perms::all);
    fs::permissions("data/maps/protected.map",
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(RunAsUnprivilegedUser([] { return SaveAs(*StartHere(true), "protected"); }),
              "Error while trying to save map file: protected.map");
    EXPECT_EQ(directory.ReadFile("data/maps/protected.map"), map);
    EXPECT_TRUE(Debris("data/maps").empty());
    if (geteuid() == 0)
    {
        const passwd* nobody = getpwnam("nobody");
        ASSERT_NE(nobody, nullptr);
        ASSERT_EQ(chown("data/maps/protected.map", nobody->pw_uid, nobody->pw_gid), 0);
        EXPECT_EQ(SaveAs(*StartHere(true), "protected"), "protected.map map saved succesfully!");
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
            StartHere(false)->game().mSettings.mSoundVolume = 99;
            return std::string();
        });
    EXPECT_EQ(directory.ReadFile("dotfiles/ql3d.cfg"),
              "4 5 6 7 8 9 10 11 12 13\n99 2 0 0 0 0\n1 30 25\n");
    EXPECT_TRUE(fs::is_symlink("ql3d.cfg"));
    const std::string saved = RunInChild(
        []
        {
            const auto test = StartHere(true);
            test->TapKey(SDL_SCANCODE_O);
            test->Text("level");
            test->TapKey(SDL_SCANCODE_RETURN);
            test->MouseButton(1, 1, SDL_BUTTON_LEFT);
            test->RunFrames(1);
            test->TapKey(SDL_SCANCODE_S);
            test->TapKey(SDL_SCANCODE_RETURN);
            return test->game().mPromptMessage;
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

// A map the editor refused to open, and saves that fail (over a folder, into a
// folder that does not exist), leave every file as it was and no debris.
TEST(NothingLost, WhatTheEditorCannotOpenOrSaveIsNeverSavedOver)
{
    // Wider than the editor's largest map.
    const std::string refused = "65\n1\n\n" + std::string(129, ' ') + "\n";
    TestGame::Options options;
    options.arguments = {"--editor"};
    options.files = {{"data/maps/refused.map", refused}, {"data/maps/folder.map/inside", "kept"}};
    TestGame test(options);
    Game& game = test.game();
    test.TapKey(SDL_SCANCODE_O);
    test.Text("refused");
    test.TapKey(SDL_SCANCODE_RETURN);
    EXPECT_EQ(game.mEditorAction, EditorActionState::OpenFailed);
    EXPECT_EQ(game.mPromptMessage, "Error while trying to open map file: refused.map");
    test.TapKey(SDL_SCANCODE_RETURN);
    // Saving offers the name of the map on screen, not the refused one...
    test.TapKey(SDL_SCANCODE_S);
    EXPECT_EQ(game.mInputText, "untitled");
    test.TapKey(SDL_SCANCODE_RETURN);
    EXPECT_EQ(game.mEditorAction, EditorActionState::SaveSucceeded);
    test.TapKey(SDL_SCANCODE_RETURN);
    // ...and so does the save of the quit question.
    test.TapKey(SDL_SCANCODE_ESCAPE);
    test.TapKey(SDL_SCANCODE_N);
    EXPECT_EQ(game.mInputText, "untitled");
    test.TapKey(SDL_SCANCODE_RETURN);
    for (const char* failing : {"folder.map", "no-such-folder/x.map"})
    {
        game.mInputText = failing;
        EXPECT_FALSE(game.EditorSaveMap()) << failing;
    }
    EXPECT_EQ(game.mMapName, "untitled.map");
    EXPECT_EQ(test.dir().ReadFile("data/maps/refused.map"), refused);
    EXPECT_EQ(test.dir().ReadFile("data/maps/folder.map/inside"), "kept");
    EXPECT_TRUE(test.dir().Exists("data/maps/untitled.map"));
    EXPECT_TRUE(Debris("data/maps").empty());
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
    const char* const folders[] = {"unreadable", "folder", "gone"};
    for (const char* folder : folders)
    {
        fs::create_symlink("../data", fs::path(folder) / "data");
    }
    const std::string fullscreen = RunAsUnprivilegedUser(
        [&folders]
        {
            std::string report;
            for (const char* folder : folders)
            {
                fs::current_path(folder);
                report += StartHere(false)->game().mSettings.mFullscreen ? "1" : "0";
                fs::current_path("..");
            }
            return report;
        });
    EXPECT_EQ(fullscreen, "111");
    fs::permissions("unreadable/ql3d.cfg", fs::perms::owner_read);
    EXPECT_EQ(directory.ReadFile("unreadable/ql3d.cfg"), "1 2 3\n");
    EXPECT_EQ(directory.ReadFile("folder/ql3d.cfg/inside"), "kept");
    EXPECT_EQ(fs::read_symlink("gone/ql3d.cfg"), "elsewhere/ql3d.cfg");
    for (const char* folder : folders)
    {
        EXPECT_TRUE(Debris(folder).empty()) << folder;
    }
}
