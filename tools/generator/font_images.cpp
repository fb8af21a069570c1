#include "font_images.h"

#include "bitmap_font.h"
#include "image_effects.h"

namespace
{
constexpr int CELL = 8;
constexpr int CELLS_PER_ROW = 12;
constexpr int HUD_CELL = 16;

const Rgb INK_TOP{255, 248, 228};
const Rgb INK_BOTTOM{236, 206, 150};
constexpr Color SHADOW{22, 14, 10, 255};

void DrawGlyph(Canvas& sheet, char character, int cellX, int cellY)
{
    Canvas glyph(CELL, CELL);
    for (int row = 0; row < BitmapFont::GLYPH_ROWS; ++row)
    {
        const Color ink = ToColor(Mix(INK_TOP, INK_BOTTOM, row / 7.0f));
        for (int column = 0; column < BitmapFont::GLYPH_WIDTH; ++column)
        {
            if (BitmapFont::IsInk(character, column, row))
            {
                glyph.Set(column + 1, row, ink);
            }
        }
    }
    AddDropShadow(glyph, 1, 1, SHADOW);
    sheet.Paste(glyph, cellX, cellY);
}

Color HudDigitColour(int row, bool topEdge)
{
    const Rgb top{255, 244, 170};
    const Rgb bottom{232, 118, 28};
    const Rgb colour = Mix(top, bottom, row / 13.0f);
    return ToColor(topEdge ? Mix(colour, Rgb{255, 255, 240}, 0.6f) : colour);
}

Canvas DrawHudDigit(int digit)
{
    Canvas cell(HUD_CELL, HUD_CELL);
    constexpr int left = 3;
    constexpr int top = 1;
    for (int row = 0; row < BitmapFont::HUD_DIGIT_ROWS * 2; ++row)
    {
        for (int column = 0; column < BitmapFont::GLYPH_WIDTH * 2; ++column)
        {
            if (!BitmapFont::IsHudDigitInk(digit, column / 2, row / 2))
            {
                continue;
            }
            const bool topEdge =
                !BitmapFont::IsHudDigitInk(digit, column / 2, (row - 1) / 2) || row == 0;
            cell.Set(left + column, top + row, HudDigitColour(row, topEdge && row % 2 == 0));
        }
    }
    AddOutline(cell, Color{36, 16, 6, 255});
    return cell;
}
} // namespace

Canvas MakeFontSheet()
{
    Canvas sheet(CELLS_PER_ROW * CELL, 8 * CELL);
    for (int code = BitmapFont::FIRST_CHARACTER; code <= BitmapFont::LAST_CHARACTER; ++code)
    {
        const int index = code - BitmapFont::FIRST_CHARACTER;
        DrawGlyph(sheet, static_cast<char>(code), (index % CELLS_PER_ROW) * CELL,
                  (index / CELLS_PER_ROW) * CELL);
    }
    return sheet;
}

Canvas MakeHudDigits()
{
    Canvas strip(10 * HUD_CELL, HUD_CELL);
    for (int digit = 0; digit < 10; ++digit)
    {
        strip.Paste(DrawHudDigit(digit), digit * HUD_CELL, 0);
    }
    return strip;
}
