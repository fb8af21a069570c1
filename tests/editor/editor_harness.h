#pragma once

#include "support/test_game.h"

#include <SDL.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

// The real editor, started headless with --editor in a scratch directory and
// driven with mouse, key and text events, one frame per action.
class EditorHarness
{
public:
    using Files = std::vector<std::pair<std::string, std::string>>;

    explicit EditorHarness(const Files& files = {});

    TestGame& test() { return *mTest; }
    Game& game() { return mTest->game(); }

    // The centre pixel of a cell of the map view.
    static int CellCentre(int cell) { return cell * 8 + 4; }

    void Frame(int count = 1) { mTest->RunFrames(count); }
    void Press(SDL_Scancode key, Uint16 modifiers = KMOD_NONE);
    void Type(const std::string& text);
    void Click(int cellX, int cellY, Uint8 button = SDL_BUTTON_LEFT);
    void MoveTo(int cellX, int cellY, Uint32 heldButtons = 0);
    void ClearInput();

    // Picks a palette entry for selection #1 (or #2) of the current layer by
    // stepping with Insert (or Home) until the selection names it.
    void Select(const std::string& name, int selection = 1);
    void SwitchToLayer(int layer);
    // Paints the cell with selection #1 of the given layer, chosen by name.
    void Paint(int layer, const std::string& name, int cellX, int cellY);

    // Opens data/maps/NAME.map through the open prompt.
    void Open(const std::string& name);
    // Saves through the save prompt under NAME (without extension).
    void SaveAs(const std::string& name);
    // Starts a new map (O, F2) or resizes (F9) through the size prompts.
    void NewMap(const std::string& width, const std::string& height);
    void Resize(const std::string& width, const std::string& height);

    std::string ReadMap(const std::string& fileName) const;
    std::string WallName(int x, int y);
    std::string FloorName(int x, int y);
    std::string EntityName(int x, int y);
    int State() const;

    std::string SelectionName(int selection);

private:
    std::unique_ptr<TestGame> mTest;
};

// The text of a map file as the editor writes it, built from its parts.
std::string ExpectedMapText(int width, int height, const std::vector<std::string>& wallRows,
                            const std::vector<std::string>& floorRows, const std::string& entities);
// Rows of `count` identical values separated by spaces.
std::vector<std::string> UniformRows(int width, int height, int value);
