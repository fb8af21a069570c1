#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One palette entry of an editor layer: a tile value (or entity type name) and
// its display colour in the map view's pixel format.
template <typename T> struct EditorValue
{
    T mValue{};
    std::uint32_t mColor = 0;
};

// One cell of one editor layer.
template <typename T> struct EditorTile
{
    T mValue{};
    // Facing in degrees; only entity cells use it.
    double mAngle = 0;
    std::uint32_t mColor = 0;
    std::int32_t mX = 0;
    std::int32_t mY = 0;
};

// The states of the editor's prompt.
// Negative states are one-line messages, 1, 2, 4 and 5 read typed text and 3
// asks whether to quit.
enum class EditorActionState : std::int32_t
{
    PlayTestRefused = -6,
    MapChecked = -5,
    PlayerExists = -4,
    SaveSucceeded = -3,
    SaveFailed = -2,
    OpenFailed = -1,
    None = 0,
    NewOrOpen = 1,
    Save = 2,
    QuitConfirm = 3,
    EnterWidth = 4,
    EnterHeight = 5
};

template <typename T> using EditorPalette = std::vector<std::unique_ptr<EditorValue<T>>>;

// The first palette entry holding the value, or null when the palette has none.
template <typename T>
const EditorValue<T>* FindPaletteEntry(const EditorPalette<T>& palette, const T& value)
{
    for (const auto& entry : palette)
    {
        if (entry->mValue == value)
        {
            return entry.get();
        }
    }
    return nullptr;
}
