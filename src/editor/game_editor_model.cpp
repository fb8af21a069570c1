// The editor's map model: palettes, display names, painting, clearing and the
// order of the entity layer.
#include "core/game.h"
#include "world/map_file.h"
#include "world/map_names.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <stdexcept>

namespace
{
template <typename T> struct PaletteDefinition
{
    T value;
    Uint8 r;
    Uint8 g;
    Uint8 b;
    const char* name;
};

// Wall number 13 has no texture and so no entry.
const PaletteDefinition<int> WALL_PALETTE[] = {
    {0, 0, 0, 0, "Nothing"},
    {1, 0, 0, 128, "Blue Wall"},
    {2, 0, 128, 60, "Green Wall"},
    {3, 128, 0, 8, "Red Wall"},
    {4, 255, 216, 0, "Yellow Wall"},
    {5, 0, 128, 120, "Empty Bookshelf"},
    {6, 172, 86, 0, "Bookshelf"},
    {7, 128, 128, 128, "Standard Door"},
    {8, 0, 128, 255, "Locked Door - Blue Key"},
    {9, 255, 106, 0, "Locked Door - Orange Key"},
    {10, 128, 128, 0, "Locked Door - Bronze Key"},
    {11, 196, 0, 0, "Exit Door"},
    {12, 196, 64, 64, "Fake Exit Door"},
    {14, 0, 148, 255, "Fireplace - Blue Wall"},
};

const PaletteDefinition<int> FLOOR_PALETTE[] = {
    {0, 105, 61, 23, "Laminate"},
    {1, 64, 64, 64, "Horizontal Door Frame"},
    {2, 160, 160, 160, "Vertical Door Frame"},
};

const PaletteDefinition<const char*> ENTITY_PALETTE[] = {
    {EntityNames::NOTHING, 0, 0, 0, "Nothing"},
    {EntityNames::AMMO, 0, 162, 232, "Ammo"},
    {EntityNames::HEALTH, 255, 0, 0, "Health"},
    {EntityNames::ORB, 255, 216, 0, "Orb"},
    {EntityNames::SCROLL, 255, 255, 255, "Scroll"},
    {EntityNames::BLUE_KEY, 0, 0, 128, "Blue Key"},
    {EntityNames::ORANGE_KEY, 255, 106, 0, "Orange Key"},
    {EntityNames::BRONZE_KEY, 128, 128, 0, "Bronze Key"},
    {EntityNames::PLAYER, 0, 196, 0, "Player"},
    {EntityNames::ENEMY, 128, 0, 0, "Enemy"},
};

// Cells a new map's selections start on: #1 the first real entry, #2 the empty one.
constexpr std::size_t FIRST_SELECTION_ENTRY = 1;
constexpr std::size_t SECOND_SELECTION_ENTRY = 0;

template <typename T, typename Value, std::size_t N>
void BuildPalette(EditorPalette<T>& palette, const PaletteDefinition<Value> (&definitions)[N],
                  const SDL_PixelFormat* format)
{
    palette.clear();
    for (const PaletteDefinition<Value>& definition : definitions)
    {
        palette.push_back(std::make_unique<EditorValue<T>>(EditorValue<T>{
            T(definition.value), SDL_MapRGB(format, definition.r, definition.g, definition.b)}));
    }
}

template <typename T>
void ResetSelection(std::array<EditorValue<T>*, 2>& selection, std::array<std::int32_t, 2>& indexes,
                    const EditorPalette<T>& palette)
{
    selection = {palette[FIRST_SELECTION_ENTRY].get(), palette[SECOND_SELECTION_ENTRY].get()};
    // The indexes do not follow the entries: the first Insert after a reset
    // moves selection #1 onto the entry it already shows.
    indexes = {0, 0};
}

template <typename T>
void StepSelection(std::array<EditorValue<T>*, 2>& selection, std::array<std::int32_t, 2>& indexes,
                   const EditorPalette<T>& palette, int which, int step)
{
    const auto size = static_cast<std::int32_t>(palette.size());
    indexes[which] = ((indexes[which] + step) % size + size) % size;
    selection[which] = palette[indexes[which]].get();
}

template <typename T>
std::uint32_t ColorOf(const EditorPalette<T>& palette, const T& value, std::uint32_t unknown)
{
    const EditorValue<T>* entry = FindPaletteEntry(palette, value);
    return entry != nullptr ? entry->mColor : unknown;
}

// The order of the entity layer is the order of the blocks in a saved map, so
// that a map is always saved the same way.
bool EntityComesBefore(const EditorTile<std::string>& a, const EditorTile<std::string>& b)
{
    return SavedBefore({a.mValue, a.mX, a.mY}, {b.mValue, b.mX, b.mY});
}

template <typename Value, std::size_t N, typename T>
const char* NameOf(const PaletteDefinition<Value> (&definitions)[N], const T& value)
{
    for (const PaletteDefinition<Value>& definition : definitions)
    {
        if (T(definition.value) == value)
        {
            return definition.name;
        }
    }
    return nullptr;
}
} // namespace

