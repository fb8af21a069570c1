#include "core/game.h"
#include "core/utils.h"
#include "menus/options_places.h"

#include <SDL_mixer.h>

namespace
{
// The main and in-game menus have the same three places.
constexpr int MENU_FIRST = 0;
constexpr int MENU_OPTIONS = 1;
constexpr int MENU_QUIT = 2;

bool IsGuardedState(GameState state)
{
    return state == GameState::NextMap || state == GameState::TheEnd;
}

// Plugging in and out, buttons and sticks of the game controllers.
bool IsPadEvent(Uint32 type)
{
    return type == SDL_CONTROLLERDEVICEADDED || type == SDL_CONTROLLERDEVICEREMOVED ||
           type == SDL_CONTROLLERBUTTONDOWN || type == SDL_CONTROLLERBUTTONUP ||
           type == SDL_CONTROLLERAXISMOTION;
}

bool IsArrowKey(SDL_Scancode key)
{
    return key == SDL_SCANCODE_LEFT || key == SDL_SCANCODE_RIGHT || key == SDL_SCANCODE_UP ||
           key == SDL_SCANCODE_DOWN;
}
} // namespace

void Game::HandleEvents()
{
    // A key tapped within one frame was held for that frame; let it go now.
    for (std::size_t i = 0; i < mSettings.mKeyBindings.size(); ++i)
    {
        if (mTapReleasePending[i])
        {
            mSettings.mKeyBindings[i].mPressed = false;
        }
    }
    mTapReleasePending.fill(false);
    mPressedThisPass.fill(false);

    SDL_Event event;
    while (SDL_PollEvent(&event) != 0)
    {
        if (mGameState == GameState::Editor && event.type != SDL_WINDOWEVENT)
        {
            // The editor may leave the rest of the queue for the next pass.
            if (!EditorHandleEvent(event))
            {
                return;
            }
            continue;
        }
        HandleEvent(event);
    }
}

void Game::HandleEvent(const SDL_Event& event)
{
    if (IsPadEvent(event.type))
    {
        // Pads come and go on every screen, the guarded ones too.
        HandlePadEvent(event);
        return;
    }
    if (IsGuardedState(mGameState))
    {
        if (InputGuardHolds())
        {
            return;
        }
        if (event.type != SDL_QUIT && event.type != SDL_WINDOWEVENT && event.type != SDL_KEYDOWN &&
            event.type != SDL_TEXTINPUT)
        {
            return;
        }
    }

    switch (event.type)
    {
    case SDL_QUIT:
        HandleQuitRequest();
        break;
    case SDL_WINDOWEVENT:
        HandleWindowEvent(event.window);
        break;
    case SDL_KEYDOWN:
        if (IsGuardedState(mGameState) && event.key.repeat != 0)
        {
            // A key still held from play repeats; only a new press moves on.
            break;
        }
        if (event.key.keysym.scancode == SDL_SCANCODE_ESCAPE)
        {
            HandleEscape();
        }
        else
        {
            HandleKeyDown(event.key);
        }
        break;
    case SDL_KEYUP:
        if (mGameState == GameState::Game)
        {
            ReleaseBinding(event.key);
        }
        break;
    case SDL_MOUSEMOTION:
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        HandleMouseEvent(event);
        break;
    default:
        break;
    }
}

bool Game::InputGuardHolds()
{
    // The screens after a map ignore input for their first 16 frames, so a
    // key held from play does not skip them.
    if (mInputGuard && mGuardCounter <= 15)
    {
        return true;
    }
    mInputGuard = false;
    mGuardCounter = 0;
    return false;
}

void Game::HandleWindowEvent(const SDL_WindowEvent& window)
{
    switch (window.event)
    {
    case SDL_WINDOWEVENT_MINIMIZED:
        mWindowActive = false;
        break;
    case SDL_WINDOWEVENT_RESTORED:
        mWindowActive = true;
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        mWindowFocused = false;
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        mWindowFocused = true;
        break;
    default:
        return;
    }
    UpdateMouseCapture();
}

void Game::OpenInGameMenu()
{
    mCaptureMenuBackground = true;
    SwitchGameState(GameState::InGameMenu);
}

void Game::HandleQuitRequest()
{
    switch (mGameState)
    {
    case GameState::MainMenu:
    case GameState::Options:
        SwitchGameState(GameState::Credits);
        break;
    case GameState::InGameMenu:
        SwitchGameState(GameState::Game);
        break;
    case GameState::NextMap:
        mLoadNextMap = true;
        break;
    case GameState::Game:
        OpenInGameMenu();
        break;
    case GameState::TheEnd:
        ReturnToMainMenu();
        break;
    default:
        break;
    }
}

