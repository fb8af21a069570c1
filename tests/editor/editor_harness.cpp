#include "editor_harness.h"

#include <gtest/gtest.h>

#include <sstream>

namespace
{
TestGame::Options EditorOptions(const EditorHarness::Files& files)
{
    TestGame::Options options;
    options.arguments = {"--editor"};
    options.files = files;
    return options;
}

std::string LayerSelectionName(Game& game, int selection)
{
    const int i = selection - 1;
    switch (game.mCurrentLayer)
    {
    case 0:
        return game.TileValueDescription(game.mWallSelection[i]->mValue, 0);
    case 1:
        return game.TileValueDescription(game.mFloorSelection[i]->mValue, 1);
    default:
        return game.TileValueDescription(game.mEntitySelection[i]->mValue, 2);
    }
}
} // namespace

EditorHarness::EditorHarness(const Files& files)
    : mTest(std::make_unique<TestGame>(EditorOptions(files)))
{
    mTest->RunFrames(1);
}

void EditorHarness::Press(SDL_Scancode key, Uint16 modifiers)
{
    mTest->TapKey(key, modifiers);
}

void EditorHarness::Type(const std::string& text)
{
    mTest->Text(text);
    mTest->RunFrames(1);
}

void EditorHarness::Click(int cellX, int cellY, Uint8 button)
{
    mTest->MouseButton(CellCentre(cellX), CellCentre(cellY), button);
    mTest->MouseButton(CellCentre(cellX), CellCentre(cellY), button, false);
    mTest->RunFrames(1);
}

void EditorHarness::MoveTo(int cellX, int cellY, Uint32 heldButtons)
{
    mTest->MouseMotion(CellCentre(cellX), CellCentre(cellY), heldButtons);
    mTest->RunFrames(1);
}

void EditorHarness::ClearInput()
{
    for (int guard = 0; guard < 256 && !game().mInputText.empty(); ++guard)
    {
        Press(SDL_SCANCODE_BACKSPACE);
    }
}

std::string EditorHarness::SelectionName(int selection)
{
    return LayerSelectionName(game(), selection);
}

void EditorHarness::Select(const std::string& name, int selection)
{
    const SDL_Scancode key = selection == 1 ? SDL_SCANCODE_INSERT : SDL_SCANCODE_HOME;
    for (int guard = 0; guard < 32 && SelectionName(selection) != name; ++guard)
    {
        Press(key);
    }
    ASSERT_EQ(SelectionName(selection), name);
}

void EditorHarness::SwitchToLayer(int layer)
{
    for (int guard = 0; guard < 3 && game().mCurrentLayer != layer; ++guard)
    {
        Press(SDL_SCANCODE_C);
    }
    ASSERT_EQ(game().mCurrentLayer, layer);
}

void EditorHarness::Paint(int layer, const std::string& name, int cellX, int cellY)
{
    SwitchToLayer(layer);
    Select(name);
    Click(cellX, cellY);
}

void EditorHarness::Open(const std::string& name)
{
    Press(SDL_SCANCODE_O);
    Type(name);
    Press(SDL_SCANCODE_RETURN);
}

void EditorHarness::SaveAs(const std::string& name)
{
    Press(SDL_SCANCODE_S);
    ClearInput();
    Type(name);
    Press(SDL_SCANCODE_RETURN);
}

void EditorHarness::NewMap(const std::string& width, const std::string& height)
{
    Press(SDL_SCANCODE_O);
    Press(SDL_SCANCODE_F2);
    Type(width);
    Press(SDL_SCANCODE_RETURN);
    Type(height);
    Press(SDL_SCANCODE_RETURN);
}

void EditorHarness::Resize(const std::string& width, const std::string& height)
{
    Press(SDL_SCANCODE_F9);
    Type(width);
    Press(SDL_SCANCODE_RETURN);
    Type(height);
    Press(SDL_SCANCODE_RETURN);
}

std::string EditorHarness::ReadMap(const std::string& fileName) const
{
    return mTest->dir().ReadFile("data/maps/" + fileName);
}

std::string EditorHarness::WallName(int x, int y)
{
    return game().TileValueDescription(game().mWallTiles[y * game().mMapWidth + x]->mValue, 0);
}

std::string EditorHarness::FloorName(int x, int y)
{
    return game().TileValueDescription(game().mFloorTiles[y * game().mMapWidth + x]->mValue, 1);
}

std::string EditorHarness::EntityName(int x, int y)
{
    return game().mEntityGrid[y * game().mMapWidth + x]->mValue;
}

int EditorHarness::State() const
{
    return static_cast<int>(mTest->game().mEditorAction);
}

std::string ExpectedMapText(int width, int height, const std::vector<std::string>& wallRows,
                            const std::vector<std::string>& floorRows, const std::string& entities)
{
    std::ostringstream text;
    text << width << '\n' << height << "\n\n";
    for (const std::string& row : wallRows)
    {
        text << row << '\n';
    }
    text << '\n';
    for (const std::string& row : floorRows)
    {
        text << row << '\n';
    }
    text << '\n' << entities;
    return text.str();
}

std::vector<std::string> UniformRows(int width, int height, int value)
{
    std::string row;
    for (int x = 0; x < width; ++x)
    {
        row += (x == 0 ? "" : " ") + std::to_string(value);
    }
    return std::vector<std::string>(height, row);
}
