// The editor's screen: the map view at 8 pixels per cell, the side panel with
// the selections, the cell under the cursor and the help, and the prompt panel.
#include "core/frame_pacing.h"
#include "core/game.h"
#include "core/utils.h"
#include "world/map_names.h"

#include <cmath>
#include <optional>

namespace
{
constexpr int CELL = 8;
constexpr int VIEW_EDGE = 512;
constexpr int TEXT_X = 8;
constexpr int SWATCH_TEXT_X = 24;
constexpr int ENTITY_RADIUS = 2;
constexpr int BLINK_FRAMES = 15;

// Locks a surface for direct pixel access when it needs it. Fills and blits
// must happen outside such a lock.
class PixelAccess
{
public:
    explicit PixelAccess(SDL_Surface* surface) : mSurface(surface)
    {
        mLocked = SDL_MUSTLOCK(mSurface) && SDL_LockSurface(mSurface) == 0;
    }
    ~PixelAccess()
    {
        if (mLocked)
        {
            SDL_UnlockSurface(mSurface);
        }
    }
    PixelAccess(const PixelAccess&) = delete;
    PixelAccess& operator=(const PixelAccess&) = delete;

private:
    SDL_Surface* mSurface;
    bool mLocked = false;
};

void FillSquare(SDL_Surface* surface, int x, int y, std::uint32_t color)
{
    SDL_Rect square{x, y, CELL, CELL};
    SDL_FillRect(surface, &square, color);
}

void FillCircle(SDL_Surface* surface, int cx, int cy, std::uint32_t color)
{
    PixelAccess access(surface);
    QuillUtils::RenderFilledCircle(surface, cx, cy, ENTITY_RADIUS, color);
}

void HorizontalLine(SDL_Surface* surface, int y, int fromX, int toX, std::uint32_t color)
{
    for (int x = fromX; x <= toX; ++x)
    {
        QuillUtils::SetPixel(surface, x, y, color);
    }
}

void VerticalLine(SDL_Surface* surface, int x, int fromY, int toY, std::uint32_t color)
{
    for (int y = fromY; y <= toY; ++y)
    {
        QuillUtils::SetPixel(surface, x, y, color);
    }
}

// Cell borders over the whole map, the fixed frame of the 512 x 512 area on its
// top, right and bottom, and the outline of a map smaller than that.
void DrawGrid(SDL_Surface* view, int width, int height)
{
    PixelAccess access(view);
    const std::uint32_t grey = SDL_MapRGB(view->format, 84, 84, 84);
    HorizontalLine(view, 0, 0, VIEW_EDGE, grey);
    for (int x = 0; x < width; ++x)
    {
        VerticalLine(view, x * CELL, 0, height * CELL - 1, grey);
    }
    if (height < EditorMap::MAX_SIZE)
    {
        HorizontalLine(view, height * CELL, 0, width * CELL, grey);
    }
    VerticalLine(view, VIEW_EDGE, 0, VIEW_EDGE - 1, grey);
    for (int y = 0; y < height; ++y)
    {
        HorizontalLine(view, y * CELL, 0, width * CELL - 1, grey);
    }
    if (width < EditorMap::MAX_SIZE)
    {
        VerticalLine(view, width * CELL, 0, height * CELL, grey);
    }
    HorizontalLine(view, VIEW_EDGE, 0, VIEW_EDGE, grey);
}

// The outline of a square of cells, from the top-left corner's pixel, `side`
// pixels a side.
void DrawSquare(SDL_Surface* view, int left, int top, int side, std::uint32_t color)
{
    HorizontalLine(view, top, left, left + side, color);
    HorizontalLine(view, top + side, left, left + side, color);
    VerticalLine(view, left, top, top + side, color);
    VerticalLine(view, left + side, top, top + side, color);
}

void DrawCursor(SDL_Surface* view, int cellX, int cellY)
{
    PixelAccess access(view);
    DrawSquare(view, cellX * CELL, cellY * CELL, CELL, SDL_MapRGB(view->format, 0, 255, 0));
}

// A cell a check found a problem in: two pixels of magenta, on its border and
// just inside it, around whatever the cell shows.
void DrawProblemOutline(SDL_Surface* view, int cellX, int cellY)
{
    PixelAccess access(view);
    const std::uint32_t magenta = SDL_MapRGB(view->format, 255, 0, 255);
    DrawSquare(view, cellX * CELL, cellY * CELL, CELL, magenta);
    DrawSquare(view, cellX * CELL + 1, cellY * CELL + 1, CELL - 2, magenta);
}

// The frame of the "directions" image for a player's facing: the arrow of the
// nearest right angle for a facing the game accepts (0 to 360 degrees), none
// for any other, so that a facing the game refuses stands out.
std::optional<int> ArrowFrameX(double angle)
{
    const double degrees = std::trunc(angle);
    if (degrees < 0 || degrees > 360)
    {
        return std::nullopt;
    }
    constexpr int FRAME_X_BY_QUARTER[] = {0, 24, 16, 8}; // 0, 90, 180, 270 degrees
    const int quarter = (static_cast<int>(degrees) + 45) / 90 % 4;
    return FRAME_X_BY_QUARTER[quarter];
}

void DrawPlayerArrow(SDL_Surface* directions, SDL_Surface* view, int left, int top, double angle)
{
    const std::optional<int> frameX = ArrowFrameX(angle);
    if (!frameX || directions == nullptr)
    {
        return;
    }
    SDL_Rect source{*frameX, 0, CELL, CELL};
    SDL_Rect destination{left, top, CELL, CELL};
    SDL_UpperBlit(directions, &source, view, &destination);
}

std::string Pair(int a, int b)
{
    return std::to_string(a) + ", " + std::to_string(b);
}

const char* LayerName(int layer)
{
    switch (layer)
    {
    case MapLayers::WALLS_AND_DOORS:
        return "Walls & Doors";
    case MapLayers::CEILINGS_AND_FLOORS:
        return "Ceilings & Floors";
    case MapLayers::ITEMS_AND_ENEMIES:
        return "Items & Enemies";
    default:
        return "Unknown";
    }
}

const char* ShowOrHide(bool shown)
{
    return shown ? "Hide" : "Show";
}
} // namespace

