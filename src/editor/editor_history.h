#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <vector>

// The editor's undo and redo: each step is the whole map as its file would
// hold it (a 64 x 64 map takes about 16 KB), which gives back cells, angles
// and size exactly, with nothing to keep in step as commands are added.
class EditorHistory
{
public:
    static constexpr std::size_t MAX_STEPS = 256;

    // A change was made: `before` is the map as it was. The steps that could
    // have been redone are gone.
    void Record(std::string before);
    // The map to go back to, given the map as it is now (kept for a redo);
    // nothing when there is no step to undo.
    std::optional<std::string> Undo(std::string current);
    std::optional<std::string> Redo(std::string current);
    void Clear();

private:
    std::deque<std::string> mUndo;
    std::vector<std::string> mRedo;
};
