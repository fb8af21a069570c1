#include "editor_harness.h"

#include "core/utils.h"
#include "support/test_images.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace
{
const Rgb BLACK{0, 0, 0};
const Rgb GREY{84, 84, 84};
const Rgb GREEN{0, 255, 0};
const Rgb PANEL{48, 48, 48};
const Rgb LAMINATE{105, 61, 23};
const Rgb MAGENTA{255, 0, 255};

Wrapper NewSurface(Game& game, int width, int height)
{
    return Wrapper(QuillUtils::CreateRGBSurface(game.mFramework->GetRendererInfo(), width, height));
}

std::uint32_t Map(SDL_Surface* surface, Rgb color)
{
    return SDL_MapRGB(surface->format, color.r, color.g, color.b);
}

void FillRect(SDL_Surface* surface, int x, int y, int w, int h, Rgb color)
{
    SDL_Rect rect{x, y, w, h};
    SDL_FillRect(surface, &rect, Map(surface, color));
}

// The disc of radius 2 that marks an entity.
void Disc(SDL_Surface* surface, int cx, int cy, Rgb color)
{
    for (int dy = -2; dy <= 2; ++dy)
    {
        const int reach = (dy == -2 || dy == 2) ? 1 : 2;
        for (int dx = -reach; dx <= reach; ++dx)
        {
            QuillUtils::SetPixel(surface, cx + dx, cy + dy, Map(surface, color));
        }
    }
}

void Text(Game& game, SDL_Surface* surface, const std::string& text, int x, int y)
{
    game.mFont->RenderString(text, game.mImageManager->GetImage("font"), surface, x, y);
}

// Pixel positions where two surfaces differ, as "x,y" texts (at most a few).
std::string Differences(SDL_Surface* actual, SDL_Surface* expected)
{
    std::string found;
    int count = 0;
    for (int y = 0; y < expected->h; ++y)
    {
        for (int x = 0; x < expected->w; ++x)
        {
            if (TestGame::PixelAt(actual, x, y) != TestGame::PixelAt(expected, x, y))
            {
                if (++count <= 5)
                {
                    found += std::to_string(x) + "," + std::to_string(y) + " ";
                }
            }
        }
    }
    return count == 0 ? "" : std::to_string(count) + " pixels differ: " + found;
}

// The side panel as it must look: the fixed texts plus the parts that change.
struct SidePanel
{
    std::string layer = "Walls & Doors";
    std::string first = "#1 (Blue Wall)";
    Rgb firstSwatch{0, 0, 128};
    bool firstIsDisc = false;
    std::string second = "#2 (Nothing)";
    Rgb secondSwatch = BLACK;
    bool secondIsDisc = false;
    std::string cursor = "-1, -1";
    // Floor, wall and entity lines of the focus block; empty when off the map.
    std::vector<std::pair<Rgb, std::string>> focus;
    bool entityIsDisc = false;
    std::string mapName = "untitled.map";
    std::string walls = "Hide";
    std::string floors = "Hide";
    std::string entities = "Hide";
    std::string size = "64, 64";
    std::string score = "0";
};

Wrapper ExpectedSidePanel(Game& game, const SidePanel& panel)
{
    Wrapper wrapper = NewSurface(game, 287, 513);
    SDL_Surface* s = wrapper.Get<SDL_Surface>();
    FillRect(s, 0, 0, 287, 513, PANEL);
    const auto swatch = [&](int y, Rgb color, bool disc)
    {
        if (disc)
        {
            Disc(s, 12, y + 4, color);
        }
        else
        {
            FillRect(s, 8, y, 8, 8, color);
        }
    };
    Text(game, s, "Current Layer:", 8, 8);
    Text(game, s, panel.layer, 8, 16);
    Text(game, s, "Tile Selection:", 8, 32);
    swatch(40, panel.firstSwatch, panel.firstIsDisc);
    Text(game, s, panel.first, 24, 40);
    swatch(56, panel.secondSwatch, panel.secondIsDisc);
    Text(game, s, panel.second, 24, 56);
    Text(game, s, "[X, Y]:", 8, 72);
    Text(game, s, panel.cursor, 8, 80);
    Text(game, s, "Current Tile Focus:", 8, 96);
    for (std::size_t i = 0; i < panel.focus.size(); ++i)
    {
        const int y = 104 + 16 * static_cast<int>(i);
        swatch(y, panel.focus[i].first, i == 2 && panel.entityIsDisc);
        Text(game, s, panel.focus[i].second, 24, y);
    }
    Text(game, s, "Current Map:", 8, 152);
    Text(game, s, panel.mapName, 8, 160);
    const std::vector<std::string> help = {"Help:",
                                           "LFT Click - Selection #1",
                                           "RGT Click - Selection #2",
                                           "Ins/Del\t - Switch Selection #1",
                                           "Home/End\t- Switch Selection #2",
                                           "C\t\t\t\t - Switch Layer",
                                           "H\t\t\t\t - Clear Tile",
                                           "A\t\t\t\t - Change Player Angle",
                                           "O\t\t\t\t - New / Open Map",
                                           "S\t\t\t\t - Save Map",
                                           "V\t\t\t\t - Check Map",
                                           "F5\t\t\t  - " + panel.walls + " Walls & Doors",
                                           "F6\t\t\t  - " + panel.floors + " Ceilings & Floors",
                                           "F7\t\t\t  - " + panel.entities + " Items & Enemies",
                                           "F8\t\t\t  - Clear current layer",
                                           "F9\t\t\t  - Resize Map",
                                           "F/Shift+F - Fill with #1 / #2",
                                           "P\t\t\t\t - Play Map",
                                           "Ctrl+Z\t  - Undo",
                                           "Ctrl+Y\t  - Redo",
                                           "Escape\t  - Quit"};
    for (std::size_t i = 0; i < help.size(); ++i)
    {
        Text(game, s, help[i], 8, 176 + 8 * static_cast<int>(i));
    }
    Text(game, s, "Map Size [Width, Height]:", 8, 352);
    Text(game, s, panel.size, 8, 360);
    Text(game, s, "High Score of Map:", 8, 376);
    Text(game, s, panel.score, 8, 384);
    return wrapper;
}

Wrapper ExpectedPromptPanel(Game& game, const std::string& title, const std::string& message,
                            const std::string* input, bool underscore)
{
    Wrapper wrapper = NewSurface(game, 800, 87);
    SDL_Surface* s = wrapper.Get<SDL_Surface>();
    FillRect(s, 0, 0, 800, 87, PANEL);
    Text(game, s, title, 8, 8);
    Text(game, s, message, 8, 24);
    if (input != nullptr)
    {
        Text(game, s, *input, 8, 48);
        if (underscore)
        {
            Text(game, s, "_", 8 + 8 * static_cast<int>(input->size()), 48);
        }
    }
    return wrapper;
}

// Grid pixels of a full 64 x 64 map: every eighth row and column.
bool OnFullGrid(int x, int y)
{
    return x % 8 == 0 || y % 8 == 0;
}

// Checks every pixel of the map view against a rule.
std::string CheckView(SDL_Surface* view, const std::function<Rgb(int, int)>& expected)
{
    std::string found;
    int count = 0;
    for (int y = 0; y < 513; ++y)
    {
        for (int x = 0; x < 513; ++x)
        {
            const Rgb want = expected(x, y);
            if (TestGame::PixelAt(view, x, y) != want && ++count <= 5)
            {
                found += std::to_string(x) + "," + std::to_string(y) + " ";
            }
        }
    }
    return count == 0 ? "" : std::to_string(count) + " pixels differ: " + found;
}

// An 8 x 8 cell as drawn: floor, entity disc, then the player's arrow frame.
Wrapper ExpectedPlayerCell(Game& game, int frameX)
{
    Wrapper wrapper = NewSurface(game, 8, 8);
    SDL_Surface* s = wrapper.Get<SDL_Surface>();
    FillRect(s, 0, 0, 8, 8, LAMINATE);
    Disc(s, 4, 4, {0, 196, 0});
    if (frameX >= 0)
    {
        SDL_Rect source{frameX, 0, 8, 8};
        SDL_Rect destination{0, 0, 8, 8};
        SDL_UpperBlit(game.mImageManager->GetImage("directions"), &source, s, &destination);
    }
    return wrapper;
}

// Differences inside a cell, leaving out its top row and left column, which
// belong to the grid.
int CellDifferences(SDL_Surface* view, int cellX, int cellY, SDL_Surface* expected)
{
    int count = 0;
    for (int y = 1; y < 8; ++y)
    {
        for (int x = 1; x < 8; ++x)
        {
            count += TestGame::PixelAt(view, cellX * 8 + x, cellY * 8 + y) !=
                     TestGame::PixelAt(expected, x, y);
        }
    }
    return count;
}
} // namespace

