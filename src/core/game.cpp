#include "core/game.h"

#include "core/termination_signal.h"
#include "core/utils.h"
#include "gameplay/player.h"

#include <iostream>
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

// Every image of the game, in loading order. The editor loads only the first.
constexpr StartupImage STARTUP_IMAGES[] = {
    {"font", "data/gfx/font.png", "Couldn't initialize main font texture!"},
    {"hudFont", "data/gfx/hud_font.png", "Couldn't initialize HUD font texture!"},
    {"walls", "data/gfx/walls.png", "Couldn't initialize walls texture!"},
    {"ceilingsAndFloors", "data/gfx/cfs.png", "Couldn't initialize ceilings and floors texture!"},
    {"title", "data/gfx/title.png", "Couldn't initialize title texture!"},
    {"options", "data/gfx/options.png", "Couldn't initialize options texture!"},
    {"mapCompleted", "data/gfx/map_completed.png",
     "Couldn't initialize the map completed texture!"},
    {"theEnd", "data/gfx/the_end.png", "Couldn't initialize the end texture!"},
    {"hud", "data/gfx/hud.png", "Couldn't initialize HUD texture!"},
    {"hand", "data/gfx/hand.png", "Couldn't initialize hand texture!"},
    {"items", "data/gfx/items.png", "Couldn't initialize items texture!"},
    {"projectiles", "data/gfx/projectiles.png", "Couldn't initialize projectiles texture!"},
    {"enemy", "data/gfx/enemy.png", "Couldn't initialize enemy texture!"},
    {"arrow", "data/gfx/arrow.png", "Couldn't initialize arrow texture!"},
};

// Gamepad mappings beside SDL's own, in the format SDL reads.
const char* const GAMEPAD_MAPPINGS_FILE = "data/gamecontrollerdb.txt";
} // namespace

Game::Game()
    : mRandomSource(QuillUtils::RandomGetInt), mSleep(TerminationSignal::Sleep),
      mWaitForEvent(TerminationSignal::WaitForEvent)
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

    mAudioManager = std::make_unique<AudioManager>();
    if (!editor && !mAudioManager->Init(mSettings.mSoundOn, mSettings.mMusicOn,
                                        mSettings.mSoundVolume, mSettings.mMusicVolume))
    {
        // A machine without a sound device still plays, silently.
        std::cerr << "Warning: playing without sound. " << mAudioManager->GetLastError() << '\n';
    }

    if (!editor)
    {
        mGamepad = std::make_unique<Gamepad>();
        if (!mGamepad->Start(GAMEPAD_MAPPINGS_FILE))
        {
            std::cerr << "Warning: playing without gamepads. " << SDL_GetError() << '\n';
        }
    }

    mImageManager = std::make_unique<ImageManager>();
    mFont = std::make_unique<Font>();
    if (editor)
    {
        const StartupImage& font = STARTUP_IMAGES[0];
        if (!mImageManager->AddImage(font.file, font.key, mFramework->GetRendererInfo(), true))
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
    BuildTextureRectangles();
    InitTextureFlags();
    mMap = std::make_unique<Map>();
    mRaycaster = std::make_unique<Raycaster>();
    mRaycaster->Init(this);
    CreateFlashScreens();
    InitMenus();
    SwitchGameState(GameState::MainMenu);
    mRunning = true;
    return true;
}

void Game::LoadStartupImages()
{
    for (const StartupImage& image : STARTUP_IMAGES)
    {
        if (!mImageManager->AddImage(image.file, image.key, mFramework->GetRendererInfo(), true))
        {
            throw std::runtime_error(image.error);
        }
    }
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
