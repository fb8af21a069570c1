#include "core/gamepad.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr double FULL_TRAVEL = 32767.0;
constexpr int HALF_TRAVEL = 16384;

double AxisPosition(SDL_GameController* controller, SDL_GameControllerAxis axis)
{
    return std::clamp(SDL_GameControllerGetAxis(controller, axis) / FULL_TRAVEL, -1.0, 1.0);
}

// A distance from the centre with the dead zone taken off: nothing inside it,
// then rising evenly to 1 at the end of the travel, so the slowest walk starts
// right at its edge.
double BeyondDeadZone(double distance, double deadZone)
{
    if (distance <= deadZone)
    {
        return 0;
    }
    return std::min(1.0, (distance - deadZone) / (1.0 - deadZone));
}
} // namespace

Gamepad::~Gamepad()
{
    mController.freeResource();
    if (mStarted)
    {
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    }
}

bool Gamepad::Start(const std::string& mappingFile)
{
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) < 0)
    {
        return false;
    }
    mStarted = true;
    // A missing or unreadable file adds nothing. Pads already plugged in
    // arrive as plug-in events, also those this file makes known.
    SDL_GameControllerAddMappingsFromFile(mappingFile.c_str());
    return true;
}

void Gamepad::Attach(int deviceIndex)
{
    if (IsConnected() || !SDL_IsGameController(deviceIndex))
    {
        return;
    }
    SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
    if (controller == nullptr)
    {
        return;
    }
    mController.Reset(controller);
    mId = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
    mAxisSwitches.fill(0);
}

bool Gamepad::Detach(SDL_JoystickID id)
{
    if (!IsInUse(id))
    {
        return false;
    }
    Forget();
    for (int index = 0; index < SDL_NumJoysticks() && !IsConnected(); ++index)
    {
        Attach(index);
    }
    return true;
}

void Gamepad::Forget()
{
    mController.freeResource();
    mId = -1;
    mAxisSwitches.fill(0);
}

bool Gamepad::IsInUse(SDL_JoystickID id) const
{
    return IsConnected() && id == mId;
}

std::string Gamepad::Name() const
{
    const char* name = IsConnected() ? SDL_GameControllerName(Controller()) : nullptr;
    return name != nullptr ? name : "";
}

PadSticks Gamepad::ReadSticks(int deadZonePercent) const
{
    SDL_GameController* controller = Controller();
    if (controller == nullptr)
    {
        return {};
    }
    const double deadZone = deadZonePercent / 100.0;
    PadSticks sticks;
    // The left stick's dead zone is round, so a walk keeps its direction.
    const double x = AxisPosition(controller, SDL_CONTROLLER_AXIS_LEFTX);
    const double y = AxisPosition(controller, SDL_CONTROLLER_AXIS_LEFTY);
    const double length = std::hypot(x, y);
    if (length > 0)
    {
        const double scale = BeyondDeadZone(length, deadZone) / length;
        sticks.walk = -y * scale;
        sticks.strafe = x * scale;
    }
    const double turn = AxisPosition(controller, SDL_CONTROLLER_AXIS_RIGHTX);
    sticks.turn = std::copysign(BeyondDeadZone(std::abs(turn), deadZone), turn);
    return sticks;
}

std::optional<int> Gamepad::SwitchAxis(const SDL_ControllerAxisEvent& motion)
{
    if (motion.axis >= SDL_CONTROLLER_AXIS_MAX)
    {
        return std::nullopt;
    }
    const int position = motion.value >= HALF_TRAVEL ? 1 : (motion.value <= -HALF_TRAVEL ? -1 : 0);
    int& kept = mAxisSwitches[motion.axis];
    if (position == kept)
    {
        return std::nullopt;
    }
    kept = position;
    return position;
}
