#pragma once

#include <cstdint>

// The screen the main loop is on. Only Game::SwitchGameState changes it.
enum class GameState : std::uint8_t
{
    None = 0,
    Editor = 1,
    MainMenu = 2,
    InGameMenu = 3,
    Options = 4,
    NextMap = 5,
    Game = 6,
    TheEnd = 7,
    Credits = 8
};
