#include "gameplay/projectile.h"

#include "core/game.h"

void Projectile::Init(int x, int y, double angle, EntityType type)
{
    mAlive = true;
    mX = x;
    mY = y;
    mSpeed = 8;
    mDeltaX = 0;
    mDeltaY = 0;
    mAngle = angle;
    mTextureName = "projectiles";
    mType = type;
    mSourceRect = {type == EntityType::PlayerProjectile ? 0 : 64, 0, 64, 64};
}

void Projectile::Action(Entity* target)
{
    Step();
    HitTest(target);
}

void Projectile::Step() {}

void Projectile::HitTest(Entity*) {}
