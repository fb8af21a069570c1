#include "render/raycaster.h"

#include "core/game.h"

void Raycaster::Init(Game*) {}

void Raycaster::BuildTables() {}

void Raycaster::SetVisArray(int width, int height)
{
    mVisible.assign(static_cast<std::size_t>(width) * height, false);
}

RayHit Raycaster::CastXRay(Game*, int, int, int, int&, int&, double&, int&) { return {}; }

RayHit Raycaster::CastYRay(Game*, int, int, int, int&, int&, double&, int&) { return {}; }

void Raycaster::RayCaster(Game*) {}

void Raycaster::RenderEntity(SDL_Surface*, Entity*) {}

void Raycaster::RotateAnimations() {}
