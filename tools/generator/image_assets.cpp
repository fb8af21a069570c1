#include "image_assets.h"

#include "floor_textures.h"
#include "font_images.h"
#include "png_writer.h"
#include "wall_textures.h"

void WriteImages(const std::string& directory)
{
    SavePng(MakeFontSheet(), directory + "/font.png");
    SavePng(MakeHudDigits(), directory + "/hud_font.png");
    SavePng(MakeWallAtlas(), directory + "/walls.png");
    SavePng(MakeCeilingFloorAtlas(), directory + "/cfs.png");
}