void Game::Editor()
{
    if (!IsSlowFrame(mFrameTime, false))
    {
        ++mBlinkCounter;
    }
    if (mBlinkCounter > BLINK_FRAMES)
    {
        mCursorBlink = !mCursorBlink;
        mBlinkCounter = 0;
    }
    SDL_Surface* font = mImageManager->GetImage("font");
    EditorDrawMapView(mFramework->GetSurface());
    EditorDrawSidePanel(mFramework->GetSidePanelSurface(), font);
    EditorDrawPromptPanel(mFramework->GetPromptPanelSurface(), font);
}

void Game::EditorDrawMapView(SDL_Surface* view)
{
    SDL_FillRect(view, nullptr, SDL_MapRGB(view->format, 0, 0, 0));
    SDL_Surface* directions = mImageManager->GetImage("directions");
    const bool hasCells = !mWallTiles.empty() && !mFloorTiles.empty() && !mEntityTiles.empty();
    for (int y = 0; hasCells && y < mMapHeight; ++y)
    {
        for (int x = 0; x < mMapWidth; ++x)
        {
            const int index = y * mMapWidth + x;
            const int left = x * CELL;
            const int top = y * CELL;
            if (mShowFloors)
            {
                FillSquare(view, left, top, mFloorTiles[index]->mColor);
            }
            if (mShowWalls && mWallTiles[index]->mValue != 0)
            {
                FillSquare(view, left, top, mWallTiles[index]->mColor);
            }
            const EditorTile<std::string>& entity = *mEntityGrid[index];
            if (mShowEntities && entity.mValue != EntityNames::NOTHING)
            {
                FillCircle(view, left + CELL / 2, top + CELL / 2, entity.mColor);
                if (entity.mValue == EntityNames::PLAYER)
                {
                    DrawPlayerArrow(directions, view, left, top, entity.mAngle);
                }
            }
        }
    }
    DrawGrid(view, mMapWidth, mMapHeight);
    if (mEditorCheck)
    {
        for (const MapProblem& problem : mEditorCheck->result.problems)
        {
            if (problem.cell)
            {
                DrawProblemOutline(view, problem.cell->x, problem.cell->y);
            }
        }
    }
    if (mCursorX != -1 && mCursorY != -1)
    {
        DrawCursor(view, mCursorX, mCursorY);
    }
}

void Game::EditorDrawSidePanel(SDL_Surface* panel, SDL_Surface* font)
{
    SDL_FillRect(panel, nullptr, SDL_MapRGB(panel->format, 48, 48, 48));
    const auto text = [&](const std::string& line, int y)
    { mFont->RenderString(line, font, panel, TEXT_X, y); };

    text("Current Layer:", 8);
    text(LayerName(mCurrentLayer), 16);
    TileSelection(mFramework->GetSurface(), font, panel);
    text("[X, Y]:", 72);
    text(Pair(mCursorX, mCursorY), 80);
    CurrentTileFocus(mFramework->GetSurface(), font, panel, mCursorX, mCursorY);
    text("Current Map:", 152);
    text(mMapName, 160);
    text("Help:", 176);
    const std::string help[] = {
        "LFT Click - Selection #1",
        "RGT Click - Selection #2",
        "Ins/Del\t - Switch Selection #1",
        "Home/End\t- Switch Selection #2",
        "C\t\t\t\t - Switch Layer",
        "H\t\t\t\t - Clear Tile",
        "A\t\t\t\t - Change Player Angle",
        "O\t\t\t\t - New / Open Map",
        "S\t\t\t\t - Save Map",
        "V\t\t\t\t - Check Map",
        std::string("F5\t\t\t  - ") + ShowOrHide(mShowWalls) + " Walls & Doors",
        std::string("F6\t\t\t  - ") + ShowOrHide(mShowFloors) + " Ceilings & Floors",
        std::string("F7\t\t\t  - ") + ShowOrHide(mShowEntities) + " Items & Enemies",
        "F8\t\t\t  - Clear current layer",
        "F9\t\t\t  - Resize Map",
        "F/Shift+F - Fill with #1 / #2",
        "P\t\t\t\t - Play Map",
        "Ctrl+Z\t  - Undo",
        "Ctrl+Y\t  - Redo",
        "Escape\t  - Quit",
    };
    int y = 184;
    for (const std::string& line : help)
    {
        text(line, y);
        y += CELL;
    }
    text("Map Size [Width, Height]:", y + 8);
    text(Pair(mMapWidth, mMapHeight), y + 16);
    text("High Score of Map:", y + 32);
    text(std::to_string(mMapHighScore), y + 40);
}

