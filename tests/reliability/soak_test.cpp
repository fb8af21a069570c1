// Long sessions: the real game and the real editor under seeded random input.
// The suite runs a short soak; soak.sh runs the long one (QUILL_SOAK_FRAMES,
// QUILL_SOAK_EVENTS, QUILL_SOAK_SEED), and the seed a failure names replays it.
#include "editor/editor_map.h"
#include "support/test_game.h"
#include "support/test_maps.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace
{
long SoakSetting(const char* name, long fallback)
{
    const char* value = std::getenv(name);
    return value == nullptr || *value == '\0' ? fallback : std::strtol(value, nullptr, 10);
}

long PeakMemoryKb()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
    {
        if (line.rfind("VmHWM:", 0) == 0)
        {
            return std::atol(line.c_str() + 6);
        }
    }
    return 0;
}

// The seeded randomness, the steps and what happened on the way of one run.
class Monkey
{
public:
    Monkey(const char* name, long steps)
        : mName(name), mSeed(static_cast<std::uint64_t>(SoakSetting("QUILL_SOAK_SEED", 20240611))),
          mRandom(mSeed), mSteps(steps)
    {
    }
    virtual ~Monkey() = default;

    // Any fault throws, naming the seed and the step; returns what happened.
    std::map<std::string, long> Run()
    {
        Start();
        long peakAtTenth = 0;
        for (long step = 1; step <= mSteps; ++step)
        {
            try
            {
                Step(step);
                if (!mTest->game().mRunning)
                {
                    Stop();
                    Start();
                }
            }
            catch (const std::exception& error)
            {
                throw std::runtime_error(mName + " with seed " + std::to_string(mSeed) +
                                         " failed at step " + std::to_string(step) + ": " +
                                         error.what());
            }
            peakAtTenth = step == mSteps / 10 ? PeakMemoryKb() : peakAtTenth;
        }
        Stop();
        std::cout << mName << ": seed " << mSeed << ", " << mSteps << " steps";
        for (const auto& [what, count] : mCounts)
        {
            std::cout << ", " << what << " " << count;
        }
        // What a long run's memory did after warming up, for a look at leaks.
        std::cout << "\n  peak memory at 10 %: " << peakAtTenth
                  << " kB, at the end: " << PeakMemoryKb() << " kB" << std::endl;
        return mCounts;
    }

protected:
    virtual void Start() = 0;
    virtual void Stop() = 0;
    virtual void Step(long step) = 0;

    bool Chance(int percent) { return Between(0, 99) < percent; }
    int Between(int min, int max) { return std::uniform_int_distribution<int>(min, max)(mRandom); }
    template <typename T, std::size_t N> const T& Of(const T (&choices)[N])
    {
        return choices[Between(0, static_cast<int>(N) - 1)];
    }
    void Count(const std::string& what) { ++mCounts[what]; }
    // Down and up in the same pass: the game counts such a tap for one frame.
    void Tap(SDL_Scancode key, Uint16 modifiers = KMOD_NONE)
    {
        mTest->KeyDown(key, false, modifiers);
        mTest->KeyUp(key);
    }
    void EndTest()
    {
        mTest.reset();
        // Whatever the last life left in the queue is not for the next one.
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }

    std::unique_ptr<TestGame> mTest;

private:
    std::string mName;
    std::uint64_t mSeed;
    std::mt19937_64 mRandom;
    long mSteps;
    std::map<std::string, long> mCounts;
};

// clang-format off
const std::vector<std::string> GAME_MAPS[] = {
    {"#######",
     "#@ah$.X",
     "#######"},
    {"##########",
     "#@.1....$#",
     "#......E.X",
     "##D#######",
     "#E.s.b.a.#",
     "##########"},
    {"#########",
     "B@..s..aX",
     "#e##h####",
     "#E..E..E#",
     "#########"},
};
// clang-format on
// Keys with no meaning in the game, pressed now and then and picked for new bindings.
constexpr SDL_Scancode STRAY_KEYS[] = {SDL_SCANCODE_A,   SDL_SCANCODE_Q,    SDL_SCANCODE_F1,
                                       SDL_SCANCODE_TAB, SDL_SCANCODE_KP_5, SDL_SCANCODE_RALT};
