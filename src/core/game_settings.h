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

    KeyBinding& Binding(KeyAction action)
    {
        return mKeyBindings[static_cast<std::size_t>(action)];
    }
    const KeyBinding& Binding(KeyAction action) const
    {
        return mKeyBindings[static_cast<std::size_t>(action)];
    }
    void ReleaseAllKeys();

    // Reads the two value lines of a settings file over the current values;
    // values a short line lacks keep their current value.
    void Read(std::istream& input);
    // The file's text: the ten scancodes, then volumes and switches.
    std::string Format() const;
};
