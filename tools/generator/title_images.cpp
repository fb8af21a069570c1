#include "title_images.h"

#include "title_lettering.h"

namespace
{
// A heading with the game's name in silver above it.
Canvas UnderTheName(const std::string& heading, int width, int nameHeight, int headingHeight)
{
    Canvas canvas(width, nameHeight + headingHeight);
    canvas.Overlay(RenderLettering("QUILL 3D", width, nameHeight, Ink::Silver), 0, 0);
    canvas.Overlay(RenderLettering(heading, width, headingHeight), 0, nameHeight);
    return canvas;
}
} // namespace

Canvas MakeTitle()
{
    return RenderLettering("QUILL 3D", 288, 64);
}

// The options list starts 32 rows below the heading's top, so the name goes beside it.
Canvas MakeOptionsTitle()
{
    constexpr int WIDTH = 320;
    constexpr int HEIGHT = 32;
    constexpr int NAME_WIDTH = 124;
    Canvas canvas(WIDTH, HEIGHT);
    canvas.Overlay(RenderLettering("QUILL 3D", NAME_WIDTH, 24, Ink::Silver), 8, 6);
    canvas.Overlay(RenderLettering("OPTIONS", WIDTH - NAME_WIDTH - 16, HEIGHT), NAME_WIDTH + 8, 0);
    return canvas;
}

Canvas MakeMapCompletedTitle()
{
    return UnderTheName("MAP COMPLETED", 256, 22, 46);
}

Canvas MakeTheEndTitle()
{
    return UnderTheName("THE END", 256, 18, 28);
}
