#include "support/test_images.h"
#include "support/world_fixture.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cmath>
#include <cstdlib>
#include <string>

#ifdef QUILL_SHOT_TOOL

namespace
{
struct ToolRun
{
    int status = -1;
    std::string errors;
};

// Runs quill3d-shot in the fixture's scratch directory with the given arguments.
ToolRun RunTool(WorldFixture& world, const std::string& arguments)
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
    const std::string map = world.WriteMap(HALL.Text(), "hall.map");
    const std::string data = " --data " + world.dir().Path().string();
    struct View
    {
        double x, y, angle;
        int frames;
    };
    for (const View& view : {View{100, 100, 400, 0}, View{200.5, 150.25, 520, 0},
                             View{300, 280, 1300, 6}, View{300, 280, 1300 + 1920, 0}})
    {
        SCOPED_TRACE(view.angle);
        const ToolRun run =
            RunTool(world, map + " " + std::to_string(view.x) + " " + std::to_string(view.y) + " " +
                               std::to_string(view.angle) + " shot.png" + data + " --frames " +
                               std::to_string(view.frames));
        ASSERT_EQ(run.status, 0) << run.errors;
        EXPECT_EQ(run.errors, "");

        world.Load(HALL);
        world.Place(view.x, view.y, std::fmod(view.angle, FULL_TURN));
        for (int frame = 0; frame < view.frames; ++frame)
        {
            world.game().StepWorld();
        }
        Wrapper shot = LoadArgbImage("shot.png");
        ASSERT_FALSE(shot.IsEmpty());
        EXPECT_EQ(shot.Get<SDL_Surface>()->w, 320);
        EXPECT_EQ(shot.Get<SDL_Surface>()->h, 240);
        EXPECT_EQ(CountDifferentPixels(shot.Get<SDL_Surface>(), world.Render()), 0);
    }
}

TEST(ShotTool, SaysWhyItCannotDrawAView)
{
    WorldFixture world;
    const std::string data = " --data " + world.dir().Path().string();
    const std::string bad = world.WriteMap("2\n2\n\n1 1\n1 15\n", "bad.map");
    ToolRun run = RunTool(world, bad + " 32 32 0 out.png" + data);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors, "Error loading map: Invalid wall value 15 at (1, 1) (Must be 0-14)!\n");
    EXPECT_FALSE(world.dir().Exists("out.png"));

    run = RunTool(world, "maps/none.map 32 32 0 out.png" + data);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors, "Couldn't open map file: maps/none.map\n");

    const std::string good = world.WriteMap(HALL.Text(), "hall.map");
    run = RunTool(world, good + " 100 100 0 out.png --data nowhere");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors.rfind("Couldn't initialize image: ", 0), 0u) << run.errors;

    run = RunTool(world, good + " 100 100 0 missing-folder/out.png" + data);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors.rfind("Couldn't write missing-folder/out.png", 0), 0u) << run.errors;

    // A place off the map, and arguments that make no sense.
    run = RunTool(world, good + " 448 100 0 out.png" + data);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.errors.find("lies outside the map"), std::string::npos) << run.errors;
    for (const std::string& arguments :
         {std::string(), good + " 100 100 0", good + " 100 abc 0 out.png",
          good + " 100 100 0 out.png --frames", good + " 100 100 0 out.png --frames -1"})
    {
        run = RunTool(world, arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_NE(run.errors.find("usage: quill3d-shot MAP X Y ANGLE OUT.png"), std::string::npos);
    }
    EXPECT_FALSE(world.dir().Exists("out.png"));
}

#endif
