#include "editor/editor_history.h"

#include <utility>

void EditorHistory::Record(std::string before)
{
    mUndo.push_back(std::move(before));
    if (mUndo.size() > MAX_STEPS)
    {
        mUndo.pop_front();
    }
    mRedo.clear();
}

std::optional<std::string> EditorHistory::Undo(std::string current)
{
    if (mUndo.empty())
    {
        return std::nullopt;
    }
    std::string previous = std::move(mUndo.back());
    mUndo.pop_back();
    mRedo.push_back(std::move(current));
    return previous;
}

std::optional<std::string> EditorHistory::Redo(std::string current)
{
    if (mRedo.empty())
    {
        return std::nullopt;
    }
    std::string next = std::move(mRedo.back());
    mRedo.pop_back();
    mUndo.push_back(std::move(current));
    return next;
}

void EditorHistory::Clear()
{
    mUndo.clear();
    mRedo.clear();
}
