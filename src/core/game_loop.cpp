#include "core/frame_pacing.h"
#include "core/game.h"
#include "core/termination_signal.h"
#include "core/utils.h"
#include "gameplay/player.h"
#include "menus/options_places.h"
#include "render/screen_flash.h"

#include <stdexcept>

void Game::Run()
{
    int lastTicks = static_cast<int>(SDL_GetTicks());
    while (mRunning)
    {
        if (TerminationSignal::Requested())
        {
            // Asked to end from outside: no credits, no question, no menu; the
            // settings are written on the way out as after any other end.
            mRunning = false;
            if (mGameState == GameState::Editor || mPlayTesting)
            {
                EditorKeepUnsavedMap();
            }
            break;
        }
        RunFrame();
        Delay(lastTicks);
    }
}

bool Game::RunFrame()
{
    mFramework->Clear();
    HandleEvents();
    if (mPlayTestOver)
    {
        EndPlayTest();
    }
    if (!mWindowActive)
    {
        // Minimised: sleep until something happens; the event stays queued.
        mWaitForEvent();
        return false;
    }
    if (mGameState != GameState::Editor)
    {
        SDL_Surface* frame = FrameSurface();
        SDL_FillRect(frame, nullptr, SDL_MapRGB(frame->format, 0, 0, 0));
    }
    RunStateWork();
    mFramework->Render();
    return true;
}

void Game::RunStateWork()
{
    switch (mGameState)
    {
    case GameState::None:
        break;
    case GameState::Editor:
        Editor();
        break;
    case GameState::MainMenu:
        MainMenu();
        break;
    case GameState::InGameMenu:
        InGameMenu();
        break;
    case GameState::Options:
        Options();
        break;
    case GameState::NextMap:
        NextMap();
        if (mLoadNextMap)
        {
            LoadMap(false);
        }
        break;
    case GameState::Game:
        PlayingStep();
        break;
    case GameState::TheEnd:
        TheEnd();
        break;
    case GameState::Credits:
        Credits();
        mRunning = false;
        break;
    }
}

void Game::Delay(int& lastTicks)
{
    const std::uint32_t now = SDL_GetTicks();
    const FramePacing pacing = ComputeFramePacing(static_cast<std::uint32_t>(lastTicks), now);
    mFrameTime = pacing.frameTime;
    if (pacing.sleepMs == 0)
    {
        lastTicks = static_cast<int>(now);
        return;
    }
    mSleep(pacing.sleepMs);
    const std::uint32_t after = SDL_GetTicks();
    mFrameTime = static_cast<int>(after - static_cast<std::uint32_t>(lastTicks));
    lastTicks = static_cast<int>(after);
}

void Game::PlayingStep()
{
    StepWorld();
    DoEntities();
    Player* player = GetPlayerRecord();
    player->Update();
    // Dying or reaching an exit may have left the playing state; the frame is
    // still drawn as it stands.
    mRaycaster->RayCaster(MakeWorldView());
    RenderHand(player);
    RenderScreenFlashes();
    RenderHUD(player);
}

void Game::KeepOccupiedDoorsOpen()
{
    // A door never closes on the player or an enemy: while any part of one
    // stands in its cell, its delay starts again.
    for (const auto& door : mMap->mDoors)
    {
        if (!door->active || door->opening)
        {
            continue;
        }
        for (const auto& entity : mEntities)
        {
            if ((entity->mType == EntityType::Player || entity->mType == EntityType::Enemy) &&
                entity->Overlaps(door->tileX, door->tileY))
            {
                door->closeDelay = 150;
            }
        }
    }
}

namespace
{
// The flash image, its alpha modulated to the intensity, over the whole frame:
// the blit's very pixels, without the blit's per-pixel arithmetic.
void DrawFlash(const Wrapper& image, int alpha, SDL_Surface* frame)
{
    BlendScreenFlash(image.Get<SDL_Surface>(), static_cast<Uint8>(alpha & 0xFF), frame);
}

// A fading flash: after `hold` counted frames its intensity drops by `step`;
// it ends when nothing is left. Returns whether it is still to be drawn.
bool FadeFlash(int& alpha, int& counter, bool& active, int hold, int step)
{
    if (!active)
    {
        return false;
    }
    if (counter > hold)
    {
        if (alpha > 0 && alpha - step > 0)
        {
            alpha -= step;
            counter = 0;
            return true;
        }
        alpha = 0;
        active = false;
        counter = 0;
        return false;
    }
    return true;
}
} // namespace

