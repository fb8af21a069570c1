#include "core/game.h"
#include "menus/options_places.h"

#include <optional>

namespace
{
bool IsMenuState(GameState state)
{
    return state == GameState::MainMenu || state == GameState::InGameMenu ||
           state == GameState::Options;
}

// What the pad's buttons hold in play; Start is the in-game menu's Escape.
std::optional<KeyAction> PlayActionOfButton(Uint8 button)
{
    switch (button)
    {
    case SDL_CONTROLLER_BUTTON_A:
        return KeyAction::Use;
    case SDL_CONTROLLER_BUTTON_X:
        return KeyAction::SelectFireball;
    case SDL_CONTROLLER_BUTTON_Y:
        return KeyAction::SelectScroll;
    default:
        return std::nullopt;
    }
}

std::optional<KeyAction> PlayActionOfTrigger(Uint8 axis)
{
    switch (axis)
    {
    case SDL_CONTROLLER_AXIS_TRIGGERRIGHT:
        return KeyAction::Fire;
    case SDL_CONTROLLER_AXIS_TRIGGERLEFT:
        return KeyAction::Run;
    default:
        return std::nullopt;
    }
}

// The key a button stands for in the menus.
SDL_Scancode MenuKeyOfButton(Uint8 button)
{
    switch (button)
    {
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
        return SDL_SCANCODE_UP;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
        return SDL_SCANCODE_DOWN;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
        return SDL_SCANCODE_LEFT;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
        return SDL_SCANCODE_RIGHT;
    case SDL_CONTROLLER_BUTTON_A:
        return SDL_SCANCODE_RETURN;
    case SDL_CONTROLLER_BUTTON_B:
    case SDL_CONTROLLER_BUTTON_START:
        return SDL_SCANCODE_ESCAPE;
    default:
        return SDL_SCANCODE_UNKNOWN;
    }
}

// The arrow key a push of the left stick stands for in the menus.
SDL_Scancode MenuKeyOfStick(Uint8 axis, int position)
{
    if (axis == SDL_CONTROLLER_AXIS_LEFTX && position != 0)
    {
        return position > 0 ? SDL_SCANCODE_RIGHT : SDL_SCANCODE_LEFT;
    }
    if (axis == SDL_CONTROLLER_AXIS_LEFTY && position != 0)
    {
        return position > 0 ? SDL_SCANCODE_DOWN : SDL_SCANCODE_UP;
    }
    return SDL_SCANCODE_UNKNOWN;
}
} // namespace

PadSticks Game::ReadPadSticks() const
{
    return mGamepad ? mGamepad->ReadSticks(mSettings.mPadDeadZone) : PadSticks{};
}

void Game::UpdateMouseCapture()
{
    // Play holds the mouse, hidden, for turning; every menu and screen, another
    // window's focus and a minimised window let it go.
    const bool wanted = mGameState == GameState::Game && mWindowActive && mWindowFocused;
    if (wanted == mMouseCaptured)
    {
        return;
    }
    mMouseCaptured = wanted;
    mPendingTurn = 0;
    SDL_SetRelativeMouseMode(wanted ? SDL_TRUE : SDL_FALSE);
}

void Game::HoldAction(KeyAction action, bool held)
{
    if (held)
    {
        PressAction(action);
    }
    else
    {
        ReleaseAction(action);
    }
}

void Game::HandleMouseEvent(const SDL_Event& event)
{
    if (mGameState != GameState::Game)
    {
        return;
    }
    if (event.type == SDL_MOUSEMOTION)
    {
        // Only sideways motion turns: moving the mouse up or down never walks.
        if (mMouseCaptured && mSettings.mMouseTurning)
        {
            mPendingTurn += std::int64_t{event.motion.xrel} * mSettings.mMouseSensitivity;
        }
        return;
    }
    std::optional<KeyAction> action;
    if (event.button.button == SDL_BUTTON_LEFT)
    {
        action = KeyAction::Fire;
    }
    else if (event.button.button == SDL_BUTTON_RIGHT)
    {
        action = KeyAction::Use;
    }
    if (action)
    {
        HoldAction(*action, event.type == SDL_MOUSEBUTTONDOWN);
    }
}

void Game::HandlePadEvent(const SDL_Event& event)
{
    if (!mGamepad)
    {
        return;
    }
    switch (event.type)
    {
    case SDL_CONTROLLERDEVICEADDED:
        mGamepad->Attach(event.cdevice.which);
        break;
    case SDL_CONTROLLERDEVICEREMOVED:
        // Pulled out in play: the game waits in its menu.
        if (mGamepad->Detach(event.cdevice.which) && mGameState == GameState::Game)
        {
            OpenInGameMenu();
        }
        break;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        if (mGamepad->IsInUse(event.cbutton.which))
        {
            HandlePadButton(event.cbutton.button, event.type == SDL_CONTROLLERBUTTONDOWN);
        }
        break;
    case SDL_CONTROLLERAXISMOTION:
        // Followed on every screen, so a trigger let go in a menu presses anew in play.
        if (mGamepad->IsInUse(event.caxis.which))
        {
            if (const std::optional<int> position = mGamepad->SwitchAxis(event.caxis))
            {
                HandlePadSwitch(event.caxis.axis, *position);
            }
        }
        break;
    default:
        break;
    }
}

void Game::HandlePadButton(Uint8 button, bool down)
{
    if (mGameState == GameState::Game)
    {
        if (const std::optional<KeyAction> action = PlayActionOfButton(button))
        {
            HoldAction(*action, down);
        }
        else if (button == SDL_CONTROLLER_BUTTON_START && down)
        {
            HandleEscape();
        }
        return;
    }
    if (!down)
    {
        return;
    }
    if (mGameState == GameState::NextMap || mGameState == GameState::TheEnd)
    {
        // Any button goes on, as any key does, once the screen takes input.
        if (!InputGuardHolds())
        {
            HandleKeyDown(SDL_KeyboardEvent{}); // a key press, whichever
        }
        return;
    }
    PressMenuKey(MenuKeyOfButton(button));
}

void Game::HandlePadSwitch(Uint8 axis, int position)
{
    if (mGameState != GameState::Game)
    {
        PressMenuKey(MenuKeyOfStick(axis, position));
    }
    else if (const std::optional<KeyAction> action = PlayActionOfTrigger(axis))
    {
        HoldAction(*action, position > 0);
    }
}

void Game::PressMenuKey(SDL_Scancode key)
{
    if (!IsMenuState(mGameState) || key == SDL_SCANCODE_UNKNOWN)
    {
        return;
    }
    if (key == SDL_SCANCODE_ESCAPE)
    {
        HandleEscape();
        return;
    }
    // Keys are bound from the keyboard only: while one is awaited, the pad can
    // only cancel.
    const bool capturingKey = mGameState == GameState::Options && mCurrentMenu->waitingForKey &&
                              OptionsPages::IsBinding(OnControlsPage(), mCurrentMenu->selected);
    if (!capturingKey)
    {
        SDL_KeyboardEvent press{};
        press.keysym.scancode = key;
        HandleKeyDown(press);
    }
}
