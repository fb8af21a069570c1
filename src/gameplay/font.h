#pragma once

#include <SDL.h>

#include <string>

// Bitmap text from the 8 x 8 glyph sheet "font" and numbers from the 16 x 16
// digit strip "hudFont".
class Font
{
public:
    static constexpr int GLYPH_SIZE = 8;
    static constexpr int GLYPHS_PER_ROW = 12;
    static constexpr int DIGIT_SIZE = 16;

    // The printable ASCII characters, space to '~'; a glyph's index is its position.
    static const std::string mCharacters;

    void RenderString(const std::string& text, SDL_Surface* glyphs, SDL_Surface* target, int x,
                      int y) const;
    // Exactly width digit cells: padded with leading zeros, or the last width
    // digits. Anything that is not a plain digit string is drawn as 0.
    void RenderHUDNumber(const std::string& digits, SDL_Surface* digitStrip, SDL_Surface* target,
                         int x, int y, int width) const;
    // A value below zero is drawn as 0.
    void RenderHUDNumber(int value, SDL_Surface* digitStrip, SDL_Surface* target, int x, int y,
                         int width) const;
};
