#include "game_bench.h"

#include "scratch_directory.h"

#include "core/game.h"
#include "gameplay/player.h"
#include "render/screen_flash.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <stdexcept>
#include <utility>
#include <vector>

namespace
{
constexpr int FIRE_EVERY = 45;
constexpr int WALK_EVERY = 150;
constexpr int WALK_FRAMES = 20;
constexpr int PARTS_FRAMES = 600;

double Seconds(const timeval& time)
{
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

struct CpuTime
{
    double user = 0;
    double system = 0;
};

CpuTime ProcessCpuTime()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return {Seconds(usage.ru_utime), Seconds(usage.ru_stime)};
}

double PeakMemoryMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024;
}

void PushKey(SDL_Scancode key, bool down)
{
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.scancode = key;
    event.key.keysym.sym = SDL_GetKeyFromScancode(key);
    SDL_PushEvent(&event);
}

double Median(std::vector<double> values)
{
    if (values.empty())
    {
        return 0;
    }
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::string Line(const char* format, double a, double b = 0, double c = 0, double d = 0)
{
    char text[200];
    std::snprintf(text, sizeof text, format, a, b, c, d);
    return text;
}

// Makes the game's working directory: the data linked in, and room for the
// settings file the game writes when it ends.
class WorkingDirectory
{
public:
    explicit WorkingDirectory(const std::string& dataDirectory)
        : mPrevious(std::filesystem::current_path())
    {
        std::filesystem::create_directory_symlink(std::filesystem::absolute(dataDirectory),
                                                  std::filesystem::path(mScratch.Path()) / "data");
        std::filesystem::current_path(mScratch.Path());
    }
    ~WorkingDirectory()
    {
        std::error_code ignored;
        std::filesystem::current_path(mPrevious, ignored);
    }
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

private:
    ScratchDirectory mScratch;
    std::filesystem::path mPrevious;
};
} // namespace

GameBench::GameBench(std::string dataDirectory, std::ostream& out)
    : mDataDirectory(std::move(dataDirectory)), mOut(out)
{
}

int GameBench::Run(int frames, Clock::time_point processStart)
{
    if (!std::filesystem::exists(std::filesystem::path(mDataDirectory) / "maps" / "map.cfg"))
    {
        mOut << "No game data in " << mDataDirectory << std::endl;
        return 2;
    }
    const WorkingDirectory directory(mDataDirectory);
    {
        Game game;
        char name[] = "quill3d";
        char* arguments[] = {name, nullptr};
        game.Init(1, arguments);
        game.RunFrame();
        const double startUp =
            std::chrono::duration<double, std::milli>(Clock::now() - processStart).count();
        mOut << Line("start-up to the first presented frame (the main menu): %.1f ms", startUp)
             << std::endl;

        game.LoadMap(true);
        PlayPaced(game, frames);
        MeasureFrameParts(game, PARTS_FRAMES);
        MeasureFlashes(game);
    }
    mOut << Line("peak memory (maximum resident set): %.1f MiB", PeakMemoryMiB()) << std::endl;
    return 0;
}

void GameBench::PushInput(int frame) const
{
    const GameSettings defaults;
    const auto key = [&defaults](KeyAction action)
    { return static_cast<SDL_Scancode>(defaults.Binding(action).mScancode); };
    if (frame == 0)
    {
        PushKey(key(KeyAction::TurnLeft), true);
    }
    if (frame % FIRE_EVERY == 0)
    {
        PushKey(key(KeyAction::Fire), true);
    }
    else if (frame % FIRE_EVERY == 1)
    {
        PushKey(key(KeyAction::Fire), false);
    }
    if (frame % WALK_EVERY == 0)
    {
        PushKey(key(KeyAction::MoveForward), true);
    }
    else if (frame % WALK_EVERY == WALK_FRAMES)
    {
        PushKey(key(KeyAction::MoveForward), false);
    }
}

void GameBench::PlayPaced(Game& game, int frames)
{
    int playing = 0;
    const CpuTime before = ProcessCpuTime();
    const Clock::time_point start = Clock::now();
    int lastTicks = static_cast<int>(SDL_GetTicks());
    for (int frame = 0; frame < frames; ++frame)
    {
        PushInput(frame);
        // Enemies may shoot, but the run is about drawing the game, not losing it.
        if (Player* player = game.GetPlayerRecord(); player != nullptr)
        {
            player->mHealth = 100;
        }
        playing += game.GetGameState() == GameState::Game ? 1 : 0;
        game.RunFrame();
        game.Delay(lastTicks);
    }
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    const CpuTime after = ProcessCpuTime();
    const double cpu = (after.user - before.user) + (after.system - before.system);
    mOut << Line("played %.0f paced frames (%.0f in the playing state) in %.1f s: %.1f frames/s",
                 frames, playing, wall, frames / wall)
         << std::endl;
    mOut << Line("CPU while playing: %.2f s user + %.2f s system = %.2f s per minute of play, "
                 "%.2f %% of one core",
                 after.user - before.user, after.system - before.system, cpu / wall * 60,
                 cpu / wall * 100)
         << std::endl;
}

