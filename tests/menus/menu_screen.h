#pragma once

#include "core/wrapper.h"
#include "support/test_game.h"

#include <SDL.h>

#include <string>
#include <vector>

// Helpers for driving the menus with keys and for checking what they draw.

// Taps a key (down, one frame, up, one frame) the given number of times.
void Press(TestGame& test, SDL_Scancode key, int times = 1);
// From the main menu at start-up: "Options", Return. The sounds are taken.
void OpenOptionsFromTheMainMenu(TestGame& test);
// Runs frames until the current menu's blink phase shows (or hides) the arrow
// in the frame just drawn.
void RunUntilArrow(TestGame& test, bool shown);

// A black surface with the frame's size and format.
Wrapper BlankFrame(TestGame& test);
void DrawText(TestGame& test, SDL_Surface* target, const std::string& text, int x, int y);
void DrawArrow(TestGame& test, SDL_Surface* target, int x, int y);
// Copy of the frame just drawn.
Wrapper CopyFrame(TestGame& test);

// Compares the rows y to y + height - 1 of the frame with the same rows of
// expected; empty on a match, else where they first differ.
std::string CompareRows(SDL_Surface* frame, SDL_Surface* expected, int y, int height);

// The options screen's layout: the arrow column, and the top of an entry's row
// (entries counted with the spacer lines).
int OptionsArrowX(TestGame& test);
int OptionsRowY(int entry);
// Compares one row of the options screen with the text drawn at the labels'
// column, and the arrow at arrowX (no arrow when arrowX is negative).
std::string CompareOptionsRow(TestGame& test, int entry, const std::string& text, int arrowX);

// Whole screens composed from the documented layout with the game's own images
// and font, to compare with the frame pixel for pixel.
// The main menu (three entries) with the arrow on the selected entry, if shown.
Wrapper ExpectedMainMenu(TestGame& test, int selected, bool arrow);
// The in-game menu over the given game picture.
Wrapper ExpectedInGameMenu(TestGame& test, SDL_Surface* gamePicture, int selected, bool arrow);
Wrapper ExpectedCredits(TestGame& test);
