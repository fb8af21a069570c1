// quill3d-bench [--data DIR]            the renderer against the reference
// quill3d-bench --game FRAMES [--data DIR]  the whole game, headless
// quill3d-bench --profile TEXT [--data DIR]  the renderer alone, for a profiler
//
// Without --game: draws a fixed set of views (the player start of every map
// in DIR/maps/map.cfg and stress views on generated maps) many times with the
// game's renderer and with the reference renderer, prints the median time per
// frame of both and the speed-up for each view, the cost against the size of
// the map and against the number of sprites in sight, and last the line
//   renderer median X.XXX ms/frame, reference Y.YYY ms/frame, speed-up Z.Zx, N views identical
// (medians over the views of the fixed set). Exit status 1 when the two
// renderers' pictures differ by a single pixel in any view.
//
// With --game: starts the game as the player does, plays the first map of the
// list for FRAMES frames at the game's own pace (about 30 a second), and
// reports the start-up time, the CPU time per minute of play, the cost of each
// part of a frame and the peak memory. Run it under /usr/bin/time for the
// process's own account.
//
// With --profile: draws each view whose name contains TEXT (all views for an
// empty TEXT) with the game's renderer alone for a few seconds and prints the
// median time of the whole view and of its parts (drawing; casting the rays
// alone, tails of the last frame included; projecting the sprites), for running
// under a profiler.
//
// DIR defaults to "data". The drivers default to SDL's dummy ones: no display
// and no sound device are needed. Exit status 2 for bad arguments or missing data.

#include "game_bench.h"
#include "scratch_directory.h"
#include "view_bench.h"

#include <SDL.h>

#include <cstdlib>
#include <exception>
#include <iostream>
#include <optional>
#include <string>

namespace
{
constexpr int BAD_ARGUMENTS = 2;
const char* const USAGE = "usage: quill3d-bench [--game FRAMES | --profile TEXT] [--data DIR]";

struct BenchRequest
{
    std::string dataDirectory = "data";
    std::optional<int> gameFrames;
    std::optional<std::string> profileFilter;
};

std::optional<BenchRequest> ParseArguments(int argc, char** argv)
{
    BenchRequest request;
    for (int i = 1; i < argc; ++i)
    {
        const std::string argument = argv[i];
        if ((argument != "--data" && argument != "--game" && argument != "--profile") ||
            i + 1 >= argc)
        {
            return std::nullopt;
        }
        const std::string value = argv[++i];
        if (argument == "--data")
        {
            request.dataDirectory = value;
            continue;
        }
        if (argument == "--profile")
        {
            request.profileFilter = value;
            continue;
        }
        try
        {
            std::size_t used = 0;
            const int frames = std::stoi(value, &used);
            if (used != value.size() || frames < 1)
            {
                return std::nullopt;
            }
            request.gameFrames = frames;
        }
        catch (const std::exception&)
        {
            return std::nullopt;
        }
    }
    return request;
}

void UseDummyDrivers()
{
    for (const char* variable : {"SDL_VIDEODRIVER", "SDL_AUDIODRIVER"})
    {
        if (std::getenv(variable) == nullptr)
        {
            setenv(variable, "dummy", 1);
        }
    }
}
} // namespace

int main(int argc, char** argv)
{
    const GameBench::Clock::time_point processStart = GameBench::Clock::now();
    const std::optional<BenchRequest> request = ParseArguments(argc, argv);
    if (!request)
    {
        std::cerr << USAGE << '\n';
        return BAD_ARGUMENTS;
    }
    UseDummyDrivers();
    try
    {
        if (request->gameFrames)
        {
            GameBench bench(request->dataDirectory, std::cout);
            return bench.Run(*request->gameFrames, processStart);
        }
        const ScratchDirectory scratch;
        ViewBench bench(request->dataDirectory, scratch.Path(), std::cout);
        if (request->profileFilter)
        {
            bench.Profile(*request->profileFilter);
            return 0;
        }
        return bench.Run() ? 0 : 1;
    }
    catch (const std::exception& error)
    {
        std::cerr << error.what() << '\n';
        return BAD_ARGUMENTS;
    }
}