constexpr SDL_Scancode MENU_KEYS[] = {SDL_SCANCODE_UP,     SDL_SCANCODE_DOWN,  SDL_SCANCODE_UP,
                                      SDL_SCANCODE_DOWN,   SDL_SCANCODE_LEFT,  SDL_SCANCODE_RIGHT,
                                      SDL_SCANCODE_RETURN, SDL_SCANCODE_ESCAPE};
constexpr int MENU_QUIT = 2;
const std::pair<KeyAction, int> HELD_PERCENT[] = {
    {KeyAction::MoveForward, 75}, {KeyAction::MoveBackward, 10}, {KeyAction::TurnLeft, 25},
    {KeyAction::TurnRight, 25},   {KeyAction::Strafe, 15},       {KeyAction::Run, 30}};

TestGame::Options SoakGameOptions()
{
    return OptionsWithMaps({{"first.map", BuildMapText(GAME_MAPS[0]), "map1.ogg"},
                            {"second.map", BuildMapText(GAME_MAPS[1]), ""},
                            {"last.map", BuildMapText(GAME_MAPS[2]), "map2.ogg"}});
}

// Plays the menus and the options, new games, walking, fighting, dying,
// finishing maps and the end screen, and quits through the credits, after
// which the game starts again, half the time with the settings it wrote.
class GameMonkey : public Monkey
{
public:
    explicit GameMonkey(long frames) : Monkey("game soak", frames) {}

private:
    void Start() override
    {
        TestGame::Options options = SoakGameOptions();
        options.init = false;
        const bool keep = !mSettingsText.empty() && Chance(50);
        options.files.push_back(
            {"ql3d.cfg",
             keep ? mSettingsText : "80 79 82 81 44 224 225 226 30 31\n64 64 0 0 1 1\n"});
        mTest = std::make_unique<TestGame>(options);
        mTest->game().mWaitForEvent = [] {};
        mTest->game().mRandomSource = [this](int min, int max) { return Between(min, max); };
        mTest->Init();
        mHeld.clear();
        mMinimised = 0;
        Count("starts");
    }

    // The game never writes a map and leaves nothing behind but its settings.
    void Stop() override
    {
        mTest->game().CleanUp();
        std::set<std::string> kept = {"ql3d.cfg"};
        for (const auto& [path, text] : SoakGameOptions().files)
        {
            Expect(mTest->dir().ReadFile(path) == text, "the game changed " + path);
            kept.insert(path);
        }
        for (const auto& entry : fs::recursive_directory_iterator(mTest->dir().Path()))
        {
            const std::string name = entry.path().lexically_relative(mTest->dir().Path()).string();
            Expect(entry.is_directory() || kept.count(name) != 0 ||
                       fs::exists(GameDataDir().parent_path() / name),
                   "the game wrote " + name);
        }
        mSettingsText = mTest->dir().ReadFile("ql3d.cfg");
        EndTest();
    }

    static void Expect(bool holds, const std::string& fault)
    {
        if (!holds)
        {
            throw std::runtime_error(fault);
        }
    }

    void Step(long) override
    {
        Act();
        const GameState before = mTest->game().GetGameState();
        mTest->RunFrames(1);
        const GameState after = mTest->game().GetGameState();
        if (before == GameState::MainMenu && after == GameState::Game)
        {
            Count("new games");
        }
        else if (before == GameState::Game && after != before && after != GameState::InGameMenu)
        {
            Count(after == GameState::MainMenu ? "deaths" : "maps ended");
        }
    }

