// A map from a stranger, loaded as a new game loads it, then the view from the
// player's start and a few hundred turns of play with random keys held.
#include "fuzz_target.h"

#include "core/game.h"
#include "gameplay/player.h"

#include <array>
#include <chrono>
#include <random>
#include <stdexcept>

namespace
{
const std::string MAP_PATH = "data/maps/fuzz.map";
constexpr int TURNS = 300;
// A view is drawn at the start and then every this many turns (the views take
// most of the time of a run).
constexpr int TURNS_PER_VIEW = 150;
constexpr double LONGEST_STEP_MS = 1000;
// How often each binding is held in a turn, in percent, in KeyAction order:
// mostly walking forward and turning, so the player gets around the map.
constexpr std::array<int, KEY_ACTION_COUNT> HOLD_PERCENT = {20, 20, 60, 10, 25, 15, 20, 10, 5, 5};

// The messages a map file may earn; anything else is a fault of the loader.
const std::vector<std::string> LOAD_MESSAGES = {
    "Error loading map: ", "Invalid angle for entity (Must be 0-360): ",
    "Unable to create surface: ", "Couldn't lock surface pixels!"};

class MapViewTarget : public FuzzTarget
{
public:
    explicit MapViewTarget(const FuzzOptions& options) : mOptions(options)
    {
        WriteWholeFile("ql3d.cfg", "80 79 82 81 44 224 225 226 30 31\n64 64 0 0 1 1\n");
        WriteWholeFile("data/maps/map.cfg", "fuzz.map\n");
        mGame = std::make_unique<Game>();
        mGame->mSleep = [](Uint32) {};
        mGame->mWaitForEvent = [] {};
        mGame->mRandomSource = [this](int min, int max)
        { return std::uniform_int_distribution<int>(min, max)(mRandom); };
        char name[] = "quill3d";
        char* argv[] = {name};
        mGame->Init(1, argv);
    }

private:
    std::string Try(const std::string& input) override
    {
        WriteWholeFile(MAP_PATH, input);
        mRandom.seed(FuzzCheck::Seed(input));
        try
        {
            mGame->LoadMap(true);
        }
        catch (const std::runtime_error& error)
        {
            return FuzzCheck::StartsWithAny(error.what(), LOAD_MESSAGES)
                       ? ""
                       : std::string("unclear message for a bad map: ") + error.what();
        }
        const std::int32_t highScore = mGame->mMap->GetHighScore(MAP_PATH);
        if (highScore != mGame->mMap->mMaxScore)
        {
            return "the high score " + std::to_string(highScore) +
                   " differs from the loaded map's best score " +
                   std::to_string(mGame->mMap->mMaxScore);
        }
        // The view at the start, then turns with random keys held and a view now and then.
        std::string problem = Timed("the view", [this] { DrawView(); });
        for (int turn = 1;
             problem.empty() && turn <= TURNS && mGame->GetGameState() == GameState::Game; ++turn)
        {
            HoldRandomKeys();
            problem = Timed("a turn", [this] { Turn(); });
            if (problem.empty() && turn % TURNS_PER_VIEW == 0)
            {
                problem = Timed("the view", [this] { DrawView(); });
            }
        }
        return problem;
    }

    // The playing step of the main loop without its drawing, but for the
    // screen flashes, whose peak wipes out the enemies of a scroll.
    void Turn()
    {
        mGame->StepWorld();
        mGame->DoEntities();
        mGame->GetPlayerRecord()->Update();
        mGame->RenderScreenFlashes();
    }

    void DrawView()
    {
        SDL_Surface* frame = mGame->mFramework->GetSurface();
        SDL_FillRect(frame, nullptr, SDL_MapRGB(frame->format, 0, 0, 0));
        mGame->mRaycaster->RayCaster(mGame->MakeWorldView());
    }

    void HoldRandomKeys()
    {
        std::uniform_int_distribution<int> percent(0, 99);
        for (std::size_t i = 0; i < KEY_ACTION_COUNT; ++i)
        {
            mGame->mSettings.mKeyBindings[i].mPressed = percent(mRandom) < HOLD_PERCENT[i];
        }
    }

    template <typename Step> std::string Timed(const std::string& what, Step step)
    {
        const auto start = std::chrono::steady_clock::now();
        step();
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        if (mOptions.watchTime && took.count() > LONGEST_STEP_MS)
        {
            return what + " took " + std::to_string(static_cast<long>(took.count())) + " ms";
        }
        return "";
    }

    FuzzOptions mOptions;
    std::mt19937_64 mRandom;
    std::unique_ptr<Game> mGame;
};
} // namespace

std::unique_ptr<FuzzTarget> MakeMapViewTarget(const FuzzOptions& options)
{
    return std::make_unique<MapViewTarget>(options);
}
