// The editor's map check (V): the one map checker on the map as it stands,
// its findings in a message and its cells outlined until the map changes.
#include "core/game.h"

#include <algorithm>
#include <sstream>

namespace
{
// As many lines as the prompt panel holds below its title, the last for the
// count of the rest.
constexpr std::size_t MAX_PROBLEM_LINES = 5;
} // namespace

void Game::EditorCheckMap()
{
    // The text the editor would save, read as the game would read that file.
    const std::string text = EditorMapText();
    std::istringstream in(text);
    MapCheck result;
    try
    {
        result = MapChecker::CheckFile(in);
    }
    catch (const std::exception& error)
    {
        result.problems.push_back({error.what(), std::nullopt});
    }
    mEditorCheck = EditorCheck{text, result};
    mEditorAction = EditorActionState::MapChecked;
    EditorAction();
}

std::string Game::EditorCheckMessage() const
{
    if (!mEditorCheck)
    {
        return "";
    }
    const MapCheck& result = mEditorCheck->result;
    if (result.problems.empty())
    {
        return "No problems found. Best score: " + std::to_string(result.bestScore);
    }
    const std::size_t shown = std::min(result.problems.size(), MAX_PROBLEM_LINES);
    std::string message;
    for (std::size_t i = 0; i < shown; ++i)
    {
        message += (i == 0 ? "" : "\n") + result.problems[i].Line();
    }
    if (result.problems.size() > shown)
    {
        message += "\nand " + std::to_string(result.problems.size() - shown) + " more";
    }
    return message;
}

void Game::EditorForgetOutdatedCheck()
{
    if (mEditorCheck && EditorMapText() != mEditorCheck->mapText)
    {
        mEditorCheck.reset();
    }
}