void Game::HandleEscape()
{
    switch (mGameState)
    {
    case GameState::InGameMenu:
        SwitchGameState(GameState::Game);
        break;
    case GameState::Options:
        if (mCurrentMenu->waitingForKey)
        {
            mAudioManager->PlaySound("back.wav");
            mCurrentMenu->waitingForKey = false;
        }
        break;
    case GameState::NextMap:
        mLoadNextMap = true;
        break;
    case GameState::Game:
        OpenInGameMenu();
        break;
    case GameState::TheEnd:
        ReturnToMainMenu();
        break;
    default:
        break;
    }
}

void Game::HandleKeyDown(const SDL_KeyboardEvent& key)
{
    switch (mGameState)
    {
    case GameState::None:
    case GameState::Game:
        PressBinding(key);
        break;
    case GameState::MainMenu:
    case GameState::InGameMenu:
        HandleMenuKey(key.keysym.scancode);
        break;
    case GameState::Options:
        HandleOptionsKey(key.keysym.scancode);
        break;
    case GameState::NextMap:
        mLoadNextMap = true;
        break;
    case GameState::TheEnd:
        ReturnToMainMenu();
        break;
    default:
        break;
    }
}

void Game::PressBinding(const SDL_KeyboardEvent& key)
{
    for (std::size_t i = 0; i < mSettings.mKeyBindings.size(); ++i)
    {
        // Holding Use or Fire must not trigger them again once the player has
        // taken the press.
        const auto action = static_cast<KeyAction>(i);
        if (key.repeat != 0 && (action == KeyAction::Use || action == KeyAction::Fire))
        {
            continue;
        }
        if (mSettings.mKeyBindings[i].mScancode == key.keysym.scancode)
        {
            PressAction(action);
            return;
        }
    }
}

void Game::ReleaseBinding(const SDL_KeyboardEvent& key)
{
    for (std::size_t i = 0; i < mSettings.mKeyBindings.size(); ++i)
    {
        if (mSettings.mKeyBindings[i].mScancode == key.keysym.scancode)
        {
            ReleaseAction(static_cast<KeyAction>(i));
            return;
        }
    }
}

void Game::PressAction(KeyAction action)
{
    const auto i = static_cast<std::size_t>(action);
    mSettings.mKeyBindings[i].mPressed = true;
    mPressedThisPass[i] = true;
    // Pressed again after a quick tap in the same frame: still held.
    mTapReleasePending[i] = false;
}

void Game::ReleaseAction(KeyAction action)
{
    const auto i = static_cast<std::size_t>(action);
    // A press and release between two frames still counts for one frame, so a
    // quick tap of Use or Fire is never lost.
    if (mPressedThisPass[i])
    {
        mTapReleasePending[i] = true;
    }
    else
    {
        mSettings.mKeyBindings[i].mPressed = false;
    }
}

void Game::ReturnToMainMenu()
{
    mCurrentMusic = QuillUtils::TITLE_MUSIC_FILENAME;
    mAudioManager->PlayMusic(mCurrentMusic, true);
    SwitchGameState(GameState::MainMenu);
}

void Game::HandleMenuKey(SDL_Scancode key)
{
    const int count = mCurrentMenu->SelectableCount();
    if (count == 0)
    {
        return;
    }
    if (key == SDL_SCANCODE_UP)
    {
        mCurrentMenu->selected =
            mCurrentMenu->selected <= 0 ? count - 1 : mCurrentMenu->selected - 1;
        mAudioManager->PlaySound("select.wav");
    }
    else if (key == SDL_SCANCODE_DOWN)
    {
        mCurrentMenu->selected =
            mCurrentMenu->selected >= count - 1 ? 0 : mCurrentMenu->selected + 1;
        mAudioManager->PlaySound("select.wav");
    }
    else if (key == SDL_SCANCODE_RETURN)
    {
        if (mGameState == GameState::MainMenu)
        {
            ChooseMainMenuEntry();
        }
        else
        {
            ChooseInGameMenuEntry();
        }
    }
}

void Game::ChooseMainMenuEntry()
{
    switch (mCurrentMenu->selected)
    {
    case MENU_FIRST:
        LoadMap(true);
        break;
    case MENU_OPTIONS:
        mAudioManager->PlaySound("selected.wav");
        SwitchGameState(GameState::Options);
        break;
    case MENU_QUIT:
        mAudioManager->PlaySound("selected.wav");
        SwitchGameState(GameState::Credits);
        break;
    default:
        break;
    }
}

