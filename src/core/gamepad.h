#pragma once

#include "core/wrapper.h"

#include <SDL.h>

#include <array>
#include <optional>
#include <string>

// How far the sticks are pushed once the dead zone is taken off, each from -1
// to 1: the left stick walks (forward positive) and strafes (right positive),
// the right stick turns (right positive).
struct PadSticks
{
    double walk = 0;
    double strafe = 0;
    double turn = 0;
};

// The gamepad the player plays with: the first game controller plugged in,
// read through SDL's GameController API. Pads come and go while the game runs.
class Gamepad
{
public:
    Gamepad() = default;
    ~Gamepad();
    Gamepad(const Gamepad&) = delete;
    Gamepad& operator=(const Gamepad&) = delete;

    // Starts SDL's game controllers and adds the mappings of mappingFile (a
    // gamecontrollerdb.txt; without one SDL's own database serves) to those
    // SDL knows, whose SDL_GAMECONTROLLERCONFIG mappings keep the upper hand.
    // False when the machine cannot read game controllers.
    bool Start(const std::string& mappingFile);
    // A controller plugged in, by device index: taken when no pad is in use.
    void Attach(int deviceIndex);
    // A controller pulled out, by instance id: true when it was the pad in
    // use, whose place another one still plugged in then takes.
    bool Detach(SDL_JoystickID id);
    // Whether an event of this device is the player's.
    bool IsInUse(SDL_JoystickID id) const;
    bool IsConnected() const { return Controller() != nullptr; }
    // The pad's name from its mapping; empty without a pad.
    std::string Name() const;
    // Where the sticks stand past a dead zone of deadZonePercent of their travel.
    PadSticks ReadSticks(int deadZonePercent) const;
    // Follows an axis as a switch at -1, 0 or 1, thrown past half of its travel
    // (the left stick steps through menus, the triggers press): the new
    // position when this motion moved it, else nothing.
    std::optional<int> SwitchAxis(const SDL_ControllerAxisEvent& motion);

private:
    SDL_GameController* Controller() const { return mController.Find<SDL_GameController>(); }
    void Forget();

    Wrapper mController;
    SDL_JoystickID mId = -1;
    std::array<int, SDL_CONTROLLER_AXIS_MAX> mAxisSwitches{};
    bool mStarted = false;
};