void Game::InitEditor()
{
    const SDL_PixelFormat* format = mFramework->GetSurface()->format;
    if (!mImageManager->AddImage(mPaths.DataFile("gfx/directions.png"), "directions",
                                 mFramework->GetRendererInfo(), true))
    {
        throw std::runtime_error("Couldn't initialize directions texture!");
    }

    BuildPalette(mWallPalette, WALL_PALETTE, format);
    BuildPalette(mFloorPalette, FLOOR_PALETTE, format);
    BuildPalette(mEntityPalette, ENTITY_PALETTE, format);
    EditorResetSelections();

    EditorMap map = EditorMap::CreateEmpty(mMapWidth, mMapHeight, EditorLookUpEmptyColors());
    EditorReplaceMap(map);
    // Text is read only while a text prompt is open.
    SDL_StopTextInput();
}

template <> std::string Game::TileValueDescription<int>(int value, int layer) const
{
    if (layer != MapLayers::WALLS_AND_DOORS && layer != MapLayers::CEILINGS_AND_FLOORS)
    {
        return "Unknown Layer";
    }
    const char* name = layer == MapLayers::WALLS_AND_DOORS ? NameOf(WALL_PALETTE, value)
                                                           : NameOf(FLOOR_PALETTE, value);
    return name != nullptr ? name : "Unknown Tile";
}

template <> std::string Game::TileValueDescription<std::string>(std::string value, int layer) const
{
    if (layer != MapLayers::ITEMS_AND_ENEMIES)
    {
        return "Unknown Layer";
    }
    const char* name = NameOf(ENTITY_PALETTE, value);
    return name != nullptr ? name : "Unknown Entity";
}

std::uint32_t Game::EditorColor(Uint8 r, Uint8 g, Uint8 b) const
{
    return SDL_MapRGB(mFramework->GetSurface()->format, r, g, b);
}

std::uint32_t Game::EditorUnknownColor() const
{
    // Values without a palette entry (a wall 13, an entity "Ghost") keep their
    // value and are shown in magenta, which no palette entry uses.
    return EditorColor(255, 0, 255);
}

EditorEmptyColors Game::EditorLookUpEmptyColors() const
{
    const std::uint32_t unknown = EditorUnknownColor();
    return {ColorOf(mWallPalette, 0, unknown), ColorOf(mFloorPalette, 0, unknown),
            ColorOf(mEntityPalette, std::string(EntityNames::NOTHING), unknown)};
}

void Game::EditorColorCells(EditorMap& map) const
{
    const std::uint32_t unknown = EditorUnknownColor();
    for (const auto& cell : map.mWallTiles)
    {
        cell->mColor = ColorOf(mWallPalette, cell->mValue, unknown);
    }
    for (const auto& cell : map.mFloorTiles)
    {
        cell->mColor = ColorOf(mFloorPalette, cell->mValue, unknown);
    }
    for (const auto& cell : map.mEntityTiles)
    {
        cell->mColor = ColorOf(mEntityPalette, cell->mValue, unknown);
    }
}

void Game::EditorReplaceMap(EditorMap& map)
{
    std::swap(mMapWidth, map.mWidth);
    std::swap(mMapHeight, map.mHeight);
    mWallTiles.swap(map.mWallTiles);
    mFloorTiles.swap(map.mFloorTiles);
    mEntityTiles.swap(map.mEntityTiles);
    mEntityGrid.swap(map.mEntityGrid);
}

void Game::EditorResetSelections()
{
    ResetSelection(mWallSelection, mWallSelectionIndex, mWallPalette);
    ResetSelection(mFloorSelection, mFloorSelectionIndex, mFloorPalette);
    ResetSelection(mEntitySelection, mEntitySelectionIndex, mEntityPalette);
}

bool Game::EditorHasPlayer() const
{
    return std::any_of(mEntityTiles.begin(), mEntityTiles.end(),
                       [](const auto& cell) { return cell->mValue == EntityNames::PLAYER; });
}