void Game::ChooseInGameMenuEntry()
{
    switch (mCurrentMenu->selected)
    {
    case MENU_FIRST:
        SwitchGameState(GameState::Game);
        break;
    case MENU_OPTIONS:
        mCaptureMenuBackground = false;
        mAudioManager->PlaySound("selected.wav");
        SwitchGameState(GameState::Options);
        break;
    case MENU_QUIT:
        mAudioManager->PlaySound("selected.wav");
        ReturnToMainMenu();
        break;
    default:
        break;
    }
}

void Game::HandleOptionsKey(SDL_Scancode key)
{
    MenuStruct* menu = mCurrentMenu;
    const int selected = menu->selected;
    const bool controlsPage = OnControlsPage();
    const bool isBinding = OptionsPages::IsBinding(controlsPage, selected);
    const bool isAdjustable = OptionsPages::IsAdjustable(controlsPage, selected);

    if (IsArrowKey(key))
    {
        MenuKeyAction(key);
        return;
    }
    if (key != SDL_SCANCODE_RETURN)
    {
        if (menu->waitingForKey && isBinding)
        {
            mSettings.mKeyBindings[selected].mScancode = key;
        }
        menu->waitingForKey = false;
        return;
    }

    if (!menu->waitingForKey && (isBinding || isAdjustable))
    {
        mAudioManager->PlaySound("selected.wav");
        menu->waitingForKey = true;
        return;
    }
    if (menu->waitingForKey && isBinding)
    {
        mSettings.mKeyBindings[selected].mScancode = SDL_SCANCODE_RETURN;
        mAudioManager->PlaySound("selected.wav");
        menu->waitingForKey = false;
        return;
    }
    if (controlsPage)
    {
        ApplyControlsOption(selected);
    }
    else
    {
        ApplyOption(selected);
    }
    mAudioManager->PlaySound("selected.wav");
    mCurrentMenu->waitingForKey = false;
}

void Game::ApplyOption(int selected)
{
    switch (selected)
    {
    case OptionsPlace::FULLSCREEN:
    {
        // Always the desktop's fullscreen, also for a window sized on the command line.
        const Uint32 flags =
            SDL_GetWindowFlags(mFramework->GetWindow()) ^ SDL_WINDOW_FULLSCREEN_DESKTOP;
        mSettings.mFullscreen = (flags & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
        ApplyWindowMode(mSettings.mFullscreen);
        break;
    }
    case OptionsPlace::VSYNC:
        mSettings.mVSync = !mSettings.mVSync;
        SDL_RenderSetVSync(mFramework->GetRenderer(), mSettings.mVSync ? 1 : 0);
        break;
    case OptionsPlace::SOUND:
        mAudioManager->mSoundOn = !mAudioManager->mSoundOn;
        mSettings.mSoundOn = mAudioManager->mSoundOn;
        break;
    case OptionsPlace::MUSIC:
        ToggleMusic();
        break;
    case OptionsPlace::MOUSE_AND_GAMEPAD:
        mCurrentMenu = FindMenu(OptionsPages::CONTROLS_PAGE_ID);
        break;
    case OptionsPlace::DISCARD:
        RestoreOldGameSettings();
        break;
    case OptionsPlace::PREVIOUS_MENU:
        if (mGameInProgress)
        {
            mCaptureMenuBackground = false;
            SwitchGameState(GameState::InGameMenu);
        }
        else
        {
            SwitchGameState(GameState::MainMenu);
        }
        break;
    default:
        // The end of a volume adjustment needs nothing more.
        break;
    }
}

void Game::ApplyControlsOption(int selected)
{
    switch (selected)
    {
    case ControlsPlace::MOUSE_TURNING:
        mSettings.mMouseTurning = !mSettings.mMouseTurning;
        break;
    case ControlsPlace::PREVIOUS_MENU:
        // The first page again, its arrow still on "Mouse and Gamepad".
        mCurrentMenu = FindMenu(OptionsPages::FIRST_PAGE_ID);
        break;
    default:
        // The end of an adjustment needs nothing more.
        break;
    }
}

void Game::ToggleMusic()
{
    if (mAudioManager->mMusicOn)
    {
        Mix_PauseMusic();
        mAudioManager->mMusicOn = false;
        mSettings.mMusicOn = false;
        return;
    }
    mAudioManager->mMusicOn = true;
    mSettings.mMusicOn = true;
    if (Mix_PausedMusic() == 1)
    {
        Mix_ResumeMusic();
    }
    else
    {
        mAudioManager->PlayMusic(mCurrentMusic, true);
    }
}
