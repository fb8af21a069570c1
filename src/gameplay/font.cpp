#include "gameplay/font.h"

#include <algorithm>
#include <cctype>

const std::string Font::mCharacters = []
{
    std::string characters;
    for (char c = ' '; c <= '~'; ++c)
    {
        characters += c;
    }
    return characters;
}();

void Font::RenderString(const std::string& text, SDL_Surface* glyphs, SDL_Surface* target, int x,
                        int y) const
{
    int penX = x;
    int penY = y;
    for (const char c : text)
    {
        if (c == '\n')
        {
            penX = x;
            penY += GLYPH_SIZE;
            continue;
        }
        if (c == '\t')
        {
            penX += 2 * GLYPH_SIZE;
            continue;
        }
        const std::size_t index = mCharacters.find(c);
        if (index != std::string::npos)
        {
            SDL_Rect source{static_cast<int>(index % GLYPHS_PER_ROW) * GLYPH_SIZE,
                            static_cast<int>(index / GLYPHS_PER_ROW) * GLYPH_SIZE, GLYPH_SIZE,
                            GLYPH_SIZE};
            SDL_Rect destination{penX, penY, GLYPH_SIZE, GLYPH_SIZE};
            SDL_UpperBlit(glyphs, &source, target, &destination);
        }
        penX += GLYPH_SIZE;
    }
}

void Font::RenderHUDNumber(const std::string& digits, SDL_Surface* digitStrip,
                           SDL_Surface* target, int x, int y, int width) const
{
    const bool valid = !digits.empty() && std::all_of(digits.begin(), digits.end(),
                                                      [](unsigned char c) { return std::isdigit(c); });
    std::string shown = valid ? digits : "0";
    if (static_cast<int>(shown.size()) > width)
    {
        shown = shown.substr(shown.size() - width);
    }
    shown.insert(0, width - shown.size(), '0');
    for (int i = 0; i < width; ++i)
    {
        const int digit = shown[i] - '0';
        SDL_Rect source{digit * DIGIT_SIZE, 0, DIGIT_SIZE, DIGIT_SIZE};
        SDL_Rect destination{x + i * DIGIT_SIZE, y, DIGIT_SIZE, DIGIT_SIZE};
        SDL_UpperBlit(digitStrip, &source, target, &destination);
    }
}

void Font::RenderHUDNumber(int value, SDL_Surface* digitStrip, SDL_Surface* target, int x, int y,
                           int width) const
{
    RenderHUDNumber(std::to_string(std::max(value, 0)), digitStrip, target, x, y, width);
}
