#include "view_bench.h"

#include "core/game.h"
#include "reference/renderer_comparison.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ostream>
#include <utility>

namespace
{
using Clock = std::chrono::steady_clock;

// The game's renderer is timed for at least this many frames and this long.
constexpr int RENDERER_FRAMES = 300;
constexpr double RENDERER_SECONDS = 0.4;
// The reference takes milliseconds a frame: fewer frames tell its median.
constexpr int REFERENCE_FRAMES = 25;
constexpr int SERIES_REFERENCE_FRAMES = 5;
constexpr int WARM_UP_FRAMES = 10;
constexpr int SPRITE_SERIES[] = {0, 50, 100, 200, 400};
constexpr int MAP_SIDES[] = {64, 1024};
constexpr double PROFILE_SECONDS = 3;

double Median(std::vector<double> values)
{
    if (values.empty())
    {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

template <typename Draw> double TimeOne(Draw&& draw)
{
    const Clock::time_point start = Clock::now();
    draw();
    return std::chrono::duration<double, std::nano>(Clock::now() - start).count();
}

std::string Format(const char* format, double a, double b = 0, double c = 0)
{
    char text[160];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}
} // namespace

ViewBench::ViewBench(std::string dataDirectory, std::string scratchDirectory, std::ostream& out)
    : mDataDirectory(std::move(dataDirectory)), mViews(std::move(scratchDirectory)), mOut(out)
{
}

ViewBench::Timing ViewBench::Measure(Game& game, RendererComparison& comparison,
                                     const ReferenceView& view, int referenceFrames)
{
    ReferenceViews::Enter(game, view);
    Timing timing;
    timing.name = view.name;
    timing.differing = comparison.DifferingPixels(1);
    if (timing.differing == 0)
    {
        timing.differing = comparison.DifferingPixels(2);
    }
    mAllIdentical = mAllIdentical && timing.differing == 0;

    Raycaster& renderer = *game.mRaycaster;
    for (int i = 0; i < WARM_UP_FRAMES; ++i)
    {
        renderer.RayCaster(game.MakeWorldView());
    }
    std::vector<double> frames;
    const Clock::time_point start = Clock::now();
    while (static_cast<int>(frames.size()) < RENDERER_FRAMES ||
           std::chrono::duration<double>(Clock::now() - start).count() < RENDERER_SECONDS)
    {
        frames.push_back(TimeOne([&] { renderer.RayCaster(game.MakeWorldView()); }));
    }
    timing.renderer = Median(frames);

    frames.clear();
    comparison.DrawReference();
    for (int i = 0; i < referenceFrames; ++i)
    {
        frames.push_back(TimeOne([&] { comparison.DrawReference(); }));
    }
    timing.reference = Median(frames);
    return timing;
}

void ViewBench::PrintView(const Timing& timing)
{
    char line[256];
    std::snprintf(line, sizeof line, "%-40s %10.0f ns %12.0f ns %8.1fx   %s", timing.name.c_str(),
                  timing.renderer, timing.reference, timing.SpeedUp(),
                  timing.differing == 0 ? "identical" : "DIFFERENT");
    mOut << line;
    if (timing.differing != 0)
    {
        mOut << " (" << timing.differing << " pixels)";
    }
    mOut << std::endl;
}

std::vector<ReferenceView> ViewBench::FixedViews() const
{
    std::vector<ReferenceView> views = mViews.ShippedStarts(mDataDirectory);
    for (ReferenceView& view : mViews.StressViews())
    {
        views.push_back(std::move(view));
    }
    return views;
}

void ViewBench::Profile(const std::string& filter)
{
    Game game;
    game.InitWorldView(mDataDirectory + "/gfx");
    std::vector<ReferenceView> views = FixedViews();
    for (const int side : MAP_SIDES)
    {
        views.push_back(mViews.MapOfSide(side));
    }
    Raycaster& renderer = *game.mRaycaster;
    for (const ReferenceView& view : views)
    {
        if (view.name.find(filter) == std::string::npos)
        {
            continue;
        }
        ReferenceViews::Enter(game, view);
        const WorldView world = game.MakeWorldView();
        std::vector<double> whole;
        std::vector<double> drawing;
        std::vector<double> casting;
        std::vector<double> projecting;
        const Clock::time_point start = Clock::now();
        while (std::chrono::duration<double>(Clock::now() - start).count() < PROFILE_SECONDS)
        {
            whole.push_back(TimeOne([&] { renderer.RayCaster(game.MakeWorldView()); }));
            drawing.push_back(TimeOne([&] { renderer.DrawColumns(world); }));
            casting.push_back(TimeOne([&] { renderer.CastColumns(world); }));
            projecting.push_back(TimeOne([&] { renderer.ProjectEntities(world); }));
        }
        char line[256];
        std::snprintf(line, sizeof line, "%-40s %10.0f ns, drawing %10.0f ns", view.name.c_str(),
                      Median(whole), Median(drawing));
        mOut << line
             << Format(", casting %7.0f ns, sprites %6.0f ns", Median(casting), Median(projecting))
             << std::endl;
    }
}

bool ViewBench::Run()
{
    Game game;
    game.InitWorldView(mDataDirectory + "/gfx");
    RendererComparison comparison(game);

    const std::vector<ReferenceView> views = FixedViews();
    const SDL_Surface* frame = game.mFramework->GetSurface();
    mOut << "Quill 3D renderer against the reference, " << frame->w << " x " << frame->h
         << " view, median time per frame" << std::endl;
    char header[256];
    std::snprintf(header, sizeof header, "%-40s %13s %15s %9s   %s", "view", "renderer",
                  "reference", "speed-up", "pictures");
    mOut << header << std::endl;
    std::vector<double> renderer;
    std::vector<double> reference;
    std::vector<double> speedUps;
    int identical = 0;
    for (const ReferenceView& view : views)
    {
        const Timing timing = Measure(game, comparison, view, REFERENCE_FRAMES);
        PrintView(timing);
        renderer.push_back(timing.renderer);
        reference.push_back(timing.reference);
        speedUps.push_back(timing.SpeedUp());
        identical += timing.differing == 0 ? 1 : 0;
    }

    mOut << "\nCost against the size of the map (the same view):" << std::endl;
    for (const int side : MAP_SIDES)
    {
        const Timing timing =
            Measure(game, comparison, mViews.MapOfSide(side), SERIES_REFERENCE_FRAMES);
        PrintView(timing);
    }

    mOut << "\nCost against the sprites in sight (the open hall):" << std::endl;
    double empty = 0;
    for (const int sprites : SPRITE_SERIES)
    {
        const Timing timing =
            Measure(game, comparison, mViews.Hall(sprites), SERIES_REFERENCE_FRAMES);
        PrintView(timing);
        if (sprites == 0)
        {
            empty = timing.renderer;
        }
        else
        {
            mOut << Format("    %.0f ns per sprite over the empty hall",
                           (timing.renderer - empty) / sprites)
                 << std::endl;
        }
    }

    mOut << "\n"
         << Format("renderer median %.3f ms/frame, reference %.3f ms/frame, ",
                   Median(renderer) / 1e6, Median(reference) / 1e6)
         << Format("speed-up %.1fx, ", Median(speedUps)) << identical << " views identical"
         << std::endl;
    return mAllIdentical;
}
