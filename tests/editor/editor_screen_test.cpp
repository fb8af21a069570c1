// The editor's window as the map author sees it, against reviewed pictures.
#include "editor_harness.h"

#include "support/test_images.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace
{
// Players facing 0, 90, 180 and 270 degrees, 46 (shown as 90) and 400 (no
// facing the game knows: no arrow); a wall 13, a floor 5 and a Ghost, which
// have no palette entry.
const std::string ODD = "7\n1\n\n13 0 0 0 0 0 0\n\n0 0 0 0 0 0 5\n\n"
                        "Type Player\nAngle 0\nX 1\nY 0\n\nType Player\nAngle 90\nX 2\nY 0\n\n"
                        "Type Player\nAngle 180\nX 3\nY 0\n\nType Player\nAngle 270\nX 4\nY 0\n\n"
                        "Type Player\nAngle 46\nX 5\nY 0\n\nType Player\nAngle 400\nX 6\nY 0\n\n"
                        "Type Ghost\nAngle 0\nX 0\nY 0";
} // namespace

TEST(EditorScreen, TheWindowInEachSituation)
{
    const struct
    {
        const char* picture;
        std::function<void(EditorHarness&)> reach;
    } screens[] = {
        {"editor_start.png", [](EditorHarness&) {}},
        // Cells of all layers, the cursor's frame and the focus block of its cell.
        {"editor_painted_map.png",
         [](EditorHarness& editor)
         {
             editor.Paint(0, "Blue Wall", 2, 3);
             editor.Paint(1, "Vertical Door Frame", 2, 3);
             editor.Click(5, 3);
             editor.Paint(2, "Orb", 4, 3);
             editor.Paint(2, "Enemy", 2, 3);
             editor.Select("Ammo", 2);
             editor.MoveTo(2, 3);
         }},
        {"editor_walls_and_floors_hidden.png",
         [](EditorHarness& editor)
         {
             editor.Paint(0, "Red Wall", 1, 1);
             editor.Paint(2, "Health", 3, 1);
             editor.MouseOff();
             editor.Press(SDL_SCANCODE_F5);
             editor.Press(SDL_SCANCODE_F6);
         }},
        {"editor_entities_hidden.png",
         [](EditorHarness& editor)
         {
             editor.Paint(0, "Red Wall", 1, 1);
             editor.Paint(2, "Health", 3, 1);
             editor.MouseOff();
             editor.Press(SDL_SCANCODE_F7);
         }},
        {"editor_small_map.png",
         [](EditorHarness& editor)
         {
             editor.NewMap("3", "2");
             editor.MoveTo(2, 1);
         }},
        {"editor_player_arrows.png",
         [](EditorHarness& editor)
         {
             editor.Open("odd");
             editor.MoveTo(0, 0);
         }},
        // The focus block is hidden while a resize asks for the new size.
        {"editor_resize_prompt.png",
         [](EditorHarness& editor)
         {
             editor.MoveTo(1, 1);
             editor.Press(SDL_SCANCODE_F9);
             editor.Type("12");
         }},
        {"editor_open_error.png", [](EditorHarness& editor) { editor.Open("nothere"); }},
    };
    for (const auto& screen : screens)
    {
        SCOPED_TRACE(screen.picture);
        EditorHarness editor({{"data/maps/odd.map", ODD}});
        screen.reach(editor);
        Wrapper window = editor.WindowImage();
        EXPECT_EQ(CompareWithReference(window.Get<SDL_Surface>(), screen.picture), "");
    }
}

TEST(EditorScreen, ThePromptCursorBlinksEverySixteenFrames)
{
    EditorHarness editor;
    editor.Press(SDL_SCANCODE_O);
    std::vector<Wrapper> phases;
    for (int phase = 0; phase < 3; ++phase, editor.Frame(16))
    {
        phases.push_back(editor.WindowImage());
    }
    EXPECT_GT(CountDifferentPixels(phases[0].Get<SDL_Surface>(), phases[1].Get<SDL_Surface>()), 0);
    EXPECT_EQ(CountDifferentPixels(phases[0].Get<SDL_Surface>(), phases[2].Get<SDL_Surface>()), 0);
}