    void Act()
    {
        if (mMinimised > 0 && --mMinimised == 0)
        {
            mTest->Window(SDL_WINDOWEVENT_RESTORED);
            return;
        }
        if (Chance(1) && Chance(20))
        {
            mTest->Window(SDL_WINDOWEVENT_MINIMIZED);
            mMinimised = Between(1, 5);
            Count("minimised");
            return;
        }
        const GameState state = mTest->game().GetGameState();
        if (state == GameState::Game)
        {
            ActWhilePlaying();
        }
        else if (state == GameState::MainMenu || state == GameState::InGameMenu ||
                 state == GameState::Options)
        {
            ActInMenu(state);
        }
        else
        {
            ReleaseAll();
            if (Chance(10))
            {
                Tap(Chance(80) ? SDL_SCANCODE_SPACE : SDL_SCANCODE_ESCAPE);
            }
        }
    }

    void ActInMenu(GameState state)
    {
        if (!Chance(35))
        {
            return;
        }
        const MenuStruct& menu = *mTest->game().mCurrentMenu;
        SDL_Scancode key = Of(MENU_KEYS);
        if (state == GameState::Options && menu.waitingForKey && Chance(50))
        {
            // A new key for the binding.
            key = Of(STRAY_KEYS);
            Count("option changes");
        }
        // Quitting ends the life; most of the time the monkey thinks better of it.
        if (state == GameState::MainMenu && key == SDL_SCANCODE_RETURN &&
            menu.selected == MENU_QUIT && !Chance(10))
        {
            key = SDL_SCANCODE_UP;
        }
        if (state != GameState::Options && Chance(state == GameState::InGameMenu ? 5 : 0))
        {
            mTest->Quit();
            return;
        }
        Tap(key);
    }

    void ActWhilePlaying()
    {
        if (Chance(1) && Chance(30))
        {
            Chance(50) ? Tap(SDL_SCANCODE_ESCAPE) : mTest->Quit();
            return;
        }
        if (Chance(20))
        {
            for (const auto& [action, percent] : HELD_PERCENT)
            {
                Hold(Binding(action), Chance(percent));
            }
        }
        for (const KeyAction action : {KeyAction::Fire, KeyAction::Use})
        {
            if (Chance(8))
            {
                Press(Binding(action));
            }
        }
        if (Chance(2))
        {
            Press(Binding(Chance(50) ? KeyAction::SelectFireball : KeyAction::SelectScroll));
        }
        if (Chance(2))
        {
            // Noise: a key held long enough to repeat, a stray key, the mouse, text.
            const SDL_Scancode held = Binding(KeyAction::MoveForward);
            mTest->KeyDown(held, mHeld.count(held) != 0);
            Press(Of(STRAY_KEYS));
            mTest->MouseMove(Between(-3000, 3000), Between(-500, 500));
            mTest->MouseButton(0, 0, Chance(50) ? SDL_BUTTON_LEFT : SDL_BUTTON_RIGHT, Chance(50));
            mTest->Text("q");
        }
    }

    void Press(SDL_Scancode key)
    {
        Tap(key);
        mHeld.erase(key);
    }

    void Hold(SDL_Scancode key, bool held)
    {
        if (held != (mHeld.count(key) != 0))
        {
            held ? mTest->KeyDown(key) : mTest->KeyUp(key);
            held ? (void)mHeld.insert(key) : (void)mHeld.erase(key);
        }
    }

    void ReleaseAll()
    {
        for (const SDL_Scancode key : std::set<SDL_Scancode>(mHeld))
        {
            Hold(key, false);
        }
    }

    SDL_Scancode Binding(KeyAction action)
    {
        return static_cast<SDL_Scancode>(mTest->game().mSettings.Binding(action).mScancode);
    }

    std::string mSettingsText;
    std::set<SDL_Scancode> mHeld;
    int mMinimised = 0;
};

// Names typed into the open and save prompts: the editor's own saves, a
// shipped map, the map it refuses, one that does not exist and one in a folder
// that does not exist (which cannot be saved either).
const char* const NAMES[] = {"soak-a",  "soak-b",  "soak-c",        "map01",
                             "refused", "missing", "no-folder/soak"};