TEST(EditorScreen, TheFontAndArrowsAreVisible)
{
    // The text comparisons below mean something only if text draws pixels.
    EditorHarness editor;
    Wrapper blank = NewSurface(editor.game(), 64, 8);
    Wrapper text = NewSurface(editor.game(), 64, 8);
    FillRect(blank.Get<SDL_Surface>(), 0, 0, 64, 8, PANEL);
    FillRect(text.Get<SDL_Surface>(), 0, 0, 64, 8, PANEL);
    Text(editor.game(), text.Get<SDL_Surface>(), "Help:", 0, 0);
    EXPECT_GT(CountDifferentPixels(blank.Get<SDL_Surface>(), text.Get<SDL_Surface>()), 10);
    std::set<std::string> arrows;
    for (const int frame : {-1, 0, 8, 16, 24})
    {
        Wrapper cell = ExpectedPlayerCell(editor.game(), frame);
        std::string pixels;
        for (int y = 1; y < 8; ++y)
        {
            for (int x = 1; x < 8; ++x)
            {
                const Rgb c = TestGame::PixelAt(cell.Get<SDL_Surface>(), x, y);
                pixels += std::to_string(c.r) + "." + std::to_string(c.g) + "." +
                          std::to_string(c.b) + " ";
            }
        }
        arrows.insert(pixels);
    }
    EXPECT_EQ(arrows.size(), 5u);
}

