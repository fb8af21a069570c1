// quill3d-shot draws a map view to a PNG as the game draws it, and says why
// when it cannot.

#include "support/test_images.h"
#include "support/world_fixture.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <string>

#ifdef QUILL_SHOT_TOOL

namespace
{
// Runs quill3d-shot in the fixture's scratch directory: its exit status and what it printed.
std::pair<int, std::string> RunTool(WorldFixture& world, const std::string& arguments)
{
    const std::string command =
        std::string(QUILL_SHOT_TOOL) + " " + arguments + " 2> tool-errors.txt";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, world.dir().ReadFile("tool-errors.txt")};
}

const MapText HALL =
    MapText({"1111111", "1000001", "1000001", "1107011", "10000e1", "1000001", "1111111"})
        .Add("Player", 1, 1)
        .Add("Enemy", 4, 2)
        .Add("Ammo", 2, 5)
        .Add("Orb", 5, 5);
} // namespace

TEST(ShotTool, DrawsTheViewAsTheGameDoes)
{
    WorldFixture world;
    // Facing east beyond a whole turn, the fireplace six steps of the world on.
    const auto [status, errors] = RunTool(world, world.WriteMap(HALL.Text(), "hall.map") +
                                                     " 100 280 1940 shot.png --frames 6 --data " +
                                                     world.dir().Path().string());
    ASSERT_EQ(status, 0) << errors;
    EXPECT_EQ(errors, "");
    world.Load(HALL);
    world.Place(100, 280, 1940 - FULL_TURN);
    for (int step = 0; step < 6; ++step)
    {
        world.game().StepWorld();
    }
    Wrapper shot = LoadArgbImage("shot.png");
    ASSERT_FALSE(shot.IsEmpty());
    EXPECT_EQ(CountDifferentPixels(shot.Get<SDL_Surface>(), world.Render()), 0);
}

TEST(ShotTool, SaysWhyItCannotDrawAView)
{
    WorldFixture world;
    const std::string data = " --data " + world.dir().Path().string();
    const std::string bad = world.WriteMap("2\n2\n\n1 1\n1 15\n", "bad.map");
    const std::string good = world.WriteMap(HALL.Text(), "hall.map");
    const std::string usage =
        "usage: quill3d-shot MAP X Y ANGLE OUT.png [--data DIR] [--frames N]\n";
    const struct
    {
        std::string arguments;
        int status;
        std::string message;
    } cases[] = {
        {bad + " 32 32 0 out.png" + data, 1,
         "Error loading map: Invalid wall value 15 at (1, 1) (Must be 0-14)!\n"},
        {"maps/none.map 32 32 0 out.png" + data, 1, "Couldn't open map file: maps/none.map\n"},
        {good + " 100 100 0 out.png --data nowhere", 1, "Couldn't initialize image: "},
        {good + " 100 100 0 missing-folder/out.png" + data, 1,
         "Couldn't write missing-folder/out.png: "},
        {good + " 448 100 0 out.png" + data, 2,
         "The position (448, 100) lies outside the map, which spans 0 to 448 by 0 to 448 units\n"},
        {"", 2, usage},
        {good + " 100 100 0", 2, usage},
        {good + " 100 abc 0 out.png", 2, "X, Y and ANGLE must be numbers\n" + usage},
        {good + " 100 100 0 out.png --frames", 2, "--frames needs a value\n" + usage},
        {good + " 100 100 0 out.png --frames -1", 2,
         "--frames needs a count of 0 or more, not -1\n" + usage},
    };
    for (const auto& [arguments, status, message] : cases)
    {
        const auto [exit, errors] = RunTool(world, arguments);
        EXPECT_EQ(std::pair(exit, errors.substr(0, message.size())), std::pair(status, message))
            << errors;
    }
    EXPECT_FALSE(world.dir().Exists("out.png"));
}

#endif
