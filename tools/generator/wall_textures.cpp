#include "wall_textures.h"

#include "door_textures.h"
#include "furniture_textures.h"
#include "key_colours.h"
#include "masonry.h"
#include "texture_atlas.h"

namespace
{
Canvas MakeBlueWall()
{
    MasonryStyle style;
    style.stone = Rgb{82, 96, 140};
    style.mortar = Rgb{30, 32, 44};
    style.toneJitter = 0.14f;
    style.seed = 101;
    return PaintMasonry({{16, {24, 16, 24}, 5},
                         {16, {32, 20, 12}, 17},
                         {16, {20, 24, 20}, 33},
                         {16, {16, 32, 16}, 9}},
                        style);
}

Canvas MakeGreenWall()
{
    MasonryStyle style;
    style.stone = Rgb{84, 108, 80};
    style.mortar = Rgb{30, 38, 30};
    style.toneJitter = 0.12f;
    style.blotch = 0.26f;
    style.moss = Rgb{70, 128, 44};
    style.mossAmount = 0.28f;
    style.seed = 211;
    return PaintMasonry({{22, {28, 36}, 6}, {20, {20, 24, 20}, 22}, {22, {36, 28}, 40}}, style);
}

Canvas MakeRedWall()
{
    MasonryStyle style;
    style.stone = Rgb{150, 62, 46};
    style.mortar = Rgb{76, 68, 60};
    style.mortarWidth = 1;
    style.toneJitter = 0.16f;
    style.hueJitter = 9.0f;
    style.bevel = 0.22f;
    style.wear = 0.25f;
    style.cracks = 1;
    style.seed = 307;
    std::vector<MasonryCourse> courses;
    for (int course = 0; course < 8; ++course)
    {
        courses.push_back({8, {16, 16, 16, 16}, course % 2 == 0 ? 0 : 8});
    }
    return PaintMasonry(courses, style);
}

Canvas MakeYellowWall()
{
    MasonryStyle style;
    style.stone = Rgb{178, 150, 88};
    style.mortar = Rgb{92, 76, 48};
    style.toneJitter = 0.08f;
    style.grain = 0.14f;
    style.blotch = 0.16f;
    style.seed = 401;
    return PaintMasonry(
        {{16, {32, 32}, 0}, {16, {32, 32}, 16}, {16, {32, 32}, 0}, {16, {32, 32}, 16}}, style);
}

// The jamb beside a door: big dressed stones, lighter than the walls so the doorway stands out.
Canvas MakeDoorFrame()
{
    MasonryStyle style;
    style.stone = Rgb{128, 124, 126};
    style.mortar = Rgb{44, 42, 44};
    style.toneJitter = 0.07f;
    style.bevel = 0.4f;
    style.wear = 0.2f;
    style.cracks = 1;
    style.seed = 503;
    return PaintMasonry({{16, {64}, 0}, {16, {32, 32}, 16}, {16, {64}, 0}, {16, {32, 32}, 16}},
                        style);
}

// Filler for the unused cells: plain dark stone.
Canvas MakePlainStone()
{
    MasonryStyle style;
    style.stone = Rgb{90, 88, 92};
    style.mortar = Rgb{36, 34, 36};
    style.seed = 907;
    return PaintMasonry(
        {{16, {32, 32}, 0}, {16, {32, 32}, 16}, {16, {32, 32}, 0}, {16, {32, 32}, 16}}, style);
}
} // namespace

Canvas MakeWallAtlas()
{
    Canvas atlas = MakeFilledAtlas(MakePlainStone());
    const Canvas blueWall = MakeBlueWall();
    const Canvas exitDoor = MakeExitDoor();
    PlaceTile(atlas, blueWall, WallTextures::BLUE_WALL);
    PlaceTile(atlas, MakeGreenWall(), WallTextures::GREEN_WALL);
    PlaceTile(atlas, MakeRedWall(), WallTextures::RED_WALL);
    PlaceTile(atlas, MakeYellowWall(), WallTextures::YELLOW_WALL);
    PlaceTile(atlas, MakeBookshelf(false), WallTextures::EMPTY_BOOKSHELF);
    PlaceTile(atlas, MakeBookshelf(true), WallTextures::FULL_BOOKSHELF);
    PlaceTile(atlas, MakeStandardDoor(), WallTextures::STANDARD_DOOR);
    PlaceTile(atlas, MakeLockedDoor(BLUE_KEY_COLOUR), WallTextures::BLUE_DOOR);
    PlaceTile(atlas, MakeLockedDoor(ORANGE_KEY_COLOUR), WallTextures::ORANGE_DOOR);
    PlaceTile(atlas, MakeLockedDoor(BRONZE_KEY_COLOUR), WallTextures::BRONZE_DOOR);
    PlaceTile(atlas, exitDoor, WallTextures::EXIT_DOOR);
    PlaceTile(atlas, exitDoor,
              WallTextures::FAKE_EXIT_DOOR); // a trap: it must look exactly like the real one
    PlaceTile(atlas, MakeDoorFrame(), WallTextures::DOOR_FRAME);
    PlaceTile(atlas, MakeFireplace(blueWall, 0), WallTextures::FIREPLACE);
    PlaceTile(atlas, MakeFireplace(blueWall, 1), WallTextures::FIREPLACE_FLICKER);
    return atlas;
}
