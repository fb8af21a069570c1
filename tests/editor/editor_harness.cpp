#include "editor_harness.h"

#include "core/utils.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{
TestGame::Options EditorOptions(const EditorHarness::Files& files)
{
    TestGame::Options options;
    options.arguments = {"--editor"};
    options.files = files;
    return options;
}
} // namespace

EditorHarness::EditorHarness(const Files& files)
    : mTest(std::make_unique<TestGame>(EditorOptions(files)))
{
    mTest->RunFrames(1);
}

void EditorHarness::Click(int cellX, int cellY, Uint8 button)
{
    mTest->MouseButton(cellX * 8 + 4, cellY * 8 + 4, button);
    mTest->MouseButton(cellX * 8 + 4, cellY * 8 + 4, button, false);
    mTest->RunFrames(1);
}

void EditorHarness::MoveTo(int cellX, int cellY, Uint32 heldButtons)
{
    mTest->MouseMotion(cellX * 8 + 4, cellY * 8 + 4, heldButtons);
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
    const int i = selection - 1;
    const int layer = game().mCurrentLayer;
    if (layer == 2)
    {
        return game().TileValueDescription(game().mEntitySelection[i]->mValue, 2);
    }
    return game().TileValueDescription(
        (layer == 0 ? game().mWallSelection : game().mFloorSelection)[i]->mValue, layer);
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
    AnswerSize(width, height);
}

void EditorHarness::Resize(const std::string& width, const std::string& height)
{
    Press(SDL_SCANCODE_F9);
    AnswerSize(width, height);
}

void EditorHarness::AnswerSize(const std::string& width, const std::string& height)
{
    for (const std::string& size : {width, height})
    {
        Type(size);
        Press(SDL_SCANCODE_RETURN);
    }
}

Wrapper EditorHarness::WindowImage()
{
    Framework& framework = *game().mFramework;
    Wrapper window(QuillUtils::CreateRGBSurface(framework.GetRendererInfo(),
                                                Framework::EDITOR_WIDTH, Framework::EDITOR_HEIGHT));
    SDL_Surface* target = window.Get<SDL_Surface>();
    const auto copy = [target](SDL_Surface* part, int left, int top)
    {
        for (int y = 0; y < part->h; ++y)
        {
            std::memcpy(static_cast<Uint8*>(target->pixels) + (top + y) * target->pitch + left * 4,
                        static_cast<Uint8*>(part->pixels) + y * part->pitch, part->w * 4);
        }
    };
    copy(framework.GetSurface(), 0, 0);
    copy(framework.GetSidePanelSurface(), Framework::EDITOR_MAP_SIZE, 0);
    copy(framework.GetPromptPanelSurface(), 0, Framework::EDITOR_MAP_SIZE);
    return window;
}
