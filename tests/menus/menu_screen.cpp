#include "menus/menu_screen.h"

#include "gameplay/font.h"

#include <stdexcept>

void Press(TestGame& test, SDL_Scancode key, int times)
{
    for (int i = 0; i < times; ++i)
    {
        test.TapKey(key);
    }
}

void PressAll(TestGame& test, const std::vector<std::pair<SDL_Scancode, int>>& keys)
{
    for (const auto& [key, times] : keys)
    {
        Press(test, key, times);
    }
}

void OpenOptionsFromTheMainMenu(TestGame& test)
{
    PressAll(test, {{DOWN, 1}, {RETURN, 1}});
    test.TakeSounds();
}

void RunUntilArrow(TestGame& test, bool shown)
{
    // The arrow changes its phase every 16 frames.
    for (int i = 0; i < 40; ++i)
    {
        test.RunFrames(1);
        if (test.game().mCurrentMenu->showArrow == shown)
        {
            return;
        }
    }
    throw std::runtime_error("the arrow never changed its blink phase");
}

namespace
{
constexpr int CELL = Font::GLYPH_SIZE;

bool CellShows(SDL_Surface* frame, int x, int y, SDL_Surface* cell)
{
    for (int i = 0; i < CELL * CELL; ++i)
    {
        if (TestGame::PixelAt(frame, x + i % CELL, y + i / CELL) !=
            TestGame::PixelAt(cell, i % CELL, i / CELL))
        {
            return false;
        }
    }
    return true;
}
} // namespace

std::string ReadText(TestGame& test, int x, int y)
{
    Game& game = test.game();
    SDL_Surface* frame = test.Frame();
    // Every glyph, then the arrow, each drawn alone on a black cell.
    const std::string characters = Font::mCharacters + ">";
    std::vector<Wrapper> cells;
    for (std::size_t i = 0; i < characters.size(); ++i)
    {
        cells.emplace_back(
            SDL_CreateRGBSurfaceWithFormat(0, CELL, CELL, 32, frame->format->format));
        SDL_Surface* cell = cells.back().Get<SDL_Surface>();
        SDL_FillRect(cell, nullptr, SDL_MapRGB(cell->format, 0, 0, 0));
        if (i + 1 < characters.size())
        {
            game.mFont->RenderString(characters.substr(i, 1), game.mImageManager->GetImage("font"),
                                     cell, 0, 0);
        }
        else
        {
            SDL_UpperBlit(game.mImageManager->GetImage("arrow"), nullptr, cell, nullptr);
        }
    }
    std::string text;
    for (std::size_t found = 0; found < cells.size() && x + CELL <= frame->w; x += CELL)
    {
        found = 0;
        while (found < cells.size() && !CellShows(frame, x, y, cells[found].Get<SDL_Surface>()))
        {
            ++found;
        }
        text += found < cells.size() ? characters.substr(found, 1) : "";
    }
    return text.substr(0, text.find_last_not_of(' ') + 1);
}

std::string OptionsRow(TestGame& test, int entry)
{
    return ReadText(test, OPTIONS_ARROW_X, OptionsRowY(entry));
}
