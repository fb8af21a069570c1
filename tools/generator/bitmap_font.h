#pragma once

// The game's hand-drawn 8x8 font. Each glyph is 5 pixels wide: capitals and digits use rows 0 to
// 6, descenders reach row 7, leaving room for a one-pixel shadow and a gap between lines.
namespace BitmapFont
{
constexpr int FIRST_CHARACTER = 32;
constexpr int LAST_CHARACTER = 126;
constexpr int GLYPH_WIDTH = 5;
constexpr int GLYPH_ROWS = 8;

// True where the glyph of a printable ASCII character has ink; false for anything else.
bool IsInk(char character, int column, int row);

// The bolder, unslashed digits of the HUD counters: 5 x 7, same convention.
constexpr int HUD_DIGIT_ROWS = 7;
bool IsHudDigitInk(int digit, int column, int row);
} // namespace BitmapFont