void GameBench::MeasureFrameParts(Game& game, int frames)
{
    enum Part
    {
        Clear,
        Events,
        World,
        View,
        Hand,
        Flashes,
        Hud,
        Present,
        Whole,
        PartCount
    };
    const char* const names[] = {"clear the renderer and the frame",
                                 "events",
                                 "doors, animations and entities",
                                 "3D view",
                                 "hand",
                                 "screen flashes",
                                 "HUD",
                                 "presentation (upload, copy, present)",
                                 "whole frame"};
    std::array<std::vector<double>, PartCount> times;
    SDL_Surface* frame = game.mFramework->GetSurface();
    const auto time = [&times](Part part, auto&& step)
    {
        const Clock::time_point start = Clock::now();
        step();
        times[static_cast<std::size_t>(part)].push_back(
            std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    };
    for (int i = 0; i < frames && game.GetGameState() == GameState::Game; ++i)
    {
        PushInput(i);
        Player* player = game.GetPlayerRecord();
        player->mHealth = 100;
        // Every other second a hit flash, so that its cost shows.
        if (i % 60 == 0)
        {
            game.InitHitScreen();
        }
        const Clock::time_point start = Clock::now();
        time(Clear,
             [&]
             {
                 game.mFramework->Clear();
                 SDL_FillRect(frame, nullptr, SDL_MapRGB(frame->format, 0, 0, 0));
             });
        time(Events, [&] { game.HandleEvents(); });
        time(World,
             [&]
             {
                 game.StepWorld();
                 game.DoEntities();
                 game.GetPlayerRecord()->Update();
             });
        time(View, [&] { game.mRaycaster->RayCaster(game.MakeWorldView()); });
        time(Hand, [&] { game.RenderHand(game.GetPlayerRecord()); });
        time(Flashes, [&] { game.RenderScreenFlashes(); });
        time(Hud, [&] { game.RenderHUD(game.GetPlayerRecord()); });
        time(Present, [&] { game.mFramework->Render(); });
        times[Whole].push_back(
            std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    mOut << "\nA playing frame, part by part (median of " << times[Whole].size()
         << " unpaced frames; a hit flash every 60 frames):" << std::endl;
    for (int part = 0; part < PartCount; ++part)
    {
        std::vector<double>& series = times[static_cast<std::size_t>(part)];
        double total = 0;
        for (const double t : series)
        {
            total += t;
        }
        const double mean = series.empty() ? 0 : total / static_cast<double>(series.size());
        char text[200];
        std::snprintf(text, sizeof text, "  %-40s median %8.1f us   mean %8.1f us", names[part],
                      Median(series), mean);
        mOut << text << std::endl;
    }
}

void GameBench::MeasureFlashes(Game& game)
{
    SDL_Surface* frame = game.mFramework->GetSurface();
    const std::pair<const char*, Wrapper*> flashes[] = {{"pick-up", &game.mPickUpScreen},
                                                        {"hit", &game.mHitScreen},
                                                        {"eradicate", &game.mEradicateScreen}};
    mOut << "\nOne screen flash over the frame at intensity 127 (median of 200):" << std::endl;
    for (const auto& [name, holder] : flashes)
    {
        SDL_Surface* image = holder->Get<SDL_Surface>();
        std::vector<double> blit;
        std::vector<double> blend;
        for (int i = 0; i < 200; ++i)
        {
            Clock::time_point start = Clock::now();
            SDL_SetSurfaceAlphaMod(image, 127);
            SDL_UpperBlit(image, nullptr, frame, nullptr);
            blit.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
            start = Clock::now();
            BlendScreenFlash(image, 127, frame);
            blend.push_back(
                std::chrono::duration<double, std::micro>(Clock::now() - start).count());
        }
        char text[200];
        std::snprintf(text, sizeof text, "  %-10s SDL blit %8.1f us   table blend %8.1f us", name,
                      Median(blit), Median(blend));
        mOut << text << std::endl;
    }
}
