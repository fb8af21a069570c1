#include "gameplay/player.h"

#include "core/game.h"

void Player::Init(double x, double y, double angle)
{
    mHealth = 100;
    mType = EntityType::Player;
    mAlive = true;
    mAnimationDelay = 1;
    mAnimationCounter = 1;
    mX = x;
    mY = y;
    mZ = 32;
    mSpeed = 8;
    mDeltaX = 0;
    mDeltaY = 0;
    mAngle = angle;
    CalculateDistance();
    mAmmo = 8;
    mScrolls = 0;
    mTotalScore = 0;
    mMapScore = 0;
    mKeys = 0;
    mWeapons = WEAPON_FIREBALL_BIT;
    mCurrentWeapon = WEAPON_FIREBALL;
    mHandState = 0;
    mHandCounter = 0;
    mHandOffset = -64;
    mFireLatch = false;
    mDeathPause = true;
}

void Player::CalculateDistance() { mDistance = DepthAlongFacing(mX, mY, mAngle); }

void Player::Action() {}

void Player::Update() {}

void Player::AddProjectile(double, double, double) {}