void Game::TileSelection(SDL_Surface* frame, SDL_Surface* font, SDL_Surface* panel)
{
    mFont->RenderString("Tile Selection:", font, panel, TEXT_X, 32);
    std::string lines[2] = {"#1 (", "#2 ("};
    const int swatchY[2] = {40, 56};
    for (int i = 0; i < 2; ++i)
    {
        std::uint32_t color = SDL_MapRGB(frame->format, 255, 0, 255);
        bool circle = false;
        if (mCurrentLayer == MapLayers::WALLS_AND_DOORS ||
            mCurrentLayer == MapLayers::CEILINGS_AND_FLOORS)
        {
            const EditorValue<int>& entry = *(
                mCurrentLayer == MapLayers::WALLS_AND_DOORS ? mWallSelection : mFloorSelection)[i];
            lines[i] += TileValueDescription(entry.mValue, mCurrentLayer);
            color = entry.mColor;
        }
        else if (mCurrentLayer == MapLayers::ITEMS_AND_ENEMIES)
        {
            const EditorValue<std::string>& entry = *mEntitySelection[i];
            lines[i] += TileValueDescription(entry.mValue, mCurrentLayer);
            color = entry.mColor;
            circle = entry.mValue != EntityNames::NOTHING;
        }
        lines[i] += ")";
        if (circle)
        {
            FillCircle(panel, TEXT_X + CELL / 2, swatchY[i] + CELL / 2, color);
        }
        else
        {
            FillSquare(panel, TEXT_X, swatchY[i], color);
        }
        mFont->RenderString(lines[i], font, panel, SWATCH_TEXT_X, swatchY[i]);
    }
}

void Game::CurrentTileFocus(SDL_Surface*, SDL_Surface* font, SDL_Surface* panel, int x, int y)
{
    mFont->RenderString("Current Tile Focus:", font, panel, TEXT_X, 96);
    if (x < 0 || y < 0 || x >= mMapWidth || y >= mMapHeight || mResizing)
    {
        return;
    }
    const int index = y * mMapWidth + x;
    const EditorTile<int>& floor = *mFloorTiles[index];
    FillSquare(panel, TEXT_X, 104, floor.mColor);
    mFont->RenderString(TileValueDescription(floor.mValue, MapLayers::CEILINGS_AND_FLOORS), font,
                        panel, SWATCH_TEXT_X, 104);

    const EditorTile<int>& wall = *mWallTiles[index];
    FillSquare(panel, TEXT_X, 120, wall.mColor);
    mFont->RenderString(TileValueDescription(wall.mValue, MapLayers::WALLS_AND_DOORS), font, panel,
                        SWATCH_TEXT_X, 120);

    const EditorTile<std::string>& entity = *mEntityGrid[index];
    if (entity.mValue == EntityNames::NOTHING)
    {
        FillSquare(panel, TEXT_X, 136, entity.mColor);
    }
    else
    {
        FillCircle(panel, TEXT_X + CELL / 2, 136 + CELL / 2, entity.mColor);
    }
    std::string name = TileValueDescription(entity.mValue, MapLayers::ITEMS_AND_ENEMIES);
    if (entity.mValue == EntityNames::PLAYER)
    {
        name += " (Angle " + EditorMap::AngleText(entity.mAngle) + ")";
    }
    mFont->RenderString(name, font, panel, SWATCH_TEXT_X, 136);
}

void Game::EditorDrawPromptPanel(SDL_Surface* panel, SDL_Surface* font)
{
    SDL_FillRect(panel, nullptr, SDL_MapRGB(panel->format, 48, 48, 48));
    if (mEditorAction == EditorActionState::None)
    {
        return;
    }
    mFont->RenderString(mPromptTitle, font, panel, TEXT_X, 8);
    mFont->RenderString(mPromptMessage, font, panel, TEXT_X, 24);
    const auto state = static_cast<std::int32_t>(mEditorAction);
    if (state > 0 && mEditorAction != EditorActionState::QuitConfirm)
    {
        mFont->RenderString(mInputText, font, panel, TEXT_X, 48);
        if (mCursorBlink)
        {
            mFont->RenderString("_", font, panel,
                                TEXT_X + CELL * static_cast<int>(mInputText.size()), 48);
        }
    }
}
