#pragma once

#include "world/entity.h"

#include <cstddef>
#include <cstdint>

// The one kind of opponent: faces the player, walks closer and fires at random.
class Enemy : public Entity
{
public:
    explicit Enemy(Game* game) : Entity(game) {}

    // Enemies hold their fire while this many fireballs are in the air: on a
    // huge map full of enemies they would otherwise pile up without end and
    // every turn and view would crawl. A playable map never comes close.
    static constexpr std::size_t MAX_PROJECTILES_IN_FLIGHT = 4096;

    void Init(double x, double y, double angle);
    void Action(double playerX, double playerY);
    void AddProjectile(double x, double y, double angle);

    std::int32_t mHitTimer = 0;
};
