#pragma once

#include <SDL.h>

#include <array>
#include <cstddef>
#include <istream>
#include <string>

// The rebindable game keys, in the order of the options menu and the settings file.
enum class KeyAction : std::size_t
{
    TurnLeft,
    TurnRight,
    MoveForward,
    MoveBackward,
    Use,
    Fire,
    Run,
    Strafe,
    SelectFireball,
    SelectScroll,
    Count
};

constexpr std::size_t KEY_ACTION_COUNT = static_cast<std::size_t>(KeyAction::Count);

// A key bound by its physical position, with its live held-down state.
struct KeyBinding
{
    int mScancode = SDL_SCANCODE_UNKNOWN;
    bool mPressed = false;
};

// The player's settings, kept in "ql3d.cfg".
struct GameSettings
{
    std::array<KeyBinding, KEY_ACTION_COUNT> mKeyBindings{{{SDL_SCANCODE_LEFT, false},
                                                           {SDL_SCANCODE_RIGHT, false},
                                                           {SDL_SCANCODE_UP, false},
                                                           {SDL_SCANCODE_DOWN, false},
                                                           {SDL_SCANCODE_SPACE, false},
                                                           {SDL_SCANCODE_LCTRL, false},
                                                           {SDL_SCANCODE_LSHIFT, false},
                                                           {SDL_SCANCODE_LALT, false},
                                                           {SDL_SCANCODE_1, false},
                                                           {SDL_SCANCODE_2, false}}};
    int mSoundVolume = 64;
    int mMusicVolume = 64;
    bool mFullscreen = true;
    bool mVSync = false;
    bool mSoundOn = true;
    bool mMusicOn = true;
    // Mouse and gamepad, on a third line that the two-line readers skip.
    bool mMouseTurning = true;
    // Hundredths of an angle unit (TURN_PARTS) that a count of sideways mouse
    // motion turns: at 30, a sweep of 10 cm at 800 dpi turns about half a circle.
    int mMouseSensitivity = 30;
    // The part of a stick's travel, in percent, that does nothing.
    int mPadDeadZone = 25;

    static constexpr int TURN_PARTS = 100;
    static constexpr int MIN_MOUSE_SENSITIVITY = 1;
    static constexpr int MAX_MOUSE_SENSITIVITY = 100;
    static constexpr int MIN_PAD_DEAD_ZONE = 0;
    static constexpr int MAX_PAD_DEAD_ZONE = 90;

    KeyBinding& Binding(KeyAction action) { return mKeyBindings[static_cast<std::size_t>(action)]; }
    const KeyBinding& Binding(KeyAction action) const
    {
        return mKeyBindings[static_cast<std::size_t>(action)];
    }
    void ReleaseAllKeys();

    // Reads the value lines of a settings file over the current values;
    // values a short line lacks keep their current value.
    void Read(std::istream& input);
    // The file's text: the ten scancodes, then volumes and switches, then the
    // mouse and gamepad settings.
    std::string Format() const;
};
