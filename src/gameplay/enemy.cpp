#include "gameplay/enemy.h"

#include "core/game.h"

void Enemy::Init(double x, double y, double angle)
{
    mAlive = true;
    mHealth = 15;
    mX = x;
    mY = y;
    mSpeed = 4;
    mDeltaX = 0;
    mDeltaY = 0;
    mAngle = angle;
    mTextureName = "enemy";
    mType = EntityType::Enemy;
    mAnimationDelay = 30;
    mAnimationCounter = 30;
    mAnimationFrame = 0;
    mAnimationFrames = 2;
    mSourceRect = {0, 0, 64, 64};
    mHitTimer = 0;
}

void Enemy::Action(double, double) {}

void Enemy::AddProjectile(double, double, double) {}