TEST(EditorScreen, TheStartScreen)
{
    EditorHarness editor;
    Game& game = editor.game();
    EXPECT_EQ(CheckView(game.mFramework->GetSurface(),
                        [](int x, int y) { return OnFullGrid(x, y) ? GREY : LAMINATE; }),
              "");
    Wrapper side = ExpectedSidePanel(game, SidePanel{});
    EXPECT_EQ(Differences(game.mFramework->GetSidePanelSurface(), side.Get<SDL_Surface>()), "");
    Wrapper prompt = NewSurface(game, 800, 87);
    FillRect(prompt.Get<SDL_Surface>(), 0, 0, 800, 87, PANEL);
    EXPECT_EQ(Differences(game.mFramework->GetPromptPanelSurface(), prompt.Get<SDL_Surface>()), "");
}

TEST(EditorScreen, CellsCursorAndFocusOfAPaintedMap)
{
    EditorHarness editor;
    Game& game = editor.game();
    editor.Paint(0, "Blue Wall", 2, 3);
    editor.Paint(1, "Vertical Door Frame", 2, 3);
    editor.Paint(1, "Vertical Door Frame", 5, 3);
    editor.Paint(2, "Orb", 4, 3);
    editor.Paint(2, "Enemy", 2, 3);
    editor.MoveTo(2, 3);

    const Rgb blue{0, 0, 128};
    const Rgb yellow{255, 216, 0};
    const Rgb red{128, 0, 0};
    const Rgb frame{160, 160, 160};
    Wrapper discs = NewSurface(game, 513, 513);
    FillRect(discs.Get<SDL_Surface>(), 0, 0, 513, 513, BLACK);
    Disc(discs.Get<SDL_Surface>(), 36, 28, yellow);
    Disc(discs.Get<SDL_Surface>(), 20, 28, red);
    const auto expected = [&](int x, int y) -> Rgb
    {
        const bool cursor =
            x >= 16 && x <= 24 && y >= 24 && y <= 32 && (x == 16 || x == 24 || y == 24 || y == 32);
        if (cursor)
        {
            return GREEN;
        }
        if (OnFullGrid(x, y))
        {
            return GREY;
        }
        const Rgb disc = TestGame::PixelAt(discs.Get<SDL_Surface>(), x, y);
        if (disc != BLACK)
        {
            return disc;
        }
        if (x / 8 == 2 && y / 8 == 3)
        {
            return blue;
        }
        if (x / 8 == 5 && y / 8 == 3)
        {
            return frame;
        }
        return LAMINATE;
    };
    EXPECT_EQ(CheckView(game.mFramework->GetSurface(), expected), "");

    SidePanel panel;
    panel.layer = "Items & Enemies";
    panel.first = "#1 (Enemy)";
    panel.firstSwatch = red;
    panel.firstIsDisc = true;
    panel.cursor = "2, 3";
    panel.focus = {{frame, "Vertical Door Frame"}, {blue, "Blue Wall"}, {red, "Enemy"}};
    panel.entityIsDisc = true;
    panel.score = "150";
    Wrapper side = ExpectedSidePanel(game, panel);
    EXPECT_EQ(Differences(game.mFramework->GetSidePanelSurface(), side.Get<SDL_Surface>()), "");

    // An empty cell shows a black wall swatch, "Nothing" and a black square.
    editor.MoveTo(0, 0);
    panel.cursor = "0, 0";
    panel.focus = {{LAMINATE, "Laminate"}, {BLACK, "Nothing"}, {BLACK, "Nothing"}};
    panel.entityIsDisc = false;
    Wrapper empty = ExpectedSidePanel(game, panel);
    EXPECT_EQ(Differences(game.mFramework->GetSidePanelSurface(), empty.Get<SDL_Surface>()), "");

    // Selection #2 of the entity layer shows a disc once it is not "Nothing".
    editor.Select("Ammo", 2);
    panel.second = "#2 (Ammo)";
    panel.secondSwatch = {0, 162, 232};
    panel.secondIsDisc = true;
    Wrapper ammo = ExpectedSidePanel(game, panel);
    EXPECT_EQ(Differences(game.mFramework->GetSidePanelSurface(), ammo.Get<SDL_Surface>()), "");
}

