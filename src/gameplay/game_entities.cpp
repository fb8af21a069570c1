#include "core/game.h"
#include "gameplay/enemy.h"
#include "gameplay/item.h"
#include "gameplay/player.h"
#include "gameplay/projectile.h"

#include <algorithm>
#include <stdexcept>

namespace
{
void AnimateEnemyWalk(Enemy& enemy)
{
    if (enemy.mHitTimer != 0)
    {
        return;
    }
    if (--enemy.mAnimationCounter <= 0)
    {
        // The shooting and hurt poses lie beyond the walking frames, so the
        // next step after them starts the walk again.
        if (++enemy.mAnimationFrame >= enemy.mAnimationFrames)
        {
            enemy.mAnimationFrame = 0;
        }
        enemy.mAnimationCounter = enemy.mAnimationDelay;
    }
}
} // namespace

void Game::DoEntities()
{
    Entity* player = GetPlayer();
    // By index: projectiles fired during the turn act in the same pass.
    for (std::size_t i = 0; i < mEntities.size(); ++i)
    {
        Entity* entity = mEntities[i].get();
        switch (entity->mType)
        {
        case EntityType::Player:
            static_cast<Player*>(entity)->Action();
            break;
        case EntityType::Health:
        case EntityType::Ammo:
        case EntityType::Orb:
        case EntityType::Scroll:
        case EntityType::BlueKey:
        case EntityType::OrangeKey:
        case EntityType::BronzeKey:
            static_cast<Item*>(entity)->Action();
            break;
        case EntityType::Enemy:
        {
            auto* enemy = static_cast<Enemy*>(entity);
            AnimateEnemyWalk(*enemy);
            enemy->Action(player->mX, player->mY);
            break;
        }
        case EntityType::PlayerProjectile:
        {
            // One step a frame, then a hit test against every enemy in turn.
            auto* projectile = static_cast<Projectile*>(entity);
            projectile->Step();
            if (!projectile->mAlive)
            {
                break;
            }
            std::vector<Entity*> enemies;
            for (const auto& other : mEntities)
            {
                if (other->mType == EntityType::Enemy)
                {
                    enemies.push_back(other.get());
                }
            }
            for (Entity* enemy : enemies)
            {
                if (!projectile->mAlive)
                {
                    break;
                }
                projectile->HitTest(enemy);
            }
            break;
        }
        case EntityType::EnemyProjectile:
            static_cast<Projectile*>(entity)->Action(player);
            break;
        default:
            break;
        }
    }
    mEntities.erase(std::remove_if(mEntities.begin(), mEntities.end(),
                                   [](const std::unique_ptr<Entity>& entity)
                                   { return !entity->mAlive && entity->mType != EntityType::Player; }),
                    mEntities.end());
}

Entity* Game::GetPlayer()
{
    for (const auto& entity : mEntities)
    {
        if (entity->mType == EntityType::Player)
        {
            return entity.get();
        }
    }
    throw std::runtime_error("Player not found!");
}

Player* Game::GetPlayerRecord() { return static_cast<Player*>(GetPlayer()); }

void Game::ClearEntities(bool keepPlayer)
{
    std::unique_ptr<Entity> player;
    if (keepPlayer)
    {
        const auto found = std::find_if(mEntities.begin(), mEntities.end(),
                                        [](const std::unique_ptr<Entity>& entity)
                                        { return entity->mType == EntityType::Player; });
        if (found != mEntities.end())
        {
            player = std::move(*found);
        }
    }
    mEntities.clear();
    if (player)
    {
        mEntities.push_back(std::move(player));
    }
}

void Game::EradicateEnemies()
{
    Player* player = GetPlayerRecord();
    for (const auto& entity : mEntities)
    {
        if (entity->mType == EntityType::Enemy)
        {
            player->mTotalScore += 100;
            player->mMapScore += 100;
        }
    }
    mEntities.erase(std::remove_if(mEntities.begin(), mEntities.end(),
                                   [](const std::unique_ptr<Entity>& entity)
                                   { return entity->mType == EntityType::Enemy; }),
                    mEntities.end());
}

void Game::InitPickUpScreen()
{
    if (!mPickUpScreenActive)
    {
        mPickUpAlpha = 128;
        mPickUpCounter = 0;
        mPickUpScreenActive = true;
    }
}

void Game::InitHitScreen()
{
    if (!mHitScreenActive)
    {
        mHitAlpha = 255;
        mHitCounter = 0;
        mHitScreenActive = true;
    }
}

void Game::InitEradicateScreen()
{
    if (!mEradicateScreenActive)
    {
        mEradicateAlpha = 0;
        mEradicateCounter = 0;
        mEradicatePhase = 1;
        mEradicateScreenActive = true;
    }
}

void Game::ClearPlayerKeys() { mSettings.ReleaseAllKeys(); }

int Game::RandomInt(int min, int max) const { return mRandomSource(min, max); }
