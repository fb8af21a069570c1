#include "editor_monkey.h"

#include "editor/editor_map.h"

#include <filesystem>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace
{
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
const std::string MAP_FOLDER = "data/maps/";

bool IsMessage(EditorActionState state)
{
    return static_cast<int>(state) < 0;
}
} // namespace

const char* const SOAK_REFUSED_MAP = "data/maps/refused.map";

std::string SoakRefusedMapText()
{
    std::string walls = "1";
    std::string floors = "0";
    for (int x = 1; x < 65; ++x)
    {
        walls += " 1";
        floors += " 0";
    }
    return "65\n1\n\n" + walls + "\n\n" + floors + "\n\nType Player\nAngle 0\nX 1\nY 0";
}

EditorMonkey::EditorMonkey(std::uint64_t seed) : mSeed(seed), mDice(seed)
{
    mReport.name = "editor soak";
    mReport.seed = seed;
}

EditorMonkey::~EditorMonkey() = default;

SoakReport EditorMonkey::Run(long events)
{
    Start();
    for (long event = 1; event <= events; ++event)
    {
        try
        {
            const EditorActionState before = mTest->game().mEditorAction;
            Act();
            mTest->RunFrames(1);
            CheckAfterFrame(before);
            if (!mTest->game().mRunning)
            {
                Stop();
                Start();
            }
        }
        catch (const std::exception& error)
        {
            throw std::runtime_error("editor soak with seed " + std::to_string(mSeed) +
                                     " failed at event " + std::to_string(event) + ": " +
                                     error.what());
        }
        mReport.steps = event;
        mReport.Measure(event, events);
    }
    Stop();
    return mReport;
}

void EditorMonkey::Start()
{
    TestGame::Options options;
    options.arguments = {"--editor"};
    options.init = false;
    options.files = mSavedMaps;
    options.files.push_back({SOAK_REFUSED_MAP, SoakRefusedMapText()});
    mTest = std::make_unique<TestGame>(options);
    mTest->game().mWaitForEvent = [] {};
    mTest->Init();
    mReport.Count("starts");
}