TEST(EditorScreen, HiddenLayersAndTheirHelpLines)
{
    EditorHarness editor;
    Game& game = editor.game();
    editor.Paint(0, "Red Wall", 1, 1);
    editor.Paint(2, "Health", 3, 1);
    editor.test().MouseMotion(700, 10);
    editor.Frame();
    SDL_Surface* view = game.mFramework->GetSurface();

    editor.Press(SDL_SCANCODE_F5);
    EXPECT_EQ(TestGame::PixelAt(view, 12, 12), LAMINATE);
    EXPECT_EQ(TestGame::PixelAt(view, 28, 12), (Rgb{255, 0, 0}));
    editor.Press(SDL_SCANCODE_F6);
    editor.Press(SDL_SCANCODE_F5);
    EXPECT_EQ(TestGame::PixelAt(view, 12, 12), (Rgb{128, 0, 8}));
    EXPECT_EQ(TestGame::PixelAt(view, 44, 12), BLACK);
    editor.Press(SDL_SCANCODE_F5);
    editor.Press(SDL_SCANCODE_F7);
    // With all three hidden only the grid is left (the mouse is off the map).
    EXPECT_EQ(CheckView(view, [](int x, int y) { return OnFullGrid(x, y) ? GREY : BLACK; }), "");

    SidePanel panel;
    panel.layer = "Items & Enemies";
    panel.first = "#1 (Health)";
    panel.firstSwatch = {255, 0, 0};
    panel.firstIsDisc = true;
    panel.walls = "Show";
    panel.floors = "Show";
    panel.entities = "Show";
    Wrapper side = ExpectedSidePanel(game, panel);
    EXPECT_EQ(Differences(game.mFramework->GetSidePanelSurface(), side.Get<SDL_Surface>()), "");
}

