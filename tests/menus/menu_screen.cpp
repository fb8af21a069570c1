#include "menus/menu_screen.h"

#include "core/utils.h"

#include <algorithm>
#include <stdexcept>

void Press(TestGame& test, SDL_Scancode key, int times)
{
    for (int i = 0; i < times; ++i)
    {
        test.TapKey(key);
    }
}

void OpenOptionsFromTheMainMenu(TestGame& test)
{
    Press(test, SDL_SCANCODE_DOWN);
    Press(test, SDL_SCANCODE_RETURN);
    if (test.game().GetGameState() != GameState::Options)
    {
        throw std::runtime_error("the options did not open");
    }
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

Wrapper BlankFrame(TestGame& test)
{
    SDL_Surface* frame = test.Frame();
    SDL_Surface* blank = SDL_CreateRGBSurfaceWithFormat(
        0, frame->w, frame->h, frame->format->BitsPerPixel, frame->format->format);
    SDL_FillRect(blank, nullptr, SDL_MapRGB(blank->format, 0, 0, 0));
    return Wrapper(blank);
}

void DrawText(TestGame& test, SDL_Surface* target, const std::string& text, int x, int y)
{
    Game& game = test.game();
    game.mFont->RenderString(text, game.mImageManager->GetImage("font"), target, x, y);
}

void DrawArrow(TestGame& test, SDL_Surface* target, int x, int y)
{
    SDL_Rect destination{x, y, 8, 8};
    SDL_UpperBlit(test.game().mImageManager->GetImage("arrow"), nullptr, target, &destination);
}

Wrapper CopyFrame(TestGame& test)
{
    SDL_Surface* frame = test.Frame();
    return Wrapper(SDL_ConvertSurface(frame, frame->format, 0));
}

std::string CompareRows(SDL_Surface* frame, SDL_Surface* expected, int y, int height)
{
    for (int row = y; row < y + height; ++row)
    {
        for (int x = 0; x < frame->w; ++x)
        {
            const Rgb drawn = TestGame::PixelAt(frame, x, row);
            const Rgb wanted = TestGame::PixelAt(expected, x, row);
            if (drawn != wanted)
            {
                return "first difference at (" + std::to_string(x) + ", " + std::to_string(row) +
                       "): drawn " + std::to_string(drawn.r) + "," + std::to_string(drawn.g) + "," +
                       std::to_string(drawn.b) + ", expected " + std::to_string(wanted.r) + "," +
                       std::to_string(wanted.g) + "," + std::to_string(wanted.b);
            }
        }
    }
    return "";
}

int OptionsArrowX(TestGame& test)
{
    SDL_Surface* title = test.game().mImageManager->GetImage("options");
    return (test.Frame()->w - title->w + 80) / 2;
}

int OptionsRowY(int entry)
{
    return 40 + 8 * entry;
}

std::string CompareOptionsRow(TestGame& test, int entry, const std::string& text, int arrowX)
{
    Wrapper expected = BlankFrame(test);
    SDL_Surface* surface = expected.Get<SDL_Surface>();
    const int y = OptionsRowY(entry);
    DrawText(test, surface, text, OptionsArrowX(test) + 8, y);
    if (arrowX >= 0)
    {
        DrawArrow(test, surface, arrowX, y);
    }
    return CompareRows(test.Frame(), surface, y, 8);
}

namespace
{
SDL_Surface* Image(TestGame& test, const std::string& key)
{
    return test.game().mImageManager->GetImage(key);
}

void Blit(SDL_Surface* image, SDL_Surface* target, int x, int y)
{
    SDL_Rect destination{x, y, image->w, image->h};
    SDL_UpperBlit(image, nullptr, target, &destination);
}

void DrawCentredText(TestGame& test, SDL_Surface* target, const std::string& text, int y)
{
    DrawText(test, target, text, (target->w - 8 * static_cast<int>(text.size())) / 2, y);
}

// The three entries of the main and in-game menus with their arrow; returns
// the row below the last entry.
int DrawThreeEntries(TestGame& test, SDL_Surface* target, const std::vector<std::string>& labels,
                     int selected, bool arrow)
{
    std::size_t longest = 1;
    for (const std::string& label : labels)
    {
        longest = std::max(longest, label.size());
    }
    const int labelsWidth = 8 * static_cast<int>(longest) - 8;
    const int y0 = (target->h - 16 * 3) / 2;
    for (int i = 0; i < 3; ++i)
    {
        DrawText(test, target, labels[i], (target->w - labelsWidth) / 2, y0 + 8 * i);
    }
    if (arrow)
    {
        DrawArrow(test, target, (target->w - 16 - labelsWidth) / 2, y0 + 8 * selected);
    }
    return y0 + 8 * 3;
}

// The game picture with alpha 128 on a surface of the frame's format.
Wrapper HalfTransparentCopy(TestGame& test, SDL_Surface* picture)
{
    Wrapper canvas = BlankFrame(test);
    SDL_Surface* target = canvas.Get<SDL_Surface>();
    SDL_SetSurfaceBlendMode(target, SDL_BLENDMODE_BLEND);
    for (int y = 0; y < target->h; ++y)
    {
        for (int x = 0; x < target->w; ++x)
        {
            const Rgb colour = TestGame::PixelAt(picture, x, y);
            QuillUtils::SetPixel(target, x, y,
                                 SDL_MapRGBA(target->format, static_cast<Uint8>(colour.r),
                                             static_cast<Uint8>(colour.g),
                                             static_cast<Uint8>(colour.b), 128));
        }
    }
    return canvas;
}
} // namespace

Wrapper ExpectedMainMenu(TestGame& test, int selected, bool arrow)
{
    Wrapper expected = BlankFrame(test);
    SDL_Surface* frame = expected.Get<SDL_Surface>();
    SDL_Surface* title = Image(test, "title");
    Blit(title, frame, (frame->w - title->w) / 2, 8);
    const int yEnd =
        DrawThreeEntries(test, frame, {"New Game", "Options", "Quit"}, selected, arrow);
    DrawCentredText(test, frame, "Arrow Keys = Change current option", yEnd + 40);
    DrawCentredText(test, frame, "Enter Key = Select current option", yEnd + 48);
    DrawCentredText(test, frame, "Version 0.3.1", yEnd + 88);
    DrawCentredText(test, frame, QuillUtils::AUTHOR, yEnd + 104);
    return expected;
}

Wrapper ExpectedInGameMenu(TestGame& test, SDL_Surface* gamePicture, int selected, bool arrow)
{
    Wrapper canvas = HalfTransparentCopy(test, gamePicture);
    SDL_Surface* target = canvas.Get<SDL_Surface>();
    SDL_Surface* title = Image(test, "title");
    Blit(title, target, (target->w - title->w) / 2, (target->h - title->h - 120) / 2);
    const int yEnd =
        DrawThreeEntries(test, target, {"Back to Game", "Options", "Quit"}, selected, arrow);
    DrawCentredText(test, target, "Arrow Keys = Change current option", yEnd + 24);
    DrawCentredText(test, target, "Enter Key = Select current option", yEnd + 32);
    Wrapper expected = BlankFrame(test);
    SDL_UpperBlit(target, nullptr, expected.Get<SDL_Surface>(), nullptr);
    return expected;
}

Wrapper ExpectedCredits(TestGame& test)
{
    Wrapper expected = BlankFrame(test);
    SDL_Surface* frame = expected.Get<SDL_Surface>();
    DrawText(test, frame, "Thank you for playing!", (frame->w - 8 * 22) / 2, (frame->h - 24) / 2);
    DrawText(test, frame, "A game created by", (frame->w - 8 * 17) / 2, frame->h / 2);
    DrawCentredText(test, frame, QuillUtils::CREDITS_NAME, (frame->h + 16) / 2);
    return expected;
}
