// A map file opened in the editor, drawn, saved, and opened and saved again:
// a file the editor refuses must leave the map on screen alone, and whatever
// the editor saves it must read back to the very same file.
#include "fuzz_target.h"

#include "core/game.h"
#include "world/map.h"

#include <stdexcept>

namespace
{
const std::string MAP_FOLDER = "data/maps/";
const std::string INPUT_NAME = "fuzz.map";
const std::string FIRST_SAVE = "fuzz-saved.map";
const std::string SECOND_SAVE = "fuzz-saved-again.map";

class EditorMapTarget : public FuzzTarget
{
public:
    EditorMapTarget()
    {
        mGame = std::make_unique<Game>();
        mGame->mSleep = [](Uint32) {};
        mGame->mWaitForEvent = [] {};
        char name[] = "quill3d";
        char editor[] = "--editor";
        char* argv[] = {name, editor};
        mGame->Init(2, argv);
    }

private:
    // The editor reports file problems in its prompt; nothing may escape.
    std::string Try(const std::string& input) override
    {
        WriteWholeFile(MAP_FOLDER + INPUT_NAME, input);
        const std::string before = Snapshot();
        if (!Open(INPUT_NAME))
        {
            return Snapshot() == before ? "" : "a refused file changed the map on screen";
        }
        if (std::string problem = CheckLayers(); !problem.empty())
        {
            return problem;
        }
        mGame->Editor();
        if (!Save(FIRST_SAVE))
        {
            return "the map that was opened could not be saved";
        }
        const std::string saved = ReadWholeFile(MAP_FOLDER + FIRST_SAVE);
        const std::int32_t highScore = Map().GetHighScore(MAP_FOLDER + FIRST_SAVE);
        if (highScore != mGame->mMapHighScore)
        {
            return "the game counts " + std::to_string(highScore) +
                   " points in the saved map, the editor " + std::to_string(mGame->mMapHighScore);
        }
        if (!Open(FIRST_SAVE))
        {
            return "the editor cannot open the map it saved";
        }
        if (!Save(SECOND_SAVE))
        {
            return "the reopened map could not be saved";
        }
        if (ReadWholeFile(MAP_FOLDER + SECOND_SAVE) != saved)
        {
            return "saving the reopened map gave a different file";
        }
        return "";
    }

    bool Open(const std::string& name)
    {
        mGame->mInputText = name;
        return mGame->EditorLoadMap();
    }

    bool Save(const std::string& name)
    {
        mGame->mInputText = name;
        return mGame->EditorSaveMap();
    }

    // The map on screen as the text it would be saved as, with its name.
    std::string Snapshot() const
    {
        return mGame->mMapName + "\n" +
               EditorMap::Format(mGame->mMapWidth, mGame->mMapHeight, mGame->mWallTiles,
                                 mGame->mFloorTiles, mGame->mEntityTiles);
    }

    // Every layer holds one cell per position, in row order.
    std::string CheckLayers() const
    {
        const Game& game = *mGame;
        if (!EditorMap::IsValidSize(game.mMapWidth, game.mMapHeight))
        {
            return "the editor took a map of " + std::to_string(game.mMapWidth) + " x " +
                   std::to_string(game.mMapHeight);
        }
        const std::size_t cells = static_cast<std::size_t>(game.mMapWidth) * game.mMapHeight;
        if (game.mWallTiles.size() != cells || game.mFloorTiles.size() != cells ||
            game.mEntityTiles.size() != cells || game.mEntityGrid.size() != cells)
        {
            return "a layer does not have one cell per position";
        }
        for (std::size_t i = 0; i < cells; ++i)
        {
            const int x = static_cast<int>(i % game.mMapWidth);
            const int y = static_cast<int>(i / game.mMapWidth);
            const auto at = [x, y](const auto& cell) { return cell.mX == x && cell.mY == y; };
            if (!at(*game.mWallTiles[i]) || !at(*game.mFloorTiles[i]) || !at(*game.mEntityGrid[i]))
            {
                return "a cell is out of place at (" + std::to_string(x) + ", " +
                       std::to_string(y) + ")";
            }
        }
        return "";
    }

    std::unique_ptr<Game> mGame;
};
} // namespace

std::unique_ptr<FuzzTarget> MakeEditorMapTarget(const FuzzOptions& /*options*/)
{
    return std::make_unique<EditorMapTarget>();
}
