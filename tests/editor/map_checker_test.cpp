// The map checker as a map author meets it: V in the editor, with its message
// and outlines, and `quill3d --check` on the terminal.
#include "editor_harness.h"

#include "support/scratch_dir.h"
#include "support/test_images.h"
#include "support/test_maps.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/wait.h>

namespace
{
const std::string NO_EXIT = "1,1: no exit door can be reached from the start";

// The maps are built when called: the layouts' legend is not there before main.
// Through a standard door, then the blue key, then the blue door.
std::string Good()
{
    return BuildMapText({
        "#######",
        "#@E.#.X",
        "##D##.#",
        "#1..b$#",
        "#######",
    });
}
// The orange key lies behind its own door, the orb is walled in, the exit's
// only neighbour is sealed and the fake exit within reach is no exit.
std::string OutOfReach()
{
    return BuildMapText({
        "#########",
        "#@..#2#$#",
        "#...o.###",
        "#h..#.#.X",
        "F...#####",
        "#########",
    });
}
std::string NoPlayer()
{
    return BuildMapText({"#####", "#.E.#", "#####"});
}

struct Outcome
{
    int status = -1;
    std::string output;
    std::string errors;
};

// Runs the built game in the scratch directory with no display to open a
// window on and no sound driver chosen.
Outcome RunGame(const ScratchDir& scratch, const std::string& arguments)
{
    const int status = std::system(("env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER -u "
                                    "SDL_AUDIODRIVER \"" QUILL_GAME "\" " +
                                    arguments + " >output.txt 2>errors.txt")
                                       .c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, scratch.ReadFile("output.txt"),
            scratch.ReadFile("errors.txt")};
}
} // namespace

TEST(MapChecker, VShowsWhatKeepsEachMapFromBeingPlayedThrough)
{
    const struct
    {
        const char* name;
        std::string map;
        std::string message;
    } cases[] = {
        {"good", Good(), "No problems found. Best score: 150"},
        // Two blue keys at the start: the second is taken once the first has
        // opened a door, and opens the second.
        {"two_keys", BuildMapText({"###########", "#@11.b.b..X", "###########"}),
         "No problems found. Best score: 0"},
        {"stranding", BuildMapText({"###########", "#$.b.@1.b.X", "###########"}),
         "3,1: a key used on this door can leave the exit out of reach"},
        // A second key behind the west door makes either order safe.
        {"spare_key", BuildMapText({"###########", "#1.b.@1.b.X", "###########"}),
         "No problems found. Best score: 0"},
        {"out_of_reach", OutOfReach(),
         NO_EXIT + "\n5,1: OrangeKey can only be reached through a door it opens\n"
                   "7,1: Orb cannot be reached"},
        // A locked door in a wall running north-south frames the floor beside
        // it, which then blocks like a wall.
        {"door_across", BuildMapText({"######", "#@1..#", "###b##", "#....X", "######"}), NO_EXIT},
        {"no_player", NoPlayer(), "no player to start from"},
        {"open_edges", BuildMapText({"#..#..#", "X@.#E.#", "###.###"}),
         "4,1: Enemy cannot be reached\n1,0: the map's edge is no wall here\n"
         "2,0: the map's edge is no wall here\n4,0: the map's edge is no wall here\n"
         "5,0: the map's edge is no wall here\nand 1 more"},
        // The editor keeps a value the game refuses.
        {"refused", "1\n1\n\n99\n\n0\n",
         "Error loading map: Invalid wall value 99 at (0, 0) (Must be 0-14)!"},
    };
    EditorHarness::Files files;
    for (const auto& c : cases)
    {
        files.push_back({std::string("data/maps/") + c.name + ".map", c.map});
    }
    EditorHarness editor(files);
    Game& game = editor.game();
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        editor.Open(c.name);
        editor.Press(SDL_SCANCODE_V);
        EXPECT_EQ(editor.State(), -5);
        EXPECT_EQ(game.mPromptTitle, "Check Map");
        EXPECT_EQ(game.mPromptMessage, c.message);
        // A key of the command table dismisses it, as it does every message.
        editor.Press(SDL_SCANCODE_V);
        EXPECT_EQ(editor.State(), 0);
    }
}

TEST(MapChecker, ProblemCellsStayOutlinedUntilTheMapChanges)
{
    EditorHarness editor({{"data/maps/open.map", BuildMapText({"#.#", "#@#", "###"})}});
    editor.Open("open");
    editor.Press(SDL_SCANCODE_V);
    // The open edge at (1, 0) and the start at (1, 1), which reaches no exit,
    // have two pixels of outline around what the cell shows.
    Wrapper window = editor.WindowImage();
    EXPECT_EQ(CompareWithReference(window.Get<SDL_Surface>(), "editor_check_outline.png"), "");
    // The mouse dismisses the message; the outline stays until the map changes.
    editor.MoveTo(1, 0);
    ASSERT_EQ(editor.State(), 0);
    EXPECT_EQ(editor.test().FramePixel(9, 4), (Rgb{255, 0, 255}));
    editor.Click(1, 0);
    EXPECT_EQ(editor.test().FramePixel(8, 12), (Rgb{84, 84, 84}));
}

TEST(MapChecker, TheCommandLineChecksMapFilesWithoutAWindow)
{
    const ScratchDir scratch;
    scratch.WriteFile("maps/good.map", Good());
    scratch.WriteFile("out_of_reach.map", OutOfReach());
    scratch.WriteFile("nobody.map", NoPlayer());
    scratch.WriteFile("junk.map", "a map\n");
    const std::string problems = "out_of_reach.map:" + NO_EXIT +
                                 "\nout_of_reach.map:5,1: OrangeKey can only be reached through "
                                 "a door it opens\nout_of_reach.map:7,1: Orb cannot be reached\n";
    const struct
    {
        std::string arguments;
        Outcome expected;
    } runs[] = {
        {"--check maps/good.map", {0, "maps/good.map: ok, best score 150\n", ""}},
        {"--check maps/good.map out_of_reach.map nobody.map",
         {1,
          "maps/good.map: ok, best score 150\n" + problems +
              "nobody.map: no player to start from\n",
          ""}},
        {"--check junk.map out_of_reach.map missing.map",
         {2, problems,
          "junk.map: Error loading map: Missing or invalid map size!\n"
          "missing.map: Couldn't open map file: missing.map\n"}},
    };
    for (const auto& run : runs)
    {
        SCOPED_TRACE(run.arguments);
        const Outcome outcome = RunGame(scratch, run.arguments);
        EXPECT_EQ(outcome.status, run.expected.status);
        EXPECT_EQ(outcome.output, run.expected.output);
        EXPECT_EQ(outcome.errors, run.expected.errors);
    }
}