const char* const SIZES[] = {"1", "2", "8", "17", "33", "64", "0", "65", "99999999999"};
constexpr SDL_Scancode COMMAND_KEYS[] = {
    SDL_SCANCODE_C,      SDL_SCANCODE_C,      SDL_SCANCODE_A,    SDL_SCANCODE_H,
    SDL_SCANCODE_INSERT, SDL_SCANCODE_DELETE, SDL_SCANCODE_HOME, SDL_SCANCODE_END,
    SDL_SCANCODE_F5,     SDL_SCANCODE_F6,     SDL_SCANCODE_F7,   SDL_SCANCODE_F8,
    SDL_SCANCODE_F9,     SDL_SCANCODE_O,      SDL_SCANCODE_O,    SDL_SCANCODE_S,
    SDL_SCANCODE_S,      SDL_SCANCODE_ESCAPE, SDL_SCANCODE_Q,    SDL_SCANCODE_RETURN,
    SDL_SCANCODE_F,      SDL_SCANCODE_Z,      SDL_SCANCODE_Z,    SDL_SCANCODE_Y,
    SDL_SCANCODE_V};
const std::string MAPS = "data/maps/";
// Larger than 64 x 64: the editor must never overwrite it unless told to by name.
const std::string REFUSED_MAP = "65\n1\n\n" + std::string(129, ' ') + "\n";

// Paints with both buttons, uses the command keys, makes new maps and
// resizes, opens and saves under a handful of names and quits with and without
// saving, after which the editor starts again on the maps it saved. Every save
// must read back to the map on screen.
class EditorMonkey : public Monkey
{
public:
    explicit EditorMonkey(long events) : Monkey("editor soak", events) {}

private:
    void Start() override
    {
        TestGame::Options options;
        options.arguments = {"--editor"};
        options.init = false;
        options.files = mSavedMaps;
        options.files.push_back({MAPS + "refused.map", REFUSED_MAP});
        mTest = std::make_unique<TestGame>(options);
        mTest->game().mWaitForEvent = [] {};
        mTest->Init();
        Count("starts");
    }

    void Stop() override
    {
        CheckRefusedMapKept();
        mSavedMaps.clear();
        for (const auto& entry : fs::directory_iterator(mTest->dir().Path() / MAPS))
        {
            const std::string name = entry.path().filename().string();
            if (name.rfind("soak-", 0) == 0 && !entry.is_symlink())
            {
                mSavedMaps.push_back({MAPS + name, mTest->dir().ReadFile(MAPS + name)});
            }
            if (name.find(".tmp-") != std::string::npos)
            {
                throw std::runtime_error("a save left " + name + " behind");
            }
        }
        EndTest();
    }

    void Step(long step) override
    {
        const EditorActionState before = mTest->game().mEditorAction;
        Act(before);
        mTest->RunFrames(1);
        const Game& game = mTest->game();
        if (game.mEditorAction != before && game.mEditorAction == EditorActionState::SaveSucceeded)
        {
            Count("saves");
            CheckSavedMap();
        }
        if (step % 64 == 0)
        {
            const std::size_t cells = static_cast<std::size_t>(game.mMapWidth) * game.mMapHeight;
            if (!EditorMap::IsValidSize(game.mMapWidth, game.mMapHeight) ||
                game.mWallTiles.size() != cells || game.mFloorTiles.size() != cells ||
                game.mEntityTiles.size() != cells || game.mEntityGrid.size() != cells)
            {
                throw std::runtime_error("the layers do not match the map size");
            }
            CheckRefusedMapKept();
        }
    }

