#include "game_monkey.h"

#include "support/test_maps.h"

#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

namespace
{
// clang-format off
const std::vector<std::string> FIRST_MAP = {
    "#######",
    "#@ah$.X",
    "#######",
};
const std::vector<std::string> SECOND_MAP = {
    "##########",
    "#@.1....$#",
    "#......E.X",
    "##D#######",
    "#E.s.b.a.#",
    "##########",
};
const std::vector<std::string> LAST_MAP = {
    "#########",
    "B@..s..aX",
    "#e##h####",
    "#E..E..E#",
    "#########",
};
// clang-format on

// Keys with no meaning in the game, pressed now and then, and picked for new
// bindings in the options.
constexpr SDL_Scancode STRAY_KEYS[] = {SDL_SCANCODE_A,   SDL_SCANCODE_Q,    SDL_SCANCODE_F1,
                                       SDL_SCANCODE_TAB, SDL_SCANCODE_KP_5, SDL_SCANCODE_RALT};
constexpr SDL_Scancode MENU_KEYS[] = {SDL_SCANCODE_UP,   SDL_SCANCODE_DOWN,   SDL_SCANCODE_UP,
                                      SDL_SCANCODE_DOWN, SDL_SCANCODE_RETURN, SDL_SCANCODE_ESCAPE};
constexpr SDL_Scancode OPTIONS_KEYS[] = {
    SDL_SCANCODE_UP,    SDL_SCANCODE_DOWN,   SDL_SCANCODE_DOWN,  SDL_SCANCODE_LEFT,
    SDL_SCANCODE_RIGHT, SDL_SCANCODE_RETURN, SDL_SCANCODE_ESCAPE};
// Entries of the main and in-game menus.
constexpr int MENU_QUIT = 2;

bool IsPlaying(GameState state)
{
    return state == GameState::Game;
}
} // namespace

TestGame::Options SoakGameOptions()
{
    return OptionsWithMaps({{"first.map", BuildMapText(FIRST_MAP), "map1.ogg"},
                            {"second.map", BuildMapText(SECOND_MAP), ""},
                            {"last.map", BuildMapText(LAST_MAP), "map2.ogg"}});
}

GameMonkey::GameMonkey(std::uint64_t seed) : mSeed(seed), mDice(seed)
{
    mReport.name = "game soak";
    mReport.seed = seed;
}

GameMonkey::~GameMonkey() = default;

SoakReport GameMonkey::Run(long frames)
{
    Start();
    for (long frame = 1; frame <= frames; ++frame)
    {
        try
        {
            Act();
            const GameState before = mTest->game().GetGameState();
            mTest->RunFrames(1);
            Count(before, mTest->game().GetGameState());
            if (!mTest->game().mRunning)
            {
                Stop();
                Start();
            }
        }
        catch (const std::exception& error)
        {
            throw std::runtime_error("game soak with seed " + std::to_string(mSeed) +
                                     " failed at frame " + std::to_string(frame) + ": " +
                                     error.what());
        }
        mReport.steps = frame;
        mReport.Measure(frame, frames);
    }
    Stop();
    return mReport;
}

void GameMonkey::Start()
{
    TestGame::Options options = SoakGameOptions();
    options.init = false;
    // Half the lives start with the settings the last one wrote, the others
    // afresh, so rebound keys never lock the player out for good.
    if (!mSettingsText.empty() && mDice.Chance(50))
    {
        options.files.push_back({"ql3d.cfg", mSettingsText});
    }
    else
    {
        options.files.push_back({"ql3d.cfg", "80 79 82 81 44 224 225 226 30 31\n64 64 0 0 1 1\n"});
    }
    mTest = std::make_unique<TestGame>(options);
    Game& game = mTest->game();
    game.mWaitForEvent = [] {};
    game.mRandomSource = [this](int min, int max) { return mDice.Between(min, max); };
    mTest->Init();
    mHeld.clear();
    mMinimisedFrames = 0;
    mReport.Count("starts");
}

