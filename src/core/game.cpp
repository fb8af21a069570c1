#include "core/game.h"

#include "core/termination_signal.h"
#include "core/utils.h"
#include "gameplay/player.h"
#include "world/map_checker.h"

#include <algorithm>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace
{
struct StartupImage
{
    const char* key;
    const char* file;
    const char* error;
};

// Every image of the game, in loading order, named as under data/. The editor
// loads only the first.
constexpr StartupImage STARTUP_IMAGES[] = {
    {"font", "gfx/font.png", "Couldn't initialize main font texture!"},
    {"hudFont", "gfx/hud_font.png", "Couldn't initialize HUD font texture!"},
    {"walls", "gfx/walls.png", "Couldn't initialize walls texture!"},
    {"ceilingsAndFloors", "gfx/cfs.png", "Couldn't initialize ceilings and floors texture!"},
    {"title", "gfx/title.png", "Couldn't initialize title texture!"},
    {"options", "gfx/options.png", "Couldn't initialize options texture!"},
    {"mapCompleted", "gfx/map_completed.png", "Couldn't initialize the map completed texture!"},
    {"theEnd", "gfx/the_end.png", "Couldn't initialize the end texture!"},
    {"hud", "gfx/hud.png", "Couldn't initialize HUD texture!"},
    {"hand", "gfx/hand.png", "Couldn't initialize hand texture!"},
    {"items", "gfx/items.png", "Couldn't initialize items texture!"},
    {"projectiles", "gfx/projectiles.png", "Couldn't initialize projectiles texture!"},
    {"enemy", "gfx/enemy.png", "Couldn't initialize enemy texture!"},
    {"arrow", "gfx/arrow.png", "Couldn't initialize arrow texture!"},
};

constexpr const char* OPTIONS_HELP =
    "Usage: quill3d [--editor] [--windowsize WIDTH HEIGHT] [--help] [--version]\n"
    "       quill3d --check FILE.map...\n"
    "\n"
    "Quill 3D, a first-person action game drawn by a raycaster, with a map editor.\n"
    "\n"
    "  --editor                   open the map editor in an 800 x 600 window\n"
    "  --windowsize WIDTH HEIGHT  play in a window of that many pixels (at least\n"
    "                             320 x 240) instead of fullscreen\n"
    "  --help                     print this help and end\n"
    "  --version                  print the version and end\n"
    "  --check FILE.map...        check that maps can be played through: each\n"
    "                             problem on a line, or the best score\n"
    "\n"
    "Started from a folder that holds data/ (the source tree), the game reads\n"
    "data/ there, keeps its settings in ql3d.cfg there, and the editor opens and\n"
    "saves maps in data/maps/.\n\n";

// What --help prints: the options, and where the files are in either layout.
std::string Usage(const GamePaths& paths)
{
    const GamePaths installed = GamePaths::Installed();
    std::ostringstream text;
    text << OPTIONS_HELP << "Started from anywhere else, the installed game reads its data from\n  "
         << installed.DataFolder() << "\nkeeps its settings in\n  " << installed.SettingsFile()
         << "\nand the editor saves maps in\n  " << installed.PlayerMapsFolder()
         << "\n(XDG_CONFIG_HOME and XDG_DATA_HOME move these two). The editor opens a map\n"
            "from there first, then from the installed maps; a map.cfg there replaces the\n"
            "installed map list.\n\nStarted here, the game is "
         << (paths.IsInstalled() ? "installed" : "in its source tree") << ".\n";
    return text.str();
}

// Gamepad mappings beside SDL's own, in the format SDL reads, in the data folder.
const char* const GAMEPAD_MAPPINGS_FILE = "gamecontrollerdb.txt";

// --check: a line for each problem of each map, or its best score. The exit
// status is the worst of them: 0 every map is fine, 1 one has a problem, 2 a
// file is missing or no map the game can read.
int CheckMapFiles(const std::vector<std::string>& paths)
{
    if (paths.empty())
    {
        std::cerr << "--check requires at least one map file!\n";
        return 2;
    }
    int status = 0;
    for (const std::string& path : paths)
    {
        try
        {
            std::ifstream file(path);
            if (!file)
            {
                throw MapOpenError(path);
            }
            const MapCheck check = MapChecker::CheckFile(file);
            for (const MapProblem& problem : check.problems)
            {
                std::cout << path << (problem.cell ? ":" : ": ") << problem.Line() << '\n';
            }
            if (check.problems.empty())
            {
                std::cout << path << ": ok, best score " << check.bestScore << '\n';
            }
            status = std::max(status, check.problems.empty() ? 0 : 1);
        }
        catch (const std::exception& error)
        {
            std::cerr << path << ": " << error.what() << '\n';
            status = 2;
        }
    }
    return status;
}
} // namespace