void Game::EditorSetTile(int button, int x, int y)
{
    if (x < 0 || x >= mMapWidth || y < 0 || y >= mMapHeight)
    {
        mCursorX = -1;
        mCursorY = -1;
        return;
    }
    mCursorX = x;
    mCursorY = y;
    const bool painting = button == 1 || button == 2;
    const int which = button - 1;
    const int index = y * mMapWidth + x;
    if (mCurrentLayer == MapLayers::WALLS_AND_DOORS ||
        mCurrentLayer == MapLayers::CEILINGS_AND_FLOORS)
    {
        if (painting)
        {
            EditorTile<int>& cell =
                *(mCurrentLayer == MapLayers::WALLS_AND_DOORS ? mWallTiles : mFloorTiles)[index];
            const EditorValue<int>& entry =
                *(mCurrentLayer == MapLayers::WALLS_AND_DOORS ? mWallSelection
                                                              : mFloorSelection)[which];
            cell.mValue = entry.mValue;
            cell.mColor = entry.mColor;
        }
        return;
    }
    if (mCurrentLayer != MapLayers::ITEMS_AND_ENEMIES)
    {
        return;
    }
    if (painting)
    {
        const EditorValue<std::string>& entry = *mEntitySelection[which];
        // The game has one player: a second one is refused, also on its own cell.
        if (entry.mValue == EntityNames::PLAYER && EditorHasPlayer())
        {
            mEditorAction = EditorActionState::PlayerExists;
            EditorAction();
            return;
        }
        EditorTile<std::string>& cell = *mEntityGrid[index];
        const std::string previous = cell.mValue;
        cell.mValue = entry.mValue;
        cell.mColor = entry.mColor;
        cell.mAngle = 0;
        EditorEntityChanged(&cell, previous);
    }
    // A mere move of the cursor changes neither the order nor the score.
}

void Game::EditorSortEntities()
{
    std::sort(mEntityTiles.begin(), mEntityTiles.end(),
              [](const auto& a, const auto& b) { return EntityComesBefore(*a, *b); });
    mMapHighScore = 0;
    for (const auto& cell : mEntityTiles)
    {
        mMapHighScore += BestScorePoints(cell->mValue);
    }
}

void Game::EditorEntityChanged(const EditorTile<std::string>* cell, const std::string& previous)
{
    // The rest of the layer is in order, so moving the one changed cell to its
    // place gives the order a full sort would give; painting while dragging
    // stays cheap on a 64 x 64 map.
    const auto found = std::find_if(mEntityTiles.begin(), mEntityTiles.end(),
                                    [cell](const auto& owned) { return owned.get() == cell; });
    std::unique_ptr<EditorTile<std::string>> moved = std::move(*found);
    mEntityTiles.erase(found);
    const auto place =
        std::upper_bound(mEntityTiles.begin(), mEntityTiles.end(), moved,
                         [](const auto& a, const auto& b) { return EntityComesBefore(*a, *b); });
    mEntityTiles.insert(place, std::move(moved));
    mMapHighScore += BestScorePoints(cell->mValue) - BestScorePoints(previous);
}

void Game::EditorClearCell(int x, int y)
{
    const int index = y * mMapWidth + x;
    const EditorEmptyColors empty = EditorLookUpEmptyColors();
    if (mCurrentLayer == MapLayers::WALLS_AND_DOORS)
    {
        *mWallTiles[index] = EditorTile<int>{0, 0.0, empty.mWall, x, y};
    }
    else if (mCurrentLayer == MapLayers::CEILINGS_AND_FLOORS)
    {
        *mFloorTiles[index] = EditorTile<int>{0, 0.0, empty.mFloor, x, y};
    }
    else if (mCurrentLayer == MapLayers::ITEMS_AND_ENEMIES)
    {
        EditorTile<std::string>& cell = *mEntityGrid[index];
        const std::string previous = cell.mValue;
        cell = EditorTile<std::string>{EntityNames::NOTHING, 0.0, empty.mEntity, x, y};
        EditorEntityChanged(&cell, previous);
    }
}

