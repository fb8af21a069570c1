#pragma once

// The selectable places of the options menu, counted without its spacer lines,
// in the order the menu lists them: the ten key bindings (in the bindings'
// own order), then the switches and volumes, then the three commands.
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
// Opens the second page, "Mouse and Gamepad".
constexpr int MOUSE_AND_GAMEPAD = 16;
constexpr int DISCARD = 17;
constexpr int PREVIOUS_MENU = 18;
constexpr int COUNT = 19;
// The commands from here on are centred under the settings.
constexpr int FIRST_COMMAND = MOUSE_AND_GAMEPAD;

constexpr bool IsBinding(int place)
{
    return place >= FIRST_BINDING && place <= LAST_BINDING;
}
constexpr bool IsVolume(int place)
{
    return place == SOUND_VOLUME || place == MUSIC_VOLUME;
}
} // namespace OptionsPlace

// The places of the options' second page, "Mouse and Gamepad".
namespace ControlsPlace
{
constexpr int MOUSE_TURNING = 0;
constexpr int MOUSE_SENSITIVITY = 1;
constexpr int PAD_DEAD_ZONE = 2;
// Back to the first page.
constexpr int PREVIOUS_MENU = 3;
constexpr int COUNT = 4;
constexpr int FIRST_COMMAND = PREVIOUS_MENU;

// Adjusted with the arrows, as the volumes are.
constexpr bool IsAdjustable(int place)
{
    return place == MOUSE_SENSITIVITY || place == PAD_DEAD_ZONE;
}
} // namespace ControlsPlace

// A place of the page on screen, the first (false) or the second (true).
namespace OptionsPages
{
// The menus of the two pages.
constexpr const char* FIRST_PAGE_ID = "options";
constexpr const char* CONTROLS_PAGE_ID = "mouseAndGamepad";

constexpr int Count(bool controlsPage)
{
    return controlsPage ? ControlsPlace::COUNT : OptionsPlace::COUNT;
}
constexpr int FirstCommand(bool controlsPage)
{
    return controlsPage ? ControlsPlace::FIRST_COMMAND : OptionsPlace::FIRST_COMMAND;
}
constexpr bool IsBinding(bool controlsPage, int place)
{
    return !controlsPage && OptionsPlace::IsBinding(place);
}
constexpr bool IsAdjustable(bool controlsPage, int place)
{
    return controlsPage ? ControlsPlace::IsAdjustable(place) : OptionsPlace::IsVolume(place);
}
} // namespace OptionsPages
