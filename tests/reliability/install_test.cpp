// The installed game: `cmake --install` lays out a tree that the desktop's own
// validators accept, and the program started from it, anywhere, only reads that
// (read-only) tree and keeps the player's files in the XDG folders.
#include "core/game_settings.h"
#include "support/child_process.h"
#include "support/scratch_dir.h"
#include "support/test_game.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <map>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace
{
const std::string APP_ID = "org.quill3d.Quill3D";

struct Outcome
{
    int status = -1;
    std::string output;
};

// A shell command's exit status and everything it printed.
Outcome Shell(const std::string& command)
{
    Outcome outcome;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    char buffer[4096];
    for (std::size_t got = 0; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    {
        outcome.output.append(buffer, got);
    }
    outcome.status = pclose(pipe);
    return outcome;
}

// Every file under the folder with its content.
std::map<std::string, std::string> Files(const ScratchDir& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder.Path()))
    {
        if (entry.is_regular_file())
        {
            const std::string name = fs::relative(entry.path(), folder.Path()).string();
            files[name] = folder.ReadFile(name);
        }
    }
    return files;
}
} // namespace

TEST(Install, TheInstalledGameReadsItsTreeAndWritesOnlyThePlayersFolders)
{
    const ScratchDir scratch; // also the unrelated working folder
    const fs::path prefix = scratch.Path() / "destdir/opt/quill3d";
    const Outcome install =
        Shell("DESTDIR=\"" + (scratch.Path() / "destdir").string() + "\" \"" + QUILL_CMAKE +
              "\" --install \"" + QUILL_BUILD_DIR + "\" --prefix /opt/quill3d");
    ASSERT_EQ(install.status, 0) << install.output;

    const fs::path share = prefix / "share";
    const Outcome entry =
        Shell("desktop-file-validate " + (share / "applications" / (APP_ID + ".desktop")).string());
    EXPECT_EQ(entry.status, 0);
    EXPECT_EQ(entry.output, "");
    const Outcome metainfo = Shell("appstreamcli validate --no-net " +
                                   (share / "metainfo" / (APP_ID + ".metainfo.xml")).string());
    EXPECT_EQ(metainfo.status, 0);
    EXPECT_EQ(metainfo.output.find("W: "), std::string::npos) << metainfo.output;
    EXPECT_EQ(metainfo.output.find("E: "), std::string::npos) << metainfo.output;
    for (const char* size : {"32x32", "48x48", "64x64", "128x128", "256x256"})
    {
        EXPECT_TRUE(fs::exists(share / "icons/hicolor" / size / "apps" / (APP_ID + ".png")))
            << size;
    }
    EXPECT_TRUE(fs::exists(share / "man/man6/quill3d.6"));

    ASSERT_EQ(Shell("chmod -R a-w \"" + prefix.string() + "\"").status, 0);
    UseHeadlessDrivers();
    setenv("HOME", (scratch.Path() / "home").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (scratch.Path() / "config").c_str(), 1);
    setenv("XDG_DATA_HOME", (scratch.Path() / "data").c_str(), 1);
    const std::map<std::string, std::string> before = Files(scratch);

    const std::string program = (prefix / "bin/quill3d").string();
    EXPECT_EQ(Shell(program + " --version").output, "Quill 3D 0.3.1\n");
    const Outcome help = Shell(program + " --help");
    EXPECT_EQ(help.status, 0);
    for (const fs::path& place : {share / "quill3d/", scratch.Path() / "config/quill3d/ql3d.cfg",
                                  scratch.Path() / "data/quill3d/maps/"})
    {
        EXPECT_NE(help.output.find("\n  " + place.string() + "\n"), std::string::npos) << place;
    }
    EXPECT_NE(help.output.find("--windowsize WIDTH HEIGHT"), std::string::npos) << help.output;
    // Ended from outside, each ends the orderly way; the editor keeps its
    // never-saved map and says where on stderr.
    for (const std::vector<std::string>& start :
         {std::vector<std::string>{program}, std::vector<std::string>{program, "--editor"}})
    {
        const int status = SignalProgramOnceListening(start, SIGTERM, "stderr.txt");
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << start.size() << status;
    }

    std::map<std::string, std::string> written = Files(scratch);
    for (const auto& [name, text] : before)
    {
        EXPECT_EQ(written[name], text) << name;
        written.erase(name);
    }
    ASSERT_EQ(written.size(), 3u);
    EXPECT_EQ(written["config/quill3d/ql3d.cfg"], GameSettings().Format());
    const std::string recovered = "data/quill3d/maps/untitled.map.recovered";
    EXPECT_EQ(written[recovered].rfind("64\n64\n\n0 0 0", 0), 0u);
    EXPECT_NE(written["stderr.txt"].find(recovered), std::string::npos) << written["stderr.txt"];
    Shell("chmod -R u+w \"" + prefix.string() + "\"");
}
