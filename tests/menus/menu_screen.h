#pragma once

#include "support/test_game.h"

#include <SDL.h>

#include <string>
#include <utility>
#include <vector>

// Helpers for driving the menus with keys and for reading what they show.

constexpr SDL_Scancode UP = SDL_SCANCODE_UP;
constexpr SDL_Scancode DOWN = SDL_SCANCODE_DOWN;
constexpr SDL_Scancode LEFT = SDL_SCANCODE_LEFT;
constexpr SDL_Scancode RIGHT = SDL_SCANCODE_RIGHT;
constexpr SDL_Scancode RETURN = SDL_SCANCODE_RETURN;
constexpr SDL_Scancode ESCAPE = SDL_SCANCODE_ESCAPE;

// Taps a key (down, one frame, up, one frame) the given number of times.
void Press(TestGame& test, SDL_Scancode key, int times = 1);
// Taps each key of the list its number of times, in order.
void PressAll(TestGame& test, const std::vector<std::pair<SDL_Scancode, int>>& keys);
// From the main menu at start-up: "Options", Return. The sounds are taken.
void OpenOptionsFromTheMainMenu(TestGame& test);
// Runs frames until the current menu's blink phase shows (or hides) the arrow
// in the frame just drawn.
void RunUntilArrow(TestGame& test, bool shown);

// The options pages' layout on the 320 x 240 frame: the arrow's column, and
// the top of an entry's row (entries counted with the spacer lines).
constexpr int OPTIONS_ARROW_X = 40;
constexpr int OptionsRowY(int entry)
{
    return 40 + 8 * entry;
}

// Reads the 8 x 8 cells of the frame from (x, y) to the right as the game's
// font draws them on black, the menu arrow read as '>', up to the first cell
// that is neither; trailing blanks left out.
std::string ReadText(TestGame& test, int x, int y);
// The options row of the entry, read from the arrow's column.
std::string OptionsRow(TestGame& test, int entry);
