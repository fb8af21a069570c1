#include "gameplay/enemy.h"

#include "core/game.h"
#include "core/utils.h"
#include "gameplay/projectile.h"

#include <cmath>

namespace
{
constexpr int WALK_FRAMES = 2;
constexpr int SHOOTING_FRAME = 2;
constexpr int HURT_FRAME = 3;
// Beyond this (in the scaled units of the direction arithmetic, about 229
// world units) an enemy walks towards the player.
constexpr double APPROACH_DISTANCE = 4.0;
// One chance in 41 each frame.
constexpr int FIRE_ODDS = 40;

} // namespace

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
    mAnimationFrames = WALK_FRAMES;
    mSourceRect = {0, 0, 64, 64};
    mHitTimer = 0;
}

void Enemy::Action(double playerX, double playerY)
{
    if (!mAlive || mType != EntityType::Enemy)
    {
        return;
    }
    if (mHitTimer > 0 && --mHitTimer > 0)
    {
        mAnimationFrame = HURT_FRAME;
        return;
    }

    // Always facing the player: enemies know where the player is, walls or not.
    const double dx = (playerX - mX) * QuillUtils::DEGREES_TO_RADIANS;
    const double dy = (playerY - mY) * QuillUtils::DEGREES_TO_RADIANS;
    double facing = std::atan2(dy, dx);
    if (facing < 0)
    {
        facing += 2 * QuillUtils::PI;
    }
    if (facing >= 2 * QuillUtils::PI)
    {
        facing -= 2 * QuillUtils::PI;
    }
    mAngle = facing * QuillUtils::RADIANS_TO_ANGLE;

    if (std::sqrt(dx * dx + dy * dy) > APPROACH_DISTANCE)
    {
        const int index = static_cast<int>(facing * QuillUtils::RADIANS_TO_ANGLE);
        mDeltaX = mGame->mRaycaster->mCos[index] * mSpeed;
        mDeltaY = mGame->mRaycaster->mSin[index] * mSpeed;
        mGame->mMap->CollisionDetection(this, mGame->GetPlayer(), mGame);
    }

    if (mGame->RandomInt(0, FIRE_ODDS) == 0 && !Projectile::AirIsFull(*mGame))
    {
        mAnimationFrame = SHOOTING_FRAME;
        mAnimationCounter = mAnimationDelay;
        AddProjectile(mX, mY, mAngle);
    }
}

void Enemy::AddProjectile(double x, double y, double angle)
{
    auto projectile = std::make_unique<Projectile>(mGame);
    projectile->Init(static_cast<int>(x), static_cast<int>(y), angle, EntityType::EnemyProjectile);
    mGame->mEntities.push_back(std::move(projectile));
    const Entity* player = mGame->GetPlayer();
    mGame->mAudioManager->PlayDirectionalSound("fire.wav", player->mX, player->mY,
                                               player->mAngle * QuillUtils::ANGLE_TO_RADIANS, mX,
                                               mY, 5.0);
}