void Game::RenderScreenFlashes()
{
    SDL_Surface* frame = FrameSurface();
    if (!IsSlowFrame(mFrameTime))
    {
        mPickUpCounter += mPickUpScreenActive ? 1 : 0;
        mHitCounter += mHitScreenActive ? 1 : 0;
        mEradicateCounter += mEradicateScreenActive ? 1 : 0;
    }
    if (FadeFlash(mPickUpAlpha, mPickUpCounter, mPickUpScreenActive, 1, 64))
    {
        DrawFlash(mPickUpScreen, mPickUpAlpha, frame);
    }
    if (FadeFlash(mHitAlpha, mHitCounter, mHitScreenActive, 5, 64))
    {
        DrawFlash(mHitScreen, mHitAlpha, frame);
    }
    if (!mEradicateScreenActive)
    {
        return;
    }
    if (mEradicateCounter > 5 && mEradicatePhase == 1)
    {
        mEradicateCounter = 0;
        if (mEradicateAlpha >= 255 || mEradicateAlpha + 96 >= 255)
        {
            // The flash peaks: every enemy on the map is wiped out.
            mEradicateAlpha = 255;
            mAudioManager->PlaySound("scroll.wav");
            EradicateEnemies();
            mEradicatePhase = 2;
        }
        else
        {
            mEradicateAlpha += 96;
        }
    }
    else if (mEradicateCounter > 5 && mEradicatePhase == 2)
    {
        mEradicateCounter = 0;
        if (mEradicateAlpha > 0 && mEradicateAlpha - 96 > 0)
        {
            mEradicateAlpha -= 96;
        }
        else
        {
            mEradicateAlpha = 0;
            mEradicatePhase = 1;
            mEradicateScreenActive = false;
            return;
        }
    }
    DrawFlash(mEradicateScreen, mEradicateAlpha, frame);
}

MenuStruct* Game::FindMenu(const std::string& id) const
{
    for (const auto& menu : mMenus)
    {
        if (menu->id == id)
        {
            return menu.get();
        }
    }
    throw std::runtime_error("Menu entry with ID \"" + id + "\" couldn't be found!");
}

void Game::SwitchGameState(GameState newState)
{
    // Escape, death or an exit in a play-test lead back to the editor, not to
    // the menus and screens of a game, once the frame under way is done.
    if (mPlayTesting && newState != GameState::Game)
    {
        mPlayTestOver = true;
        return;
    }
    switch (newState)
    {
    case GameState::Editor:
        mSettings.mFullscreen = false;
        mFramework->mCustomWindowSize = false;
        mFramework->mWindowWidth = Framework::EDITOR_WIDTH;
        mFramework->mWindowHeight = Framework::EDITOR_HEIGHT;
        break;
    case GameState::MainMenu:
        mCurrentMenu = FindMenu("mainMenu");
        mGameInProgress = false;
        mSettings.ReleaseAllKeys();
        break;
    case GameState::InGameMenu:
        if (mCaptureMenuBackground)
        {
            CaptureMenuBackground();
        }
        mCurrentMenu = FindMenu("inGameMenu");
        mSettings.ReleaseAllKeys();
        break;
    case GameState::Options:
        mCurrentMenu = FindMenu(OptionsPages::FIRST_PAGE_ID);
        CloneGameSettings();
        break;
    case GameState::NextMap:
        mInputGuard = true;
        mGuardCounter = 0;
        mLoadNextMap = false;
        mSettings.ReleaseAllKeys();
        break;
    case GameState::TheEnd:
        mInputGuard = true;
        mGuardCounter = 0;
        mBlinkCounter = 0;
        mCursorBlink = false;
        mHighScoreTotal = 0;
        for (const auto& entry : mMapList)
        {
            mHighScoreTotal += mMap->GetHighScore(mPaths.MapFile(entry->mapFile));
        }
        mSettings.ReleaseAllKeys();
        break;
    case GameState::Game:
    case GameState::Credits:
    case GameState::None:
        break;
    }
    mGameState = newState;
    UpdateMouseCapture();
}

void Game::CaptureMenuBackground()
{
    // Event handling runs before the frame is redrawn, so the frame surface
    // still holds the last game frame.
    SDL_Surface* frame = FrameSurface();
    const SDL_RendererInfo info = mFramework->GetRendererInfo();
    Wrapper background(QuillUtils::CreateRGBSurface(info, frame->w, frame->h));
    Wrapper canvas(QuillUtils::CreateRGBSurface(info, frame->w, frame->h));
    if (background.Get<SDL_Surface>() == nullptr || canvas.Get<SDL_Surface>() == nullptr)
    {
        throw std::runtime_error(std::string("Unable to create surface: ") + SDL_GetError());
    }
    SDL_Surface* snapshot = background.Get<SDL_Surface>();
    const bool lockFrame = SDL_MUSTLOCK(frame);
    const bool lockSnapshot = SDL_MUSTLOCK(snapshot);
    if (lockFrame)
    {
        SDL_LockSurface(frame);
    }
    if (lockSnapshot)
    {
        SDL_LockSurface(snapshot);
    }
    const auto* source = static_cast<const Uint32*>(frame->pixels);
    auto* target = static_cast<Uint32*>(snapshot->pixels);
    const int words = frame->pitch / 4 * frame->h;
    for (int i = 0; i < words; ++i)
    {
        Uint8 r = 0;
        Uint8 g = 0;
        Uint8 b = 0;
        SDL_GetRGB(source[i], frame->format, &r, &g, &b);
        target[i] = SDL_MapRGBA(snapshot->format, r, g, b, 128);
    }
    if (lockSnapshot)
    {
        SDL_UnlockSurface(snapshot);
    }
    if (lockFrame)
    {
        SDL_UnlockSurface(frame);
    }
    mMenuBackground = std::move(background);
    mMenuCanvas = std::move(canvas);
}