void EditorMonkey::Stop()
{
    if (!mTest)
    {
        return;
    }
    CheckRefusedMapKept();
    mSavedMaps.clear();
    for (const auto& entry : fs::directory_iterator(mTest->dir().Path() / "data" / "maps"))
    {
        const std::string name = entry.path().filename().string();
        if (name.rfind("soak-", 0) == 0 && !entry.is_symlink())
        {
            mSavedMaps.push_back({MAP_FOLDER + name, mTest->dir().ReadFile(MAP_FOLDER + name)});
        }
        if (name.find(".tmp-") != std::string::npos)
        {
            throw std::runtime_error("a save left " + name + " behind");
        }
    }
    mTest.reset();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

void EditorMonkey::Act()
{
    const EditorActionState state = mTest->game().mEditorAction;
    if (IsMessage(state))
    {
        // Any command key or a mouse move dismisses a message.
        if (mDice.Chance(50))
        {
            Tap(mDice.Of(COMMAND_KEYS));
        }
        else
        {
            mTest->MouseMotion(mDice.Between(0, 799), mDice.Between(0, 599));
        }
        return;
    }
    switch (state)
    {
    case EditorActionState::None:
        ActOnMap();
        break;
    case EditorActionState::NewOrOpen:
    case EditorActionState::Save:
        ActInNamePrompt();
        break;
    case EditorActionState::EnterWidth:
    case EditorActionState::EnterHeight:
        ActInSizePrompt();
        break;
    case EditorActionState::QuitConfirm:
        ActInQuitQuestion();
        break;
    default:
        Tap(SDL_SCANCODE_ESCAPE);
        break;
    }
}

void EditorMonkey::ActOnMap()
{
    const int roll = mDice.Below(100);
    // Now and then a bit past the map's edges, where nothing must happen.
    const int x = mDice.Between(-16, 815);
    const int y = mDice.Between(-16, 615);
    if (roll < 45)
    {
        const Uint32 buttons[] = {0, SDL_BUTTON_LMASK, SDL_BUTTON_LMASK, SDL_BUTTON_RMASK};
        mTest->MouseMotion(x, y, mDice.Of(buttons));
    }
    else if (roll < 60)
    {
        mTest->MouseButton(x, y, mDice.Chance(70) ? SDL_BUTTON_LEFT : SDL_BUTTON_RIGHT);
    }
    else if (roll < 97)
    {
        SDL_Scancode key = mDice.Of(COMMAND_KEYS);
        // Clearing the whole layer, resizing and leaving are rarer than the rest.
        if ((key == SDL_SCANCODE_F8 || key == SDL_SCANCODE_F9 || key == SDL_SCANCODE_ESCAPE) &&
            !mDice.Chance(25))
        {
            key = SDL_SCANCODE_INSERT;
        }
        // Undo and redo are held with Ctrl, and Shift with any key now and then.
        const Uint16 modifiers = (key == SDL_SCANCODE_Z || key == SDL_SCANCODE_Y ? KMOD_LCTRL : 0) |
                                 (mDice.Chance(20) ? KMOD_LSHIFT : 0);
        mTest->KeyDown(key, false, modifiers);
        mTest->KeyUp(key);
    }
    else
    {
        mTest->Text("x");
    }
}

void EditorMonkey::ActInNamePrompt()
{
    const int roll = mDice.Below(100);
    Game& game = mTest->game();
    if (roll < 10)
    {
        Tap(SDL_SCANCODE_ESCAPE);
    }
    else if (roll < 15 && game.mEditorAction == EditorActionState::NewOrOpen)
    {
        Tap(SDL_SCANCODE_F2);
    }
    else if (roll < 35 && !game.mInputText.empty())
    {
        Tap(SDL_SCANCODE_BACKSPACE);
    }
    else if (roll < 60 && !game.mInputText.empty())
    {
        // The refused map is only ever saved over when typed on purpose, and
        // the monkey never means to.
        if (game.mEditorAction == EditorActionState::Save && game.mInputText == "refused")
        {
            Tap(SDL_SCANCODE_BACKSPACE);
            return;
        }
        mSubmitted = true;
        Tap(SDL_SCANCODE_RETURN);
    }
    else
    {
        // Start afresh with a whole name.
        for (std::size_t i = 0; i < game.mInputText.size(); ++i)
        {
            Tap(SDL_SCANCODE_BACKSPACE);
        }
        mTest->Text(mDice.Of(NAMES));
    }
}

void EditorMonkey::ActInSizePrompt()
{
    const int roll = mDice.Below(100);
    if (roll < 5)
    {
        Tap(SDL_SCANCODE_ESCAPE);
    }
    else if (roll < 50 && !mTest->game().mInputText.empty())
    {
        Tap(SDL_SCANCODE_RETURN);
    }
    else if (roll < 65)
    {
        Tap(SDL_SCANCODE_BACKSPACE);
    }
    else
    {
        mTest->Text(mDice.Of(SIZES));
    }
}

void EditorMonkey::ActInQuitQuestion()
{
    const int roll = mDice.Below(100);
    if (roll < 15)
    {
        Tap(SDL_SCANCODE_Y);
    }
    else if (roll < 45)
    {
        Tap(SDL_SCANCODE_N);
    }
    else
    {
        Tap(SDL_SCANCODE_ESCAPE);
    }
}

void EditorMonkey::Tap(SDL_Scancode key)
{
    mTest->KeyDown(key);
    mTest->KeyUp(key);
}

void EditorMonkey::CheckAfterFrame(EditorActionState before)
{
    const EditorActionState now = mTest->game().mEditorAction;
    if (now != before)
    {
        switch (now)
        {
        case EditorActionState::SaveSucceeded:
            mReport.Count("saves");
            CheckSavedMap();
            break;
        case EditorActionState::SaveFailed:
            mReport.Count("failed saves");
            break;
        case EditorActionState::OpenFailed:
            mReport.Count("refused opens");
            break;
        default:
            break;
        }
    }
    if (before == EditorActionState::NewOrOpen && now == EditorActionState::None && mSubmitted)
    {
        mReport.Count("opens");
    }
    mSubmitted = false;
    if (mReport.steps % 64 == 0)
    {
        CheckLayers();
        CheckRefusedMapKept();
    }
}

void EditorMonkey::CheckSavedMap()
{
    const Game& game = mTest->game();
    const std::string saved = mTest->dir().ReadFile(MAP_FOLDER + game.mMapName);
    const std::string onScreen = EditorMap::Format(game.mMapWidth, game.mMapHeight, game.mWallTiles,
                                                   game.mFloorTiles, game.mEntityTiles);
    if (saved != onScreen)
    {
        throw std::runtime_error("the saved " + game.mMapName + " is not the map on screen");
    }
    std::istringstream text(saved);
    if (!EditorMap::Parse(text))
    {
        throw std::runtime_error("the editor cannot read the " + game.mMapName + " it saved");
    }
}

void EditorMonkey::CheckLayers()
{
    const Game& game = mTest->game();
    const std::size_t cells = static_cast<std::size_t>(game.mMapWidth) * game.mMapHeight;
    if (!EditorMap::IsValidSize(game.mMapWidth, game.mMapHeight) ||
        game.mWallTiles.size() != cells || game.mFloorTiles.size() != cells ||
        game.mEntityTiles.size() != cells || game.mEntityGrid.size() != cells)
    {
        throw std::runtime_error("the layers do not match the map size");
    }
}

void EditorMonkey::CheckRefusedMapKept()
{
    if (mTest->dir().ReadFile(SOAK_REFUSED_MAP) != SoakRefusedMapText())
    {
        throw std::runtime_error("the editor changed the map it cannot open");
    }
}
