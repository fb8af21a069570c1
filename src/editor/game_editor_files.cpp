// The editor's four map operations: open, save, new and resize.
#include "core/atomic_file.h"
#include "core/game.h"

#include <fstream>
#include <iostream>

namespace
{
const std::string UNTITLED_MAP = "untitled.map";
const std::string MAP_EXTENSION = ".map";
// Added to a map's file name for the copy kept when the program is ended with
// the map unsaved.
const std::string RECOVERED_SUFFIX = ".recovered";

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Moves the cells of a layer that lie inside the new size to their place in a
// new row-major layer; the places left empty are filled by the caller.
template <typename Tile>
std::vector<std::unique_ptr<Tile>> KeepTopLeft(std::vector<std::unique_ptr<Tile>>& cells,
                                               std::int32_t width, std::int32_t height)
{
    std::vector<std::unique_ptr<Tile>> kept(static_cast<std::size_t>(width) * height);
    for (auto& cell : cells)
    {
        if (cell->mX < width && cell->mY < height)
        {
            kept[cell->mY * width + cell->mX] = std::move(cell);
        }
    }
    return kept;
}
} // namespace

bool Game::EditorLoadMap()
{
    // The player's map of that name, else the game's own.
    std::ifstream file(mPaths.MapFile(mInputText));
    if (!file)
    {
        return false;
    }
    // Read aside: a file the editor cannot use leaves the map on screen alone.
    std::optional<EditorMap> map = EditorMap::Parse(file);
    if (!map)
    {
        return false;
    }
    EditorColorCells(*map);
    EditorReplaceMap(*map);
    EditorSortEntities();
    // A kept copy belongs to its map: saved, it goes back to the map's own file.
    const bool recovered = EndsWith(mInputText, RECOVERED_SUFFIX);
    mMapName =
        recovered ? mInputText.substr(0, mInputText.size() - RECOVERED_SUFFIX.size()) : mInputText;
    mEditorHistory.Clear();
    mSavedMapText.reset();
    if (!recovered)
    {
        mSavedMapText = EditorMapText();
    }
    EditorResetSelections();
    mCurrentLayer = 0;
    EditorSetTile(0, mCursorX, mCursorY);
    mEditorAction = EditorActionState::None;
    EditorAction();
    return true;
}

std::string Game::EditorMapText() const
{
    return EditorMap::Format(mMapWidth, mMapHeight, mWallTiles, mFloorTiles, mEntityTiles);
}

bool Game::EditorOpensAsIs(const std::string& typedName)
{
    return EndsWith(typedName, MAP_EXTENSION + RECOVERED_SUFFIX);
}

bool Game::EditorSaveMap()
{
    const std::string text = EditorMapText();
    // Written aside and moved into place once it is safely on the disk, so a
    // full disk, a crash or a power cut never costs the map already there.
    if (!mPaths.CreatePlayerMapsFolder() ||
        !AtomicFile::Replace(mPaths.PlayerMapFile(mInputText), text))
    {
        return false;
    }
    mMapName = mInputText;
    mSavedMapText = text;
    mEditorAction = EditorActionState::None;
    return true;
}

void Game::EditorKeepUnsavedMap()
{
    const std::string text = EditorMapText();
    if (mSavedMapText == text)
    {
        return;
    }
    // Never the map's own file: the user has not chosen to save over it.
    const std::string stem = EndsWith(mMapName, MAP_EXTENSION)
                                 ? mMapName.substr(0, mMapName.size() - MAP_EXTENSION.size())
                                 : mMapName;
    const std::string path = mPaths.PlayerMapFile(stem + MAP_EXTENSION + RECOVERED_SUFFIX);
    if (mPaths.CreatePlayerMapsFolder() && AtomicFile::Replace(path, text))
    {
        std::cerr << "The unsaved map was kept in " << path << '\n';
    }
    else
    {
        std::cerr << "The unsaved map could not be kept in " << path << '\n';
    }
}

void Game::EditorNewMap()
{
    mMapName = UNTITLED_MAP;
    mSavedMapText.reset();
    mEditorHistory.Clear();
    EditorResetSelections();
    mCurrentLayer = 0;
    EditorMap map = EditorMap::CreateEmpty(mNewWidth, mNewHeight, EditorLookUpEmptyColors());
    EditorReplaceMap(map);
    mMapHighScore = 0;
    EditorSetTile(0, mCursorX, mCursorY);
    mEditorAction = EditorActionState::None;
    EditorAction();
}

void Game::EditorResizeMap()
{
    const EditorEmptyColors empty = EditorLookUpEmptyColors();
    EditorMap::TileLayer walls = KeepTopLeft(mWallTiles, mNewWidth, mNewHeight);
    EditorMap::TileLayer floors = KeepTopLeft(mFloorTiles, mNewWidth, mNewHeight);
    EditorMap::EntityLayer entities = KeepTopLeft(mEntityTiles, mNewWidth, mNewHeight);

    EditorMap resized;
    resized.mWidth = mNewWidth;
    resized.mHeight = mNewHeight;
    for (std::int32_t y = 0; y < mNewHeight; ++y)
    {
        for (std::int32_t x = 0; x < mNewWidth; ++x)
        {
            const std::size_t index = static_cast<std::size_t>(y) * mNewWidth + x;
            if (!walls[index])
            {
                // Beyond the old size: a new empty cell on every layer.
                resized.AppendEmptyCell(x, y, empty);
                continue;
            }
            resized.mWallTiles.push_back(std::move(walls[index]));
            resized.mFloorTiles.push_back(std::move(floors[index]));
            resized.mEntityGrid.push_back(entities[index].get());
            resized.mEntityTiles.push_back(std::move(entities[index]));
        }
    }
    // The cells beyond the new size (entities included) go with the old layers.
    EditorReplaceMap(resized);

    EditorSortEntities();
    EditorSetTile(0, mCursorX, mCursorY);
    mResizing = false;
    mEditorAction = EditorActionState::None;
    EditorAction();
}