TEST(EditorScreen, ASmallMapIsOutlinedInsideTheFixedFrame)
{
    EditorHarness editor;
    Game& game = editor.game();
    editor.NewMap("1", "1");
    editor.MoveTo(0, 0);
    editor.test().MouseMotion(700, 10);
    editor.Frame();
    const auto expected = [](int x, int y) -> Rgb
    {
        const bool grey = y == 0 || y == 512 || (x == 512 && y <= 511) ||
                          ((x == 0 || x == 8) && y <= 8) || (y == 8 && x <= 8);
        if (grey)
        {
            return GREY;
        }
        return x < 8 && y < 8 ? LAMINATE : BLACK;
    };
    EXPECT_EQ(CheckView(game.mFramework->GetSurface(), expected), "");

    // A 3 x 2 map: inner lines and the outline, cursor on its last cell.
    editor.NewMap("3", "2");
    editor.MoveTo(2, 1);
    const auto small = [](int x, int y) -> Rgb
    {
        const bool cursor =
            x >= 16 && x <= 24 && y >= 8 && y <= 16 && (x == 16 || x == 24 || y == 8 || y == 16);
        if (cursor)
        {
            return GREEN;
        }
        const bool insideMap = x <= 24 && y <= 16;
        const bool grey = y == 0 || y == 512 || (x == 512 && y <= 511) ||
                          (insideMap && (x % 8 == 0 || y % 8 == 0));
        if (grey)
        {
            return GREY;
        }
        return insideMap ? LAMINATE : BLACK;
    };
    EXPECT_EQ(CheckView(game.mFramework->GetSurface(), small), "");
    SidePanel panel;
    panel.cursor = "2, 1";
    panel.focus = {{LAMINATE, "Laminate"}, {BLACK, "Nothing"}, {BLACK, "Nothing"}};
    panel.size = "3, 2";
    Wrapper side = ExpectedSidePanel(game, panel);
    EXPECT_EQ(Differences(game.mFramework->GetSidePanelSurface(), side.Get<SDL_Surface>()), "");
}

TEST(EditorScreen, ThePlayerShowsTheArrowOfItsFacing)
{
    EditorHarness editor;
    Game& game = editor.game();
    editor.Paint(2, "Player", 6, 6);
    editor.MoveTo(7, 7);
    SDL_Surface* view = game.mFramework->GetSurface();
    // 0 degrees: x 0, 90: x 24, 180: x 16, 270: x 8.
    for (const int frame : {0, 24, 16, 8, 0})
    {
        Wrapper cell = ExpectedPlayerCell(game, frame);
        EXPECT_EQ(CellDifferences(view, 6, 6, cell.Get<SDL_Surface>()), 0) << frame;
        editor.MoveTo(6, 6);
        editor.Press(SDL_SCANCODE_A);
        editor.MoveTo(7, 7);
    }
    editor.MoveTo(6, 6);
    SidePanel panel;
    panel.layer = "Items & Enemies";
    panel.first = "#1 (Player)";
    panel.firstSwatch = {0, 196, 0};
    panel.firstIsDisc = true;
    panel.cursor = "6, 6";
    panel.focus = {{LAMINATE, "Laminate"}, {BLACK, "Nothing"}, {{0, 196, 0}, "Player (Angle 90)"}};
    panel.entityIsDisc = true;
    Wrapper side = ExpectedSidePanel(game, panel);
    EXPECT_EQ(Differences(game.mFramework->GetSidePanelSurface(), side.Get<SDL_Surface>()), "");
}

