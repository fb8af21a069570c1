#include "gameplay/projectile.h"

#include "core/game.h"
#include "core/utils.h"
#include "gameplay/enemy.h"
#include "gameplay/player.h"

namespace
{
constexpr int MIN_DAMAGE = 2;
constexpr int MAX_DAMAGE = 15;
constexpr int KILL_POINTS = 100;
// Frames an enemy stands hurt after a hit that did not kill it.
constexpr int HURT_FRAMES = 24;
} // namespace

bool Projectile::AirIsFull(const Game& game)
{
    std::size_t inFlight = 0;
    for (const auto& entity : game.mEntities)
    {
        inFlight += IsProjectileType(entity->mType) ? 1 : 0;
    }
    return inFlight >= MAX_IN_FLIGHT;
}

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
    if (!mAlive)
    {
        return;
    }
    Step();
    HitTest(target);
}

void Projectile::Step()
{
    if (!mAlive)
    {
        return;
    }
    const int angle = static_cast<int>(mAngle);
    mDeltaX = mGame->mRaycaster->mCos[angle] * mSpeed;
    mDeltaY = mGame->mRaycaster->mSin[angle] * mSpeed;
    mGame->mMap->CollisionDetection(this, mGame->GetPlayer(), mGame);
}

void Projectile::HitTest(Entity* target)
{
    if (target == nullptr)
    {
        return;
    }
    if (mType == EntityType::PlayerProjectile && target->mType == EntityType::Enemy)
    {
        // An enemy killed earlier in this turn lies on the list until the turn
        // ends; it can be neither hit nor scored again.
        if (!target->mAlive || !target->IsCloseTo(mX, mY))
        {
            return;
        }
        HitEnemy(*static_cast<Enemy*>(target));
        mAlive = false;
    }
    else if (mType == EntityType::EnemyProjectile && target->mType == EntityType::Player)
    {
        // A player already dead still stops the fireball (and gets nothing more).
        if (!target->IsCloseTo(mX, mY))
        {
            return;
        }
        HitPlayer(*static_cast<Player*>(target));
        mAlive = false;
    }
}

void Projectile::HitEnemy(Enemy& enemy)
{
    const int damage = mGame->RandomInt(MIN_DAMAGE, MAX_DAMAGE);
    Player* player = mGame->GetPlayerRecord();
    if (enemy.mHealth <= 0 || (enemy.mHealth -= damage) <= 0)
    {
        enemy.mHealth = 0;
        enemy.mAlive = false;
        player->mTotalScore += KILL_POINTS;
        player->mMapScore += KILL_POINTS;
        return;
    }
    enemy.mHitTimer = HURT_FRAMES;
    mGame->mAudioManager->PlayDirectionalSound("enemy_hit.wav", player->mX, player->mY,
                                               player->mAngle * QuillUtils::ANGLE_TO_RADIANS,
                                               enemy.mX, enemy.mY, 5.0);
}

void Projectile::HitPlayer(Player& player)
{
    const int damage = mGame->RandomInt(MIN_DAMAGE, MAX_DAMAGE);
    if (player.mHealth <= 0 || (player.mHealth -= damage) <= 0)
    {
        player.mHealth = 0;
        player.mAlive = false;
        return;
    }
    mGame->mAudioManager->PlaySound("player_hit.wav");
    mGame->InitHitScreen();
}
