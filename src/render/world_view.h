#pragma once

#include "world/world_types.h"

#include <SDL.h>

#include <memory>
#include <vector>

class Entity;
class ImageManager;
class Map;

// What the 3D view of one frame is drawn from, borrowed from its owners for
// that frame (Game::MakeWorldView builds it where the game draws). The
// renderer reads the world through it and writes only two things: the frame's
// pixels, and each sprite's depth and place on the screen (mDistance,
// mScreenX, mScreenSize, and an enemy's animation frame in mSourceRect.x) into
// its entity, where the rest of the game finds them.
struct WorldView
{
    // The grids and the doors; a see-through cell a ray looks through stays in
    // the map, the casts count it as empty for the rest of that ray.
    const Map& map;
    // By wall texture index, and the rectangles of the textures in the
    // "walls" and "ceilingsAndFloors" images.
    const std::vector<TextureFlagsType>& textureFlags;
    const std::vector<SDL_Rect>& wallRects;
    const std::vector<SDL_Rect>& ceilingFloorRects;
    // The two texture atlases and the sprites, by key.
    const ImageManager& images;
    // In list order: the order of sprites at equal depth.
    const std::vector<std::unique_ptr<Entity>>& entities;
    // The eye: its position, facing and height.
    const Entity& player;
    SDL_Surface* frame;
};