    void Act(EditorActionState state)
    {
        const Game& game = mTest->game();
        const int roll = Between(0, 99);
        if (static_cast<int>(state) < 0)
        {
            // Any command key or a mouse move dismisses a message.
            roll < 50 ? Tap(Of(COMMAND_KEYS))
                      : mTest->MouseMotion(Between(0, 799), Between(0, 599));
        }
        else if (state == EditorActionState::None)
        {
            ActOnMap(roll);
        }
        else if (state == EditorActionState::NewOrOpen || state == EditorActionState::Save ||
                 state == EditorActionState::EnterWidth || state == EditorActionState::EnterHeight)
        {
            // The refused map is only ever saved over when typed on purpose,
            // and the monkey never means to.
            const bool refused = state == EditorActionState::Save && game.mInputText == "refused";
            const bool name =
                state == EditorActionState::NewOrOpen || state == EditorActionState::Save;
            if (roll < 40 || (roll < 60 && game.mInputText.empty()))
            {
                Tap(roll < 8 ? SDL_SCANCODE_ESCAPE
                             : (roll < 13 && state == EditorActionState::NewOrOpen
                                    ? SDL_SCANCODE_F2
                                    : SDL_SCANCODE_BACKSPACE));
            }
            else if (roll < 60)
            {
                Tap(refused ? SDL_SCANCODE_BACKSPACE : SDL_SCANCODE_RETURN);
            }
            else
            {
                // Afresh with a whole name or size.
                for (std::size_t i = 0; i < game.mInputText.size(); ++i)
                {
                    Tap(SDL_SCANCODE_BACKSPACE);
                }
                mTest->Text(name ? Of(NAMES) : Of(SIZES));
            }
        }
        else if (state == EditorActionState::QuitConfirm)
        {
            Tap(roll < 15 ? SDL_SCANCODE_Y : (roll < 45 ? SDL_SCANCODE_N : SDL_SCANCODE_ESCAPE));
        }
        else
        {
            Tap(SDL_SCANCODE_ESCAPE);
        }
    }

    void ActOnMap(int roll)
    {
        // Now and then a bit past the map's edges, where nothing must happen.
        const int x = Between(-16, 815);
        const int y = Between(-16, 615);
        if (roll < 45)
        {
            const Uint32 buttons[] = {0, SDL_BUTTON_LMASK, SDL_BUTTON_LMASK, SDL_BUTTON_RMASK};
            mTest->MouseMotion(x, y, Of(buttons));
        }
        else if (roll < 60)
        {
            mTest->MouseButton(x, y, Chance(70) ? SDL_BUTTON_LEFT : SDL_BUTTON_RIGHT);
        }
        else if (roll < 97)
        {
            SDL_Scancode key = Of(COMMAND_KEYS);
            // Clearing the whole layer, resizing and leaving are rarer than the rest.
            if ((key == SDL_SCANCODE_F8 || key == SDL_SCANCODE_F9 || key == SDL_SCANCODE_ESCAPE) &&
                !Chance(25))
            {
                key = SDL_SCANCODE_INSERT;
            }
            // Undo and redo are held with Ctrl, and Shift with any key now and then.
            Tap(key, (key == SDL_SCANCODE_Z || key == SDL_SCANCODE_Y ? KMOD_LCTRL : 0) |
                         (Chance(20) ? KMOD_LSHIFT : 0));
        }
        else
        {
            mTest->Text("x");
        }
    }

    void CheckSavedMap()
    {
        const Game& game = mTest->game();
        const std::string saved = mTest->dir().ReadFile(MAPS + game.mMapName);
        std::istringstream text(saved);
        if (saved != EditorMap::Format(game.mMapWidth, game.mMapHeight, game.mWallTiles,
                                       game.mFloorTiles, game.mEntityTiles) ||
            !EditorMap::Parse(text))
        {
            throw std::runtime_error("the saved " + game.mMapName + " is not the map on screen");
        }
    }

    void CheckRefusedMapKept()
    {
        if (mTest->dir().ReadFile(MAPS + "refused.map") != REFUSED_MAP)
        {
            throw std::runtime_error("the editor changed the map it cannot open");
        }
    }

    std::vector<std::pair<std::string, std::string>> mSavedMaps;
};
} // namespace

TEST(Soak, TheGameSurvivesRandomPlay)
{
    GameMonkey monkey(SoakSetting("QUILL_SOAK_FRAMES", 3000));
    EXPECT_GT(monkey.Run()["new games"], 0);
}

TEST(Soak, TheEditorSurvivesRandomEditing)
{
    EditorMonkey monkey(SoakSetting("QUILL_SOAK_EVENTS", 2000));
    EXPECT_GT(monkey.Run()["saves"], 0);
}
