#include "image_assets.h"

#include "enemy_sprites.h"
#include "floor_textures.h"
#include "font_images.h"
#include "hand_image.h"
#include "hud_icons.h"
#include "item_sprites.h"
#include "png_writer.h"
#include "pointer_images.h"
#include "projectile_sprites.h"
#include "title_images.h"
#include "wall_textures.h"

void WriteImages(const std::string& directory)
{
    SavePng(MakeFontSheet(), directory + "/font.png");
    SavePng(MakeHudDigits(), directory + "/hud_font.png");
    SavePng(MakeWallAtlas(), directory + "/walls.png");
    SavePng(MakeCeilingFloorAtlas(), directory + "/cfs.png");
    SavePng(MakeItemStrip(), directory + "/items.png");
    SavePng(MakeProjectileStrip(), directory + "/projectiles.png");
    SavePng(MakeEnemyStrip(), directory + "/enemy.png");
    SavePng(MakeHudIcons(), directory + "/hud.png");
    SavePng(MakeHand(), directory + "/hand.png");
    SavePng(MakeMenuArrow(), directory + "/arrow.png");
    SavePng(MakeDirectionArrows(), directory + "/directions.png");
    SavePng(MakeTitle(), directory + "/title.png");
    SavePng(MakeOptionsTitle(), directory + "/options.png");
    SavePng(MakeMapCompletedTitle(), directory + "/map_completed.png");
    SavePng(MakeTheEndTitle(), directory + "/the_end.png");
}