Game::Game()
    : mPaths(GamePaths::ForThisProcess()), mRandomSource(QuillUtils::RandomGetInt),
      mSleep(TerminationSignal::Sleep), mWaitForEvent(TerminationSignal::WaitForEvent)
{
}

Game::~Game()
{
    CleanUp();
}

bool Game::Init(int argc, char** argv)
{
    mFramework = std::make_unique<Framework>();
    ParseCommandLines(argc, argv);
    if (mCommandLineAnswered)
    {
        return false;
    }
    const bool editor = mGameState == GameState::Editor;
    if (!editor)
    {
        ReadConfig();
        if (!ReadMapConfig())
        {
            throw std::runtime_error("Couldn't read map config file!");
        }
        if (mMapList.empty())
        {
            throw std::runtime_error("Map list is empty!");
        }
        CloneGameSettings();
    }

    if (!mFramework->Init(mSettings.mFullscreen, mSettings.mVSync, editor))
    {
        throw std::runtime_error("Couldn't initialize framework!");
    }

    mAudioManager = std::make_unique<AudioManager>(mPaths);
    if (!editor && !mAudioManager->Init(mSettings.mSoundOn, mSettings.mMusicOn,
                                        mSettings.mSoundVolume, mSettings.mMusicVolume))
    {
        // A machine without a sound device still plays, silently.
        std::cerr << "Warning: playing without sound. " << mAudioManager->GetLastError() << '\n';
    }

    if (!editor)
    {
        StartGamepad();
    }

    mImageManager = std::make_unique<ImageManager>();
    mFont = std::make_unique<Font>();
    if (editor)
    {
        const StartupImage& font = STARTUP_IMAGES[0];
        if (!mImageManager->AddImage(mPaths.DataFile(font.file), font.key,
                                     mFramework->GetRendererInfo(), true))
        {
            throw std::runtime_error(font.error);
        }
        InitEditor();
        mRunning = true;
        return true;
    }

    LoadStartupImages();
    if (mAudioManager->LoadAllAudioFiles())
    {
        mCurrentMusic = QuillUtils::TITLE_MUSIC_FILENAME;
        mAudioManager->PlayMusic(mCurrentMusic, false);
    }
    InitWorld();
    InitMenus();
    SwitchGameState(GameState::MainMenu);
    mRunning = true;
    return true;
}

void Game::StartGamepad()
{
    mGamepad = std::make_unique<Gamepad>();
    if (!mGamepad->Start(mPaths.DataFile(GAMEPAD_MAPPINGS_FILE)))
    {
        std::cerr << "Warning: playing without gamepads. " << SDL_GetError() << '\n';
    }
}

void Game::LoadStartupImages(bool keepLoaded)
{
    for (const StartupImage& image : STARTUP_IMAGES)
    {
        if (keepLoaded && mImageManager->GetImage(image.key) != nullptr)
        {
            continue;
        }
        if (!mImageManager->AddImage(mPaths.DataFile(image.file), image.key,
                                     mFramework->GetRendererInfo(), true))
        {
            throw std::runtime_error(image.error);
        }
    }
}

void Game::InitWorld()
{
    BuildTextureRectangles();
    InitTextureFlags();
    mMap = std::make_unique<Map>();
    mRaycaster = std::make_unique<Raycaster>();
    mRaycaster->Init(mTextureFlags, mFramework->GetSurface()->w);
    CreateFlashScreens();
}

