#pragma once

// The selectable places of the options menu, counted without its spacer lines,
// in the order the menu lists them: the ten key bindings (in the bindings'
// own order), then the switches and volumes, then the two commands.
namespace OptionsPlace
{
constexpr int FIRST_BINDING = 0;
constexpr int LAST_BINDING = 9;
constexpr int FULLSCREEN = 10;
constexpr int VSYNC = 11;
constexpr int SOUND = 12;
constexpr int SOUND_VOLUME = 13;
constexpr int MUSIC = 14;
constexpr int MUSIC_VOLUME = 15;
constexpr int DISCARD = 16;
constexpr int PREVIOUS_MENU = 17;
constexpr int COUNT = 18;

constexpr bool IsBinding(int place)
{
    return place >= FIRST_BINDING && place <= LAST_BINDING;
}
constexpr bool IsVolume(int place)
{
    return place == SOUND_VOLUME || place == MUSIC_VOLUME;
}
} // namespace OptionsPlace
