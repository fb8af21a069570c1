#pragma once

#include "core/wrapper.h"
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

    void Frame(int count = 1) { mTest->RunFrames(count); }
    void Press(SDL_Scancode key, Uint16 modifiers = KMOD_NONE) { mTest->TapKey(key, modifiers); }
    void Undo() { Press(SDL_SCANCODE_Z, KMOD_LCTRL); }
    void Type(const std::string& text)
    {
        mTest->Text(text);
        Frame();
    }
    // Mouse events at the centre of a cell of the map view.
    void Click(int cellX, int cellY, Uint8 button = SDL_BUTTON_LEFT);
    void MoveTo(int cellX, int cellY, Uint32 heldButtons = 0);
    // Moves the mouse off the map, over the side panel.
    void MouseOff()
    {
        mTest->MouseMotion(700, 10);
        Frame();
    }
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

    std::string ReadMap(const std::string& name) const
    {
        return mTest->dir().ReadFile("data/maps/" + name);
    }
    std::string WallName(int x, int y) { return game().TileValueDescription(Wall(x, y), 0); }
    std::string FloorName(int x, int y) { return game().TileValueDescription(Floor(x, y), 1); }
    std::string EntityName(int x, int y)
    {
        return game().mEntityGrid[y * game().mMapWidth + x]->mValue;
    }
    int State() const { return static_cast<int>(mTest->game().mEditorAction); }
    std::string SelectionName(int selection);
    // The whole window as the player sees it: map view, side panel and prompt panel.
    Wrapper WindowImage();

private:
    void AnswerSize(const std::string& width, const std::string& height);
    int Wall(int x, int y) { return game().mWallTiles[y * game().mMapWidth + x]->mValue; }
    int Floor(int x, int y) { return game().mFloorTiles[y * game().mMapWidth + x]->mValue; }
    std::unique_ptr<TestGame> mTest;
};