void Game::BuildTextureRectangles()
{
    mWallRects.clear();
    mCeilingFloorRects.clear();
    for (int y = 0; y <= 448; y += TILE_SIZE)
    {
        for (int x = 0; x <= 448; x += TILE_SIZE)
        {
            mWallRects.push_back({x, y, TILE_SIZE, TILE_SIZE});
            mCeilingFloorRects.push_back({x, y, TILE_SIZE, TILE_SIZE});
        }
    }
}

void Game::CreateFlashScreens()
{
    SDL_Surface* frame = FrameSurface();
    struct Flash
    {
        Wrapper* holder;
        Uint8 r, g, b, alpha;
    };
    const Flash flashes[] = {{&mPickUpScreen, 248, 244, 160, 128},
                             {&mHitScreen, 196, 0, 0, 255},
                             {&mEradicateScreen, 255, 255, 255, 0}};
    for (const Flash& flash : flashes)
    {
        SDL_Surface* surface =
            QuillUtils::CreateRGBSurface(mFramework->GetRendererInfo(), frame->w, frame->h);
        if (surface == nullptr)
        {
            throw std::runtime_error(std::string("Unable to create surface: ") + SDL_GetError());
        }
        SDL_FillRect(surface, nullptr, SDL_MapRGBA(frame->format, flash.r, flash.g, flash.b, 255));
        SDL_SetSurfaceAlphaMod(surface, flash.alpha);
        flash.holder->Reset(surface);
    }
}

void Game::ParseCommandLines(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
    {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "--version")
        {
            // Answered on the terminal; nothing else starts.
            std::cout << (argument == "--help" ? Usage(mPaths)
                                               : "Quill 3D " + QuillUtils::VERSION + "\n");
            mCommandLineAnswered = true;
            return;
        }
        if (argument == "--check")
        {
            // Every argument after it names a map; no window, no sound.
            mExitStatus = CheckMapFiles(std::vector<std::string>(argv + i + 1, argv + argc));
            mCommandLineAnswered = true;
            return;
        }
        if (argument == "--editor")
        {
            SwitchGameState(GameState::Editor);
        }
        else if (argument == "--windowsize")
        {
            if (i + 2 >= argc)
            {
                throw std::invalid_argument(
                    "--windowsize requires two additional arguments (width and height)!");
            }
            const int width = std::stoi(argv[i + 1]);
            const int height = std::stoi(argv[i + 2]);
            i += 2;
            if (width < 0 || height < 0)
            {
                throw std::invalid_argument("Window size must be positive numbers!");
            }
            if (width < 320 || height < 240)
            {
                throw std::out_of_range("Window size must be at least 320x240 pixels!");
            }
            mFramework->mWindowWidth = width;
            mFramework->mWindowHeight = height;
            mFramework->mCustomWindowSize = true;
        }
    }
}

void Game::InitTextureFlags()
{
    mTextureFlags.assign(WALL_TEXTURE_COUNT, TextureFlagsType{});
    for (TextureFlagsType& flags : mTextureFlags)
    {
        flags.solid = true;
    }
    // Wall numbers 7 to 12: the standard door, the three locked doors, the exit
    // and the fake exit. Only the first four can be seen through.
    const std::int32_t doorKeys[] = {KEY_NONE,   KEY_BLUE, KEY_ORANGE,
                                     KEY_BRONZE, KEY_EXIT, KEY_EXIT};
    for (int i = 0; i < 6; ++i)
    {
        TextureFlagsType& door = mTextureFlags[6 + i];
        door.doorStep = 2;
        door.doorDelay = 150;
        door.doorStyle = DOOR_SLIDES_SIDEWAYS;
        door.keyType = doorKeys[i];
        door.seeThrough = i < 4;
        door.isDoor = true;
        door.halfDepth = true;
    }
    mTextureFlags[13].animated = true;
}

void Game::CleanUp()
{
    WriteConfig();
    if (mMap)
    {
        mMap->ClearMap();
    }
    ClearEntities(false);
    mPickUpScreen.freeResource();
    mHitScreen.freeResource();
    mEradicateScreen.freeResource();
    mMenuBackground.freeResource();
    mMenuCanvas.freeResource();
}