TEST(EditorScreen, OddFacingsAndValuesWithoutPaletteEntries)
{
    const std::string text = "5\n1\n\n13 0 0 0 0\n\n0 0 0 0 5\n\n"
                             "Type Player\nAngle 46\nX 1\nY 0\n\n"
                             "Type Ghost\nAngle 0\nX 2\nY 0\n\n"
                             "Type Player\nAngle 400\nX 3\nY 0";
    EditorHarness editor(EditorHarness::Files{{"data/maps/odd.map", text}});
    Game& game = editor.game();
    editor.Open("odd");
    ASSERT_EQ(editor.State(), 0);
    editor.test().MouseMotion(700, 10);
    editor.Frame();
    SDL_Surface* view = game.mFramework->GetSurface();
    // The unknown wall 13 and floor 5 stand out in magenta, as does the Ghost.
    EXPECT_EQ(TestGame::PixelAt(view, 2, 2), MAGENTA);
    EXPECT_EQ(TestGame::PixelAt(view, 34, 2), MAGENTA);
    EXPECT_EQ(TestGame::PixelAt(view, 20, 4), MAGENTA);
    EXPECT_EQ(TestGame::PixelAt(view, 17, 2), LAMINATE);
    // 46 degrees is nearest to 90; 400 is no facing the game accepts: no arrow.
    Wrapper up = ExpectedPlayerCell(game, 24);
    EXPECT_EQ(CellDifferences(view, 1, 0, up.Get<SDL_Surface>()), 0);
    Wrapper none = ExpectedPlayerCell(game, -1);
    EXPECT_EQ(CellDifferences(view, 3, 0, none.Get<SDL_Surface>()), 0);
    // Both players were kept, in row and column order.
    EXPECT_EQ(game.mEntityTiles[0]->mX, 1);
    EXPECT_EQ(game.mEntityTiles[1]->mX, 3);

    editor.MoveTo(0, 0);
    SidePanel panel;
    panel.cursor = "0, 0";
    panel.mapName = "odd.map";
    panel.size = "5, 1";
    panel.focus = {{LAMINATE, "Laminate"}, {MAGENTA, "Unknown Tile"}, {BLACK, "Nothing"}};
    Wrapper side = ExpectedSidePanel(game, panel);
    EXPECT_EQ(Differences(game.mFramework->GetSidePanelSurface(), side.Get<SDL_Surface>()), "");
    editor.MoveTo(2, 0);
    panel.cursor = "2, 0";
    panel.focus = {{LAMINATE, "Laminate"}, {BLACK, "Nothing"}, {MAGENTA, "Unknown Entity"}};
    panel.entityIsDisc = true;
    Wrapper ghost = ExpectedSidePanel(game, panel);
    EXPECT_EQ(Differences(game.mFramework->GetSidePanelSurface(), ghost.Get<SDL_Surface>()), "");
}

TEST(EditorScreen, ThePromptPanelAndItsBlinkingCursor)
{
    EditorHarness editor;
    Game& game = editor.game();
    editor.Press(SDL_SCANCODE_O);
    editor.Type("abc");
    SDL_Surface* prompt = game.mFramework->GetPromptPanelSurface();
    const std::string title = "New / Open Map";
    const std::string message = "Please enter the map filename without the file extension, press "
                                "F2 for a new map,\nor press ESC to cancel.";
    const std::string input = "abc";
    // The cursor changes phase every 16 frames.
    for (int phase = 0; phase < 3; ++phase)
    {
        Wrapper expected = ExpectedPromptPanel(game, title, message, &input, game.mCursorBlink);
        EXPECT_EQ(Differences(prompt, expected.Get<SDL_Surface>()), "");
        const bool before = game.mCursorBlink;
        editor.Frame(16);
        EXPECT_NE(game.mCursorBlink, before);
    }

    // The width prompt of a resize hides the focus block.
    editor.Press(SDL_SCANCODE_ESCAPE);
    editor.MoveTo(1, 1);
    editor.Press(SDL_SCANCODE_F9);
    SidePanel panel;
    panel.cursor = "1, 1";
    Wrapper side = ExpectedSidePanel(game, panel);
    EXPECT_EQ(Differences(game.mFramework->GetSidePanelSurface(), side.Get<SDL_Surface>()), "");
    editor.Press(SDL_SCANCODE_ESCAPE);

    // The quit question and the messages have no input line.
    editor.Press(SDL_SCANCODE_ESCAPE);
    for (int frame = 0; frame < 2; ++frame)
    {
        Wrapper expected =
            ExpectedPromptPanel(game, "Are you sure you want to quit without saving?",
                                "Press Y to quit without saving, N to save the map and quit, or "
                                "ESC to cancel.",
                                nullptr, false);
        EXPECT_EQ(Differences(prompt, expected.Get<SDL_Surface>()), "");
        editor.Frame(16);
    }
    editor.Press(SDL_SCANCODE_ESCAPE);
    editor.Open("nothere");
    Wrapper failed = ExpectedPromptPanel(
        game, "Open Map", "Error while trying to open map file: nothere.map", nullptr, false);
    EXPECT_EQ(Differences(prompt, failed.Get<SDL_Surface>()), "");
}