void Game::EditorClearLayer()
{
    const EditorEmptyColors empty = EditorLookUpEmptyColors();
    const auto clear = [](auto& layer, const auto& value, std::uint32_t color)
    {
        for (const auto& cell : layer)
        {
            cell->mValue = value;
            cell->mColor = color;
            cell->mAngle = 0;
        }
    };
    if (mCurrentLayer == MapLayers::WALLS_AND_DOORS)
    {
        clear(mWallTiles, 0, empty.mWall);
    }
    else if (mCurrentLayer == MapLayers::CEILINGS_AND_FLOORS)
    {
        clear(mFloorTiles, 0, empty.mFloor);
    }
    else if (mCurrentLayer == MapLayers::ITEMS_AND_ENEMIES)
    {
        clear(mEntityTiles, std::string(EntityNames::NOTHING), empty.mEntity);
        EditorSortEntities();
    }
}

void Game::EditorTurnPlayer()
{
    EditorTile<std::string>& cell = *mEntityGrid[mCursorY * mMapWidth + mCursorX];
    if (cell.mValue != EntityNames::PLAYER)
    {
        return;
    }
    // The game knows four facings: 0, 90, 180 and 270 degrees.
    cell.mAngle += 90;
    if (std::trunc(cell.mAngle) > 359)
    {
        cell.mAngle = 0;
    }
}

void Game::EditorStepSelection(int selection, int step)
{
    if (mCurrentLayer == MapLayers::WALLS_AND_DOORS)
    {
        StepSelection(mWallSelection, mWallSelectionIndex, mWallPalette, selection, step);
    }
    else if (mCurrentLayer == MapLayers::CEILINGS_AND_FLOORS)
    {
        StepSelection(mFloorSelection, mFloorSelectionIndex, mFloorPalette, selection, step);
    }
    else if (mCurrentLayer == MapLayers::ITEMS_AND_ENEMIES)
    {
        StepSelection(mEntitySelection, mEntitySelectionIndex, mEntityPalette, selection, step);
    }
}

void Game::EditorPaintLine(int button, int fromX, int fromY, int toX, int toY)
{
    // Bresenham's walk over whole cells, each step to the next cell along the
    // longer axis and, when the error says so, along the shorter one too.
    const int dx = std::abs(toX - fromX);
    const int dy = -std::abs(toY - fromY);
    const int stepX = fromX < toX ? 1 : -1;
    const int stepY = fromY < toY ? 1 : -1;
    int error = dx + dy;
    int x = fromX;
    int y = fromY;
    while (x != toX || y != toY)
    {
        const int twice = 2 * error;
        if (twice >= dy)
        {
            error += dy;
            x += stepX;
        }
        if (twice <= dx)
        {
            error += dx;
            y += stepY;
        }
        EditorSetTile(button, x, y);
        if (mEditorAction != EditorActionState::None)
        {
            // Refused (a second player): the rest of the line is not painted.
            return;
        }
    }
}

void Game::EditorFill(int selection)
{
    const bool cursorOnMap = mCursorX != -1 && mCursorY != -1;
    if (!cursorOnMap || (mCurrentLayer != MapLayers::WALLS_AND_DOORS &&
                         mCurrentLayer != MapLayers::CEILINGS_AND_FLOORS))
    {
        return;
    }
    auto& cells = mCurrentLayer == MapLayers::WALLS_AND_DOORS ? mWallTiles : mFloorTiles;
    const EditorValue<int>& paint = *(
        mCurrentLayer == MapLayers::WALLS_AND_DOORS ? mWallSelection : mFloorSelection)[selection];
    const int region = cells[mCursorY * mMapWidth + mCursorX]->mValue;
    if (region == paint.mValue)
    {
        return;
    }
    std::vector<int> pending = {mCursorY * mMapWidth + mCursorX};
    while (!pending.empty())
    {
        const int index = pending.back();
        pending.pop_back();
        EditorTile<int>& cell = *cells[index];
        if (cell.mValue != region)
        {
            continue;
        }
        cell.mValue = paint.mValue;
        cell.mColor = paint.mColor;
        const int x = index % mMapWidth;
        const int y = index / mMapWidth;
        if (x > 0)
        {
            pending.push_back(index - 1);
        }
        if (x + 1 < mMapWidth)
        {
            pending.push_back(index + 1);
        }
        if (y > 0)
        {
            pending.push_back(index - mMapWidth);
        }
        if (y + 1 < mMapHeight)
        {
            pending.push_back(index + mMapWidth);
        }
    }
}

void Game::EditorRestoreMap(const std::string& text)
{
    std::istringstream in(text);
    std::optional<EditorMap> map = EditorMap::Parse(in);
    if (!map)
    {
        return;
    }
    EditorColorCells(*map);
    EditorReplaceMap(*map);
    EditorSortEntities();
    EditorSetTile(0, mCursorX, mCursorY);
}