void GameMonkey::Stop()
{
    if (!mTest)
    {
        return;
    }
    mTest->game().CleanUp();
    CheckFiles();
    mSettingsText = mTest->dir().ReadFile("ql3d.cfg");
    mTest.reset();
    // Whatever the last life left in the queue is not for the next one.
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

void GameMonkey::CheckFiles()
{
    const TestGame::Options expected = SoakGameOptions();
    for (const auto& [path, text] : expected.files)
    {
        if (mTest->dir().ReadFile(path) != text)
        {
            throw std::runtime_error("the game changed " + path);
        }
    }
    for (const auto& entry : fs::directory_iterator(mTest->dir().Path()))
    {
        const std::string name = entry.path().filename().string();
        if (name != "data" && name != "ql3d.cfg")
        {
            throw std::runtime_error("the game left " + name + " in its directory");
        }
    }
    for (const auto& entry : fs::directory_iterator(mTest->dir().Path() / "data" / "maps"))
    {
        const std::string name = entry.path().filename().string();
        if (name != "first.map" && name != "second.map" && name != "last.map" &&
            name != "map.cfg" && !fs::exists(GameDataDir() / "maps" / name))
        {
            throw std::runtime_error("the game wrote data/maps/" + name);
        }
    }
}

void GameMonkey::Act()
{
    if (mMinimisedFrames > 0 && --mMinimisedFrames == 0)
    {
        mTest->Window(SDL_WINDOWEVENT_RESTORED);
        return;
    }
    if (mDice.Chance(1) && mDice.Chance(20))
    {
        mTest->Window(SDL_WINDOWEVENT_MINIMIZED);
        mMinimisedFrames = mDice.Between(1, 5);
        mReport.Count("minimised");
        return;
    }
    switch (mTest->game().GetGameState())
    {
    case GameState::MainMenu:
        ActInMainMenu();
        break;
    case GameState::InGameMenu:
        ActInGameMenu();
        break;
    case GameState::Options:
        ActInOptions();
        break;
    case GameState::Game:
        ActWhilePlaying();
        break;
    default:
        ActOnScreen();
        break;
    }
}

void GameMonkey::ActInMainMenu()
{
    if (!mDice.Chance(30))
    {
        return;
    }
    const SDL_Scancode key = mDice.Of(MENU_KEYS);
    // Quitting ends the life; most of the time the monkey thinks better of it.
    if (key == SDL_SCANCODE_RETURN && mTest->game().mCurrentMenu->selected == MENU_QUIT &&
        !mDice.Chance(10))
    {
        Tap(SDL_SCANCODE_UP);
        return;
    }
    if (mDice.Chance(1) && mDice.Chance(10))
    {
        mTest->Quit();
        return;
    }
    Tap(key);
}

void GameMonkey::ActInGameMenu()
{
    if (!mDice.Chance(30))
    {
        return;
    }
    if (mDice.Chance(5))
    {
        mTest->Quit();
        return;
    }
    Tap(mDice.Of(MENU_KEYS));
}

void GameMonkey::ActInOptions()
{
    if (!mDice.Chance(40))
    {
        return;
    }
    MenuStruct& menu = *mTest->game().mCurrentMenu;
    if (menu.waitingForKey && mDice.Chance(50))
    {
        // A new key for the binding, or a volume step.
        Tap(mDice.Chance(50) ? mDice.Of(STRAY_KEYS) : mDice.Of(OPTIONS_KEYS));
        mReport.Count("option changes");
        return;
    }
    Tap(mDice.Of(OPTIONS_KEYS));
}

void GameMonkey::ActWhilePlaying()
{
    if (mDice.Chance(1) && mDice.Chance(30))
    {
        if (mDice.Chance(50))
        {
            Tap(SDL_SCANCODE_ESCAPE);
        }
        else
        {
            mTest->Quit();
        }
        return;
    }
    if (mDice.Chance(20))
    {
        Hold(Binding(KeyAction::MoveForward), mDice.Chance(75));
        Hold(Binding(KeyAction::MoveBackward), mDice.Chance(10));
        Hold(Binding(KeyAction::TurnLeft), mDice.Chance(25));
        Hold(Binding(KeyAction::TurnRight), mDice.Chance(25));
        Hold(Binding(KeyAction::Strafe), mDice.Chance(15));
        Hold(Binding(KeyAction::Run), mDice.Chance(30));
    }
    if (mDice.Chance(8))
    {
        Tap(Binding(KeyAction::Fire));
    }
    if (mDice.Chance(8))
    {
        Tap(Binding(KeyAction::Use));
    }
    if (mDice.Chance(2))
    {
        Tap(Binding(mDice.Chance(50) ? KeyAction::SelectFireball : KeyAction::SelectScroll));
    }
    if (mDice.Chance(2))
    {
        // Noise: a key held long enough to repeat, a stray key, the mouse, text.
        const SDL_Scancode held = Binding(KeyAction::MoveForward);
        mTest->KeyDown(held, mHeld.count(held) != 0);
        Tap(mDice.Of(STRAY_KEYS));
        mTest->MouseMove(mDice.Between(-3000, 3000), mDice.Between(-500, 500));
        mTest->MouseButton(0, 0, mDice.Chance(50) ? SDL_BUTTON_LEFT : SDL_BUTTON_RIGHT,
                           mDice.Chance(50));
        mTest->Text("q");
    }
}

void GameMonkey::ActOnScreen()
{
    for (SDL_Scancode key : std::set<SDL_Scancode>(mHeld))
    {
        Hold(key, false);
    }
    if (mDice.Chance(10))
    {
        Tap(mDice.Chance(80) ? SDL_SCANCODE_SPACE : SDL_SCANCODE_ESCAPE);
    }
}

void GameMonkey::Tap(SDL_Scancode key)
{
    // Down and up in the same pass: the game counts such a tap for one frame.
    mTest->KeyDown(key);
    mTest->KeyUp(key);
    mHeld.erase(key);
}

void GameMonkey::Hold(SDL_Scancode key, bool held)
{
    if (held == (mHeld.count(key) != 0))
    {
        return;
    }
    if (held)
    {
        mTest->KeyDown(key);
        mHeld.insert(key);
    }
    else
    {
        mTest->KeyUp(key);
        mHeld.erase(key);
    }
}

SDL_Scancode GameMonkey::Binding(KeyAction action)
{
    return static_cast<SDL_Scancode>(mTest->game().mSettings.Binding(action).mScancode);
}

void GameMonkey::Count(GameState before, GameState after)
{
    if (before == after)
    {
        return;
    }
    if (IsPlaying(after) && before == GameState::MainMenu)
    {
        mReport.Count("new games");
    }
    else if (IsPlaying(before) && after == GameState::MainMenu)
    {
        mReport.Count("deaths");
    }
    else if (IsPlaying(before) && after == GameState::NextMap)
    {
        mReport.Count("maps completed");
    }
    else if (before == GameState::NextMap && IsPlaying(after))
    {
        mReport.Count("map changes");
    }
    else if (IsPlaying(before) && after == GameState::TheEnd)
    {
        mReport.Count("end screens");
    }
    else if (after == GameState::Options)
    {
        mReport.Count("options visits");
    }
    else if (after == GameState::Credits)
    {
        mReport.Count("quits");
    }
}
